// Shows a Grid model and reports what the user does in it. Fixed rows stay at the top in the
// button colour; the scrolling rows start at the model's topRow and follow the vertical scroll bar
// (shown when the model's ScrollBars asks for it and the rows do not fit). Cells are drawn with
// their back colour, picture and text at their alignments and fonts; zero-wide columns are
// hidden. A press on a cell makes it current, the release raises Click, a double click DblClick;
// the arrow keys move the current cell.
#pragma once

#include "platform/ui/controls/Grid.h"

#include <QWidget>

class QScrollBar;

namespace torvane::controls {

class GridWidget : public QWidget {
    Q_OBJECT
public:
    GridWidget(Grid& model, QWidget* parent = nullptr);

    Grid& model() const { return m_model; }
    // The cell under a point of the widget, or (-1, -1).
    QPoint cellAt(const QPoint& pos) const;
    // Where a cell is drawn now (empty when it is scrolled away or hidden).
    QRect cellRect(int row, int col) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void modelChanged();
    void updateScrollBar();
    // The last topRow that still fills the view (the scroll bar's end).
    int lastTopRow() const;
    int viewWidth() const;
    void paintCell(QPainter& painter, const QRect& rect, int row, int col) const;
    void paintLines(QPainter& painter, const QRect& rect) const;
    void scrollToRow(int row);

    Grid& m_model;
    QScrollBar* m_scrollBar;
    bool m_scrollBarPending = false;
    bool m_pressed = false;
    bool m_doubleClicked = false;
};

} // namespace torvane::controls
