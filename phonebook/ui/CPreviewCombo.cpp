#include "phonebook/ui/CPreviewCombo.h"

#include "phonebook/ui/Latin1Text.h"
#include "platform/ui/controlids/ControlIds.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionComboBox>
#include <QStyledItemDelegate>
#include <QStylePainter>

namespace brevik {

namespace {

constexpr int kPreviewComboId = 1005;
constexpr int kItemHeight = 15;

class PreviewItemDelegate : public QStyledItemDelegate {
public:
    explicit PreviewItemDelegate(CPreviewCombo& combo) : QStyledItemDelegate(&combo), combo_(combo) {}

    QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        return {QStyledItemDelegate::sizeHint(option, index).width(), kItemHeight};
    }

    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        const QPalette& palette = option.palette;
        painter->fillRect(option.rect, selected ? palette.highlight() : palette.base());
        painter->setPen(selected ? palette.highlightedText().color() : palette.text().color());
        const PhoneBookEntry* entry = combo_.slot(index.row());
        if (!entry)
            return;
        const PreviewWidths& w = combo_.widths();
        const int left = option.rect.left();
        // Each cell starts two pixels further into its column than the one before.
        const int edges[5] = {0, w[0], w[0] + w[1], w[0] + w[1] + w[2], w[0] + w[1] + w[2] + w[3]};
        const QString texts[4] = {fromLatin1(entry->name), fromLatin1(entry->number), QString::number(entry->index),
                                  fromLatin1(entry->status)};
        for (int k = 0; k < 4; ++k) {
            const QRect cell(left + edges[k] + (k == 0 ? 0 : 2 * k), option.rect.top(),
                             std::max(0, edges[k + 1] - edges[k] - (k == 0 ? 0 : 2 * k)), option.rect.height());
            painter->drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, texts[k]);
        }
    }

private:
    CPreviewCombo& combo_;
};

} // namespace

CPreviewCombo::CPreviewCombo(const PreviewWidths& widths, std::function<const PhoneBookEntry*(int)> slot,
                             std::function<void(int x)> focusField, QWidget* parent)
    : QComboBox(parent)
    , widths_(widths)
    , slot_(std::move(slot))
    , focusField_(std::move(focusField))
{
    torvane::ui::nameControl(this, torvane::ui::ControlKind::Combo, kPreviewComboId);
    setItemDelegate(new PreviewItemDelegate(*this));
    setFocusPolicy(Qt::StrongFocus);
}

void CPreviewCombo::showPopup()
{
    emit droppedDown();
    QComboBox::showPopup();
}

void CPreviewCombo::hidePopup()
{
    QComboBox::hidePopup();
    emit closedUp();
}

void CPreviewCombo::paintEvent(QPaintEvent*)
{
    // The frame and the arrow only: the preview edits show the current item.
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText.clear();
    option.currentIcon = QIcon();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
}

void CPreviewCombo::mousePressEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    if (event->button() == Qt::LeftButton && x < rowWidth_) {
        if (focusField_)
            focusField_(x);
        event->accept();
        return;
    }
    QComboBox::mousePressEvent(event);
}

void CPreviewCombo::focusInEvent(QFocusEvent* event)
{
    QComboBox::focusInEvent(event);
    emit gotFocus();
}

void CPreviewCombo::focusOutEvent(QFocusEvent* event)
{
    QComboBox::focusOutEvent(event);
    emit lostFocus();
}

} // namespace brevik
