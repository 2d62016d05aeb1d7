// The grid control: rows and columns of text cells numbered from 0, the top `fixedRows` rows a
// fixed header, and one current cell (row, col) through which the cell properties are read and
// set: a cell's alignment, picture, back colour and font are set by making it current first.
//
// Rows are inserted and removed in the middle often (sorted insertions into 20,000 rows), so a
// row is one allocation and moving rows costs a pointer each; cells carry their formatting only
// once it differs from the column's and the grid's.
//
// Out-of-range rows, columns and values raise ControlError with the grid's name as source.
#pragma once

#include "platform/ui/controls/Control.h"
#include "platform/ui/controls/Picture.h"

#include <QColor>
#include <QString>

#include <memory>
#include <vector>

namespace torvane::controls {

// Alignment codes of cell texts and pictures: horizontal part code / 3 (left, centre, right),
// vertical part code % 3 (top, centre, bottom).
constexpr int AlignLeftTop = 0;
constexpr int AlignLeftCenter = 1;
constexpr int AlignLeftBottom = 2;
constexpr int AlignCenterTop = 3;
constexpr int AlignCenterCenter = 4;
constexpr int AlignCenterBottom = 5;
constexpr int AlignRightTop = 6;
constexpr int AlignRightCenter = 7;
constexpr int AlignRightBottom = 8;

// FocusRect: how the current cell is framed.
constexpr int FocusRectNone = 0;
constexpr int FocusRectLight = 1;
constexpr int FocusRectHeavy = 2;
// ScrollBars.
constexpr int ScrollBarsNone = 0;
constexpr int ScrollBarsHorizontal = 1;
constexpr int ScrollBarsVertical = 2;
constexpr int ScrollBarsBoth = 3;
// GridLines.
constexpr int GridLinesNone = 0;
constexpr int GridLinesFlat = 1;
constexpr int GridLinesInset = 2;
constexpr int GridLinesRaised = 3;

class Grid : public Control {
    Q_OBJECT
public:
    // A fresh grid has 2 rows, 2 columns and 1 fixed row, like the control it stands in for.
    static constexpr int DefaultRowHeight = 240; // twips
    static constexpr int DefaultColWidth = 960;  // twips
    static constexpr int DefaultColAlignment = AlignLeftCenter;
    static constexpr int DefaultPictureAlignment = AlignLeftCenter;

    explicit Grid(QObject* parent = nullptr);
    ~Grid() override;

    // Shape. Rows never falls below FixedRows (ErrInvalidPropertyValue); Cols is at least 1.
    // Growing adds empty rows of the default height; shrinking drops rows from the end.
    int rows() const { return int(m_rows.size()); }
    void setRows(int rows);
    int cols() const { return int(m_columns.size()); }
    void setCols(int cols);
    int fixedRows() const { return m_fixedRows; }
    void setFixedRows(int fixedRows);

    // The current cell. Setting a row or column outside the grid is ErrInvalidPropertyValue.
    // When rows go, the current row moves up to stay inside the grid.
    int row() const { return m_row; }
    void setRow(int row);
    int col() const { return m_col; }
    void setCol(int col);
    // The first scrolling row shown below the fixed rows; the widget keeps it in step with its
    // scroll bar.
    int topRow() const { return m_topRow; }
    void setTopRow(int row);

    // Any cell (ErrSubscriptOutOfRange outside the grid).
    QString textMatrix(int row, int col) const;
    void setTextMatrix(int row, int col, const QString& text);

    // The current cell's properties. An alignment outside 0..8 is ErrInvalidPropertyValue. A
    // cell without its own alignment, font or back colour reads its column's or the grid's.
    QString text() const;
    void setText(const QString& text);
    Picture cellPicture() const;
    void setCellPicture(const Picture& picture); // a null picture removes it
    int cellPictureAlignment() const;
    void setCellPictureAlignment(int alignment);
    int cellAlignment() const;
    void setCellAlignment(int alignment);
    QColor cellBackColor() const;
    void setCellBackColor(const QColor& color);
    QString cellFontName() const;
    void setCellFontName(const QString& name);
    double cellFontSize() const;
    void setCellFontSize(double points);
    bool cellFontBold() const;
    void setCellFontBold(bool bold);

    // Per column and per row, in twips. Widths and heights below 0 are refused.
    int colAlignment(int col) const;
    void setColAlignment(int col, int alignment);
    int colWidth(int col) const;
    void setColWidth(int col, int twips);
    int rowHeight(int row) const;
    void setRowHeight(int row, int twips);

    // Inserts a row at `index` (fixedRows .. rows; -1 appends); the rows from there move down
    // one. `text` fills the new row's cells from column 0, split at tabs. The current cell keeps
    // its numbers.
    void addItem(const QString& text, int index = -1);
    // Removes a scrolling row (fixedRows .. rows - 1); the rows below move up one.
    void removeItem(int index);
    // Empties every cell: text, picture and the cell's own formatting. Rows, columns, widths,
    // heights and column alignments stay.
    void clear();

    // The grid's own font and back colour, which cells without their own take.
    QString fontName() const { return m_fontName; }
    double fontSize() const { return m_fontSize; }
    void setFont(const QString& name, double points);
    QColor backColor() const { return m_backColor; }
    void setBackColor(const QColor& color);

    // Appearance values, kept for the widget.
    int focusRect() const { return m_focusRect; }
    void setFocusRect(int value);
    int scrollBars() const { return m_scrollBars; }
    void setScrollBars(int value);
    int gridLines() const { return m_gridLines; }
    void setGridLines(int value);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool wrap);

    // Everything the widget needs to draw one cell, with the column's and the grid's values
    // filled in where the cell has none of its own.
    struct CellLook {
        QString text;
        Picture picture;
        int alignment = DefaultColAlignment;
        int pictureAlignment = DefaultPictureAlignment;
        QColor backColor; // invalid: the grid's (or the fixed rows') own
        QString fontName;
        double fontSize = 0;
        bool bold = false;
    };
    CellLook cellLook(int row, int col) const;

    // User side, called by the widget. A press on a scrolling cell makes it current (a press on
    // a fixed row leaves the current cell); a click and a double click raise their events.
    void userSelect(int row, int col);
    void userClick();
    void userDoubleClick();

signals:
    void click();
    void dblClick();
    // Anything the widget draws changed (cells, shape, current cell, appearance).
    void changed();

private:
    struct CellFormat;
    struct Cell {
        QString text;
        Picture picture;
        std::unique_ptr<CellFormat> format;
    };
    struct Row {
        std::vector<Cell> cells;
        int height = DefaultRowHeight;
    };
    struct Column {
        int width = DefaultColWidth;
        int alignment = DefaultColAlignment;
    };

    const Cell& cellAt(int row, int col) const;
    Cell& cellAt(int row, int col);
    const Cell& current() const { return cellAt(m_row, m_col); }
    CellFormat& formatOfCurrent();
    std::unique_ptr<Row> newRow() const;
    void checkAlignment(const char* property, int alignment) const;
    void checkRow(int row) const;
    void checkCol(int col) const;
    void keepCurrentInside();

    std::vector<std::unique_ptr<Row>> m_rows;
    std::vector<Column> m_columns;
    int m_fixedRows = 1;
    int m_row = 1;
    int m_col = 0;
    int m_topRow = 1;
    QString m_fontName;
    double m_fontSize = 8;
    QColor m_backColor = Qt::white;
    int m_focusRect = FocusRectLight;
    int m_scrollBars = ScrollBarsBoth;
    int m_gridLines = GridLinesFlat;
    bool m_wordWrap = false;
};

} // namespace torvane::controls
