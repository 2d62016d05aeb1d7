#include "platform/ui/controls/widgets/GridWidget.h"

#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/ControlBinding.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QWheelEvent>

#include <utility>

namespace torvane::controls {

namespace {

constexpr int kFrame = 1;   // the border around the grid
constexpr int kPadding = 2; // between a cell's edge and its text

int rowPixels(const Grid& grid, int row)
{
    return twipsToPixels(grid.rowHeight(row));
}

int colPixels(const Grid& grid, int col)
{
    return twipsToPixels(grid.colWidth(col));
}

Qt::Alignment toQt(int code)
{
    static constexpr Qt::AlignmentFlag horizontal[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
    static constexpr Qt::AlignmentFlag vertical[] = {Qt::AlignTop, Qt::AlignVCenter, Qt::AlignBottom};
    return horizontal[code / 3] | vertical[code % 3];
}

} // namespace

GridWidget::GridWidget(Grid& model, QWidget* parent)
    : QWidget(parent), m_model(model), m_scrollBar(new QScrollBar(Qt::Vertical, this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->hide();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, [this](int value) {
        const int top = m_model.fixedRows() + value;
        if (top < m_model.rows() && top != m_model.topRow())
            m_model.setTopRow(top);
    });
    connect(&m_model, &Grid::changed, this, &GridWidget::modelChanged);
    bindToControl(this, model);
    updateScrollBar();
}

void GridWidget::modelChanged()
{
    update();
    // Filling a grid changes it thousands of times; the scroll bar is worked out once afterwards.
    if (!m_scrollBarPending) {
        m_scrollBarPending = true;
        QMetaObject::invokeMethod(this, &GridWidget::updateScrollBar, Qt::QueuedConnection);
    }
}

int GridWidget::viewWidth() const
{
    return width() - 2 * kFrame - (m_scrollBar->isVisible() ? m_scrollBar->width() : 0);
}

int GridWidget::lastTopRow() const
{
    int room = height() - 2 * kFrame;
    for (int r = 0; r < m_model.fixedRows(); ++r)
        room -= rowPixels(m_model, r);
    int top = m_model.rows() - 1;
    for (int used = 0; top >= m_model.fixedRows(); --top) {
        used += rowPixels(m_model, top);
        if (used > room)
            return std::min(top + 1, m_model.rows() - 1);
    }
    return m_model.fixedRows();
}

void GridWidget::updateScrollBar()
{
    m_scrollBarPending = false;
    const int last = lastTopRow();
    const bool wanted = (m_model.scrollBars() & ScrollBarsVertical) && last > m_model.fixedRows();
    m_scrollBar->setVisible(wanted);
    const int extent = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - kFrame - extent, kFrame, extent, std::max(0, height() - 2 * kFrame));
    QSignalBlocker block(m_scrollBar);
    m_scrollBar->setRange(0, std::max(0, last - m_model.fixedRows()));
    m_scrollBar->setPageStep(std::max(1, m_model.rows() - last));
    m_scrollBar->setValue(m_model.topRow() - m_model.fixedRows());
}

void GridWidget::resizeEvent(QResizeEvent*)
{
    updateScrollBar();
}

QRect GridWidget::cellRect(int row, int col) const
{
    if (row < 0 || row >= m_model.rows() || col < 0 || col >= m_model.cols())
        return {};
    int y = kFrame;
    if (row < m_model.fixedRows()) {
        for (int r = 0; r < row; ++r)
            y += rowPixels(m_model, r);
    } else {
        if (row < m_model.topRow())
            return {};
        for (int r = 0; r < m_model.fixedRows(); ++r)
            y += rowPixels(m_model, r);
        for (int r = m_model.topRow(); r < row && y < height(); ++r)
            y += rowPixels(m_model, r);
    }
    int x = kFrame;
    for (int c = 0; c < col; ++c)
        x += colPixels(m_model, c);
    const QRect rect(x, y, colPixels(m_model, col), rowPixels(m_model, row));
    return rect.intersects(QRect(kFrame, kFrame, viewWidth(), height() - 2 * kFrame)) ? rect : QRect();
}

QPoint GridWidget::cellAt(const QPoint& pos) const
{
    if (pos.x() < kFrame || pos.x() >= kFrame + viewWidth())
        return {-1, -1};
    int col = -1;
    for (int c = 0, x = kFrame; c < m_model.cols(); ++c) {
        x += colPixels(m_model, c);
        if (pos.x() < x) {
            col = c;
            break;
        }
    }
    int y = kFrame;
    for (int r = 0; r < m_model.rows() && y < height(); ++r) {
        const int row = r < m_model.fixedRows() ? r : m_model.topRow() + (r - m_model.fixedRows());
        if (row >= m_model.rows())
            break;
        y += rowPixels(m_model, row);
        if (pos.y() < y)
            return col < 0 ? QPoint(-1, -1) : QPoint(col, row);
    }
    return {-1, -1};
}

void GridWidget::paintCell(QPainter& painter, const QRect& rect, int row, int col) const
{
    const Grid::CellLook look = m_model.cellLook(row, col);
    const bool fixed = row < m_model.fixedRows();
    QColor back = look.backColor;
    if (!back.isValid())
        back = fixed ? palette().color(QPalette::Button) : m_model.backColor();
    painter.fillRect(rect, back);

    const QRect inner = rect.adjusted(kPadding, 1, -kPadding, -1);
    painter.save();
    painter.setClipRect(rect.adjusted(0, 0, -1, -1));
    if (!look.picture.isNull()) {
        const QImage& image = look.picture.image();
        const QRect place = QStyle::alignedRect(Qt::LeftToRight, toQt(look.pictureAlignment), image.size(), inner);
        painter.drawImage(place.topLeft(), image);
    }
    if (!look.text.isEmpty()) {
        QFont font = this->font();
        if (!look.fontName.isEmpty())
            font.setFamily(look.fontName);
        if (look.fontSize > 0)
            font.setPointSizeF(look.fontSize);
        font.setBold(look.bold);
        painter.setFont(font);
        painter.setPen(palette().color(fixed ? QPalette::ButtonText : QPalette::Text));
        int flags = int(toQt(look.alignment)) | Qt::TextSingleLine;
        if (m_model.wordWrap())
            flags = int(toQt(look.alignment)) | Qt::TextWordWrap;
        painter.drawText(inner, flags, look.text);
    }
    painter.restore();
    paintLines(painter, rect);
}

void GridWidget::paintLines(QPainter& painter, const QRect& rect) const
{
    const QPoint tl = rect.topLeft();
    const QPoint tr = rect.topRight();
    const QPoint bl = rect.bottomLeft();
    const QPoint br = rect.bottomRight();
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Mid);
    switch (m_model.gridLines()) {
    case GridLinesFlat:
        painter.setPen(dark);
        painter.drawLine(tr, br);
        painter.drawLine(bl, br);
        break;
    case GridLinesInset:
    case GridLinesRaised: {
        const bool raised = m_model.gridLines() == GridLinesRaised;
        painter.setPen(raised ? light : dark);
        painter.drawLine(tl, tr);
        painter.drawLine(tl, bl);
        painter.setPen(raised ? dark : light);
        painter.drawLine(tr, br);
        painter.drawLine(bl, br);
        break;
    }
    default:
        break;
    }
}

void GridWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect view(kFrame, kFrame, viewWidth(), height() - 2 * kFrame);
    painter.fillRect(rect(), m_model.backColor());
    painter.setClipRect(view);

    // Fixed rows, then the scrolling rows from topRow down as far as the view reaches.
    std::vector<int> shown;
    for (int r = 0; r < m_model.fixedRows(); ++r)
        shown.push_back(r);
    int y = kFrame;
    for (int r : shown)
        y += rowPixels(m_model, r);
    for (int r = m_model.topRow(); r < m_model.rows() && y < view.bottom(); ++r) {
        shown.push_back(r);
        y += rowPixels(m_model, r);
    }

    y = kFrame;
    for (int r : shown) {
        const int h = rowPixels(m_model, r);
        int x = kFrame;
        for (int c = 0; c < m_model.cols() && x < view.right(); ++c) {
            const int w = colPixels(m_model, c);
            if (w > 0 && h > 0)
                paintCell(painter, QRect(x, y, w, h), r, c);
            x += w;
        }
        y += h;
    }

    // The current cell's frame.
    const QRect current = cellRect(m_model.row(), m_model.col());
    if (m_model.focusRect() != FocusRectNone && current.isValid() && current.width() > 0) {
        QPen pen(palette().color(QPalette::Text));
        if (m_model.focusRect() == FocusRectHeavy) {
            pen.setWidth(2);
            painter.setPen(pen);
            painter.drawRect(current.adjusted(1, 1, -1, -1));
        } else {
            pen.setStyle(Qt::DotLine);
            painter.setPen(pen);
            painter.drawRect(current.adjusted(0, 0, -1, -1));
        }
    }

    painter.setClipping(false);
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void GridWidget::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.y() >= 0)
        m_model.userSelect(cell.y(), cell.x());
    m_pressed = true;
    m_doubleClicked = false;
}

void GridWidget::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton || !m_pressed)
        return QWidget::mouseReleaseEvent(event);
    m_pressed = false;
    // The release that ends a double click is no second click.
    if (std::exchange(m_doubleClicked, false))
        return;
    if (rect().contains(event->position().toPoint()))
        m_model.userClick();
}

void GridWidget::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mouseDoubleClickEvent(event);
    m_pressed = true;
    m_doubleClicked = true;
    const QPoint cell = cellAt(event->position().toPoint());
    if (cell.y() >= 0)
        m_model.userSelect(cell.y(), cell.x());
    m_model.userDoubleClick();
}

void GridWidget::scrollToRow(int row)
{
    if (row < m_model.fixedRows())
        return;
    if (row < m_model.topRow()) {
        m_model.setTopRow(row);
        return;
    }
    while (!cellRect(row, m_model.col()).isValid() && m_model.topRow() < row)
        m_model.setTopRow(m_model.topRow() + 1);
    // A row cut off at the bottom counts as out of view.
    while (cellRect(row, m_model.col()).bottom() >= height() - kFrame && m_model.topRow() < row)
        m_model.setTopRow(m_model.topRow() + 1);
}

void GridWidget::keyPressEvent(QKeyEvent* event)
{
    int row = m_model.row();
    int col = m_model.col();
    auto step = [&](int dc) {
        for (int c = col + dc; c >= 0 && c < m_model.cols(); c += dc) {
            if (m_model.colWidth(c) > 0)
                return c;
        }
        return col;
    };
    switch (event->key()) {
    case Qt::Key_Up: row = std::max(m_model.fixedRows(), row - 1); break;
    case Qt::Key_Down: row = std::min(m_model.rows() - 1, row + 1); break;
    case Qt::Key_Left: col = step(-1); break;
    case Qt::Key_Right: col = step(+1); break;
    default: return QWidget::keyPressEvent(event);
    }
    if (row < m_model.fixedRows())
        return;
    m_model.userSelect(row, col);
    scrollToRow(row);
}

void GridWidget::wheelEvent(QWheelEvent* event)
{
    if (m_scrollBar->isVisible())
        QApplication::sendEvent(m_scrollBar, event);
}

void GridWidget::focusInEvent(QFocusEvent* event)
{
    QWidget::focusInEvent(event);
    m_model.focusChanged(true);
}

void GridWidget::focusOutEvent(QFocusEvent* event)
{
    QWidget::focusOutEvent(event);
    // Another application or a pop-up taking the keyboard for a while is no loss of the focus.
    if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
        return;
    m_model.focusChanged(false, focusTargetName(QApplication::focusWidget()));
}

} // namespace torvane::controls
