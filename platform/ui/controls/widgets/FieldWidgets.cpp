#include "platform/ui/controls/widgets/FieldWidgets.h"

#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/ControlBinding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPainter>

namespace torvane::controls {

TextBoxWidget::TextBoxWidget(TextBox& model, QWidget* parent) : QLineEdit(parent), m_model(model)
{
    bindToControl(this, model);
    auto follow = [this] {
        if (text() != m_model.text())
            setText(m_model.text());
        setToolTip(m_model.toolTipText());
        setEnabled(m_model.isEnabled());
    };
    follow();
    connect(&model, &TextBox::change, this, follow);
    connect(&model, &TextBox::appearanceChanged, this, follow);
    connect(this, &QLineEdit::textEdited, this, [this](const QString& text) { m_model.userEdited(text); });
}

void TextBoxWidget::keyPressEvent(QKeyEvent* event)
{
    const QString typed = event->text();
    if (typed.size() == 1 && typed[0].unicode() < 256) {
        const int code = m_model.userKeyPress(typed[0].unicode());
        if (code == 0)
            return;
    }
    QLineEdit::keyPressEvent(event);
}

void TextBoxWidget::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    m_model.focusChanged(true);
}

void TextBoxWidget::focusOutEvent(QFocusEvent* event)
{
    QLineEdit::focusOutEvent(event);
    m_model.focusChanged(false, focusTargetName(QApplication::focusWidget()));
}

ComboBoxWidget::ComboBoxWidget(ComboBox& model, QWidget* parent) : QComboBox(parent), m_model(model)
{
    bindToControl(this, model);
    follow();
    connect(&model, &ComboBox::appearanceChanged, this, &ComboBoxWidget::follow);
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (!m_following)
            m_model.userPicked(index);
    });
}

void ComboBoxWidget::follow()
{
    m_following = true;
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (shown != m_model.items()) {
        clear();
        addItems(m_model.items());
    }
    setCurrentIndex(m_model.listIndex());
    setToolTip(m_model.toolTipText());
    m_following = false;
}

CommandButtonWidget::CommandButtonWidget(CommandButton& model, QWidget* parent) : QPushButton(parent)
{
    bindToControl(this, model);
    auto follow = [this, &model] { setText(model.caption()); };
    follow();
    connect(&model, &CommandButton::appearanceChanged, this, follow);
    connect(this, &QPushButton::clicked, &model, &CommandButton::userClick);
}

LineWidget::LineWidget(Line& model, QWidget* parent) : QWidget(parent), m_model(model)
{
    bindToControl(this, model);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    place();
    connect(&model, &Line::lineChanged, this, &LineWidget::place);
    connect(&model, &Control::geometryChanged, this, &LineWidget::place);
}

// The widget covers the line's bounding box, one pixel wider each way.
void LineWidget::place()
{
    const QRect box = QRect(QPoint(twipsToPixels(m_model.x1()), twipsToPixels(m_model.y1())),
                            QPoint(twipsToPixels(m_model.x2()), twipsToPixels(m_model.y2())))
                          .normalized()
                          .adjusted(0, 0, 1, 1);
    setGeometry(box);
    update();
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::WindowText));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(QPoint(twipsToPixels(m_model.x1()), twipsToPixels(m_model.y1())) - origin,
                     QPoint(twipsToPixels(m_model.x2()), twipsToPixels(m_model.y2())) - origin);
}

FrameWidget::FrameWidget(Control& model, QWidget* parent) : QFrame(parent)
{
    bindToControl(this, model);
    setAutoFillBackground(true);
}

} // namespace torvane::controls
