// The plain field controls: text box, drop-down list, command button, frame, option button,
// check box, line and clickable picture.
#include "platform/ui/controls/CheckBox.h"
#include "platform/ui/controls/ComboBox.h"
#include "platform/ui/controls/CommandButton.h"
#include "platform/ui/controls/Frame.h"
#include "platform/ui/controls/Image.h"
#include "platform/ui/controls/Line.h"
#include "platform/ui/controls/OptionButton.h"
#include "platform/ui/controls/TextBox.h"
#include "platform/ui/controls/Twips.h"

#include <algorithm>
#include <cmath>

namespace torvane::controls {

namespace {

// Sets `field` and tells the widget when it changed.
template <typename T, typename Owner>
void assign(T& field, const T& value, Owner* owner)
{
    if (field == value)
        return;
    field = value;
    emit owner->stateChanged();
}

} // namespace

void TextBox::setText(const QString& text)
{
    if (m_text == text)
        return;
    m_text = text;
    emit stateChanged();
    emit change();
}

void TextBox::setMaxLength(int length)
{
    if (length < 0)
        invalidValue("MaxLength", QString::number(length));
    assign(m_maxLength, length, this);
}

void TextBox::setToolTipText(const QString& text) { assign(m_toolTip, text, this); }
void TextBox::setFontName(const QString& name) { assign(m_fontName, name, this); }
void TextBox::setFontSize(int points) { assign(m_fontSize, points, this); }
void TextBox::setEnabled(bool enabled) { assign(m_enabled, enabled, this); }
void TextBox::setTabIndex(int index) { assign(m_tabIndex, index, this); }

QString TextBox::userEdited(const QString& proposed)
{
    QString result = proposed;
    const qsizetype oldLength = m_text.size();
    const qsizetype newLength = proposed.size();
    if (m_maxLength > 0 && newLength > m_maxLength && newLength > oldLength) {
        // What the edit inserted lies between the part both texts begin with and the part both
        // end with; only that insertion is cut.
        qsizetype prefix = 0;
        while (prefix < oldLength && prefix < newLength && m_text[prefix] == proposed[prefix])
            ++prefix;
        qsizetype suffix = 0;
        while (suffix < oldLength - prefix && suffix < newLength - prefix
               && m_text[oldLength - 1 - suffix] == proposed[newLength - 1 - suffix])
            ++suffix;
        const qsizetype room = std::max<qsizetype>(0, m_maxLength - (prefix + suffix));
        const QString inserted = proposed.mid(prefix, newLength - prefix - suffix).left(room);
        result = m_text.left(prefix) + inserted + m_text.right(suffix);
    }
    setText(result);
    return m_text;
}

int TextBox::userKeyPress(int keyAscii)
{
    emit keyPress(keyAscii);
    return keyAscii;
}

QString ComboBox::list(int index) const
{
    if (index < 0 || index >= listCount())
        outOfRange(QStringLiteral("List(%1)").arg(index));
    return m_items[index];
}

void ComboBox::addItem(const QString& item)
{
    m_items << item;
    emit stateChanged();
}

void ComboBox::clear()
{
    m_items.clear();
    m_listIndex = -1;
    m_text.clear();
    emit stateChanged();
}

void ComboBox::setListIndex(int index)
{
    if (index < -1 || index >= listCount())
        invalidValue("ListIndex", QString::number(index));
    m_listIndex = index;
    m_text = index < 0 ? QString() : m_items[index];
    emit stateChanged();
    emit click();
}

void ComboBox::setText(const QString& text) { assign(m_text, text, this); }
void ComboBox::setToolTipText(const QString& text) { assign(m_toolTip, text, this); }

void CommandButton::setCaption(const QString& caption) { assign(m_caption, caption, this); }
void CommandButton::setToolTipText(const QString& text) { assign(m_toolTip, text, this); }

void Frame::setTabIndex(int index) { assign(m_tabIndex, index, this); }

void OptionButton::setValue(bool on)
{
    if (m_value == on)
        return;
    m_value = on;
    emit stateChanged();
    if (on) {
        emit selected();
        emit click();
    }
}

void OptionButton::setCaption(const QString& caption) { assign(m_caption, caption, this); }
void OptionButton::setEnabled(bool enabled) { assign(m_enabled, enabled, this); }

void OptionButton::userClick()
{
    if (m_enabled)
        setValue(true);
}

void CheckBox::setValue(int value)
{
    if (value != 0 && value != 1)
        invalidValue("Value", QString::number(value));
    assign(m_value, value, this);
}

void CheckBox::setCaption(const QString& caption) { assign(m_caption, caption, this); }
void CheckBox::setToolTipText(const QString& text) { assign(m_toolTip, text, this); }
void CheckBox::setEnabled(bool enabled) { assign(m_enabled, enabled, this); }
void CheckBox::setTabIndex(int index) { assign(m_tabIndex, index, this); }

void CheckBox::userClick()
{
    if (m_enabled)
        setValue(1 - m_value);
}

void Line::setPoints(double x1, double y1, double x2, double y2)
{
    m_x1 = x1;
    m_y1 = y1;
    m_x2 = x2;
    m_y2 = y2;
    const double onePixel = TwipsPerPixel;
    move(std::min(x1, x2), std::min(y1, y2), std::max(std::abs(x2 - x1), onePixel),
         std::max(std::abs(y2 - y1), onePixel));
}

void Image::setPictureAutoSize(const Picture& picture)
{
    setPicture(picture);
    setWidth(pixelsToTwips(picture.image().width()));
    setHeight(pixelsToTwips(picture.image().height()));
}

} // namespace torvane::controls
