#include "phonebook/ui/CPreviewHeader.h"

#include "phonebook/model/BrevikStrings.h"
#include "platform/ui/controlids/ControlIds.h"

#include <QMouseEvent>
#include <QPainter>

namespace brevik {

namespace {
constexpr int kHeaderId = 1025;
}

CPreviewHeader::CPreviewHeader(PreviewWidths& widths, std::function<void()> layoutEdits, QWidget* parent)
    : QWidget(parent)
    , widths_(widths)
    , layoutEdits_(std::move(layoutEdits))
    , darkPen_(QColor(128, 128, 128), 1)
    , lightPen_(QColor(223, 223, 223), 1)
{
    torvane::ui::nameControl(this, torvane::ui::ControlKind::Button, kHeaderId);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CPreviewHeader::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect area = rect();
    painter.fillRect(area, palette().button());
    painter.setPen(palette().buttonText().color());
    int left = 0;
    for (int k = 0; k < 4; ++k) {
        const int right = left + widths_[std::size_t(k)];
        const QRect cell(5 + left, area.top(), std::max(0, right - left - 5), area.height());
        painter.drawText(cell, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         QString::fromUtf8(brevikString(IDS_COLUMN_NAME + k)));
        if (k < 3) {
            painter.setPen(darkPen_);
            painter.drawLine(right, area.bottom() - 1, right, area.top());
            painter.setPen(lightPen_);
            painter.drawLine(right + 1, area.bottom() - 1, right + 1, area.top());
            painter.setPen(palette().buttonText().color());
        }
        left = right;
    }
}

void CPreviewHeader::mouseMoveEvent(QMouseEvent* event)
{
    const int x = int(event->position().x());
    if (x < 2 || x > rowWidth_ - 2)
        return;
    const bool leftHeld = event->buttons() & Qt::LeftButton;
    if (leftHeld && dragSeparator_ >= 0) {
        overSeparator_ = 1;
        widths_ = DragSeparator(widths_, rowWidth_, dragSeparator_, x);
        if (layoutEdits_)
            layoutEdits_();
        update();
    } else {
        const int near = SeparatorAt(widths_, x);
        overSeparator_ = near >= 0 ? 1 : 0;
        dragSeparator_ = leftHeld ? near : -1;
    }
    if (overSeparator_)
        setCursor(Qt::SplitHCursor);
    else
        unsetCursor();
}

void CPreviewHeader::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        dragSeparator_ = -1;
    QWidget::mouseReleaseEvent(event);
}

} // namespace brevik
