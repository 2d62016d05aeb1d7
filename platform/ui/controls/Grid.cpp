#include "platform/ui/controls/Grid.h"

#include "platform/ui/controls/ControlError.h"

#include <algorithm>

namespace torvane::controls {

// What a cell sets for itself; unset fields read the column's or the grid's.
struct Grid::CellFormat {
    int alignment = -1;
    int pictureAlignment = -1;
    QColor backColor;
    QString fontName;
    double fontSize = 0;
    int bold = -1;
};

Grid::Grid(QObject* parent) : Control(parent), m_columns(2)
{
    m_rows.push_back(newRow());
    m_rows.push_back(newRow());
}

Grid::~Grid() = default;

std::unique_ptr<Grid::Row> Grid::newRow() const
{
    auto row = std::make_unique<Row>();
    row->cells.resize(m_columns.size());
    return row;
}

void Grid::checkRow(int row) const
{
    if (row < 0 || row >= rows())
        outOfRange(QStringLiteral("row %1 of %2").arg(row).arg(rows()));
}

void Grid::checkCol(int col) const
{
    if (col < 0 || col >= cols())
        outOfRange(QStringLiteral("column %1 of %2").arg(col).arg(cols()));
}

void Grid::checkAlignment(const char* property, int alignment) const
{
    if (alignment < AlignLeftTop || alignment > AlignRightBottom)
        invalidValue(property, QString::number(alignment));
}

const Grid::Cell& Grid::cellAt(int row, int col) const
{
    checkRow(row);
    checkCol(col);
    return m_rows[std::size_t(row)]->cells[std::size_t(col)];
}

Grid::Cell& Grid::cellAt(int row, int col)
{
    checkRow(row);
    checkCol(col);
    return m_rows[std::size_t(row)]->cells[std::size_t(col)];
}

Grid::CellFormat& Grid::formatOfCurrent()
{
    Cell& cell = cellAt(m_row, m_col);
    if (!cell.format)
        cell.format = std::make_unique<CellFormat>();
    return *cell.format;
}

void Grid::keepCurrentInside()
{
    const int last = std::max(rows() - 1, 0);
    m_row = std::min(m_row, last);
    m_col = std::min(m_col, cols() - 1);
    m_topRow = std::clamp(m_topRow, m_fixedRows, std::max(m_fixedRows, last));
}

void Grid::setRows(int count)
{
    if (count < m_fixedRows)
        invalidValue("Rows", QString::number(count));
    if (count == rows())
        return;
    if (count < rows()) {
        m_rows.resize(std::size_t(count));
    } else {
        m_rows.reserve(std::size_t(count));
        while (rows() < count)
            m_rows.push_back(newRow());
    }
    keepCurrentInside();
    emit changed();
}

void Grid::setCols(int count)
{
    if (count < 1)
        invalidValue("Cols", QString::number(count));
    if (count == cols())
        return;
    m_columns.resize(std::size_t(count));
    for (auto& row : m_rows)
        row->cells.resize(std::size_t(count));
    keepCurrentInside();
    emit changed();
}

void Grid::setFixedRows(int count)
{
    if (count < 0 || count > rows())
        invalidValue("FixedRows", QString::number(count));
    if (count == m_fixedRows)
        return;
    m_fixedRows = count;
    keepCurrentInside();
    emit changed();
}

void Grid::setRow(int row)
{
    if (row < 0 || row >= rows())
        invalidValue("Row", QString::number(row));
    if (row == m_row)
        return;
    m_row = row;
    emit changed();
}

void Grid::setCol(int col)
{
    if (col < 0 || col >= cols())
        invalidValue("Col", QString::number(col));
    if (col == m_col)
        return;
    m_col = col;
    emit changed();
}

void Grid::setTopRow(int row)
{
    if (row < m_fixedRows || row >= std::max(rows(), m_fixedRows + 1))
        invalidValue("TopRow", QString::number(row));
    if (row == m_topRow)
        return;
    m_topRow = row;
    emit changed();
}

QString Grid::textMatrix(int row, int col) const
{
    return cellAt(row, col).text;
}

void Grid::setTextMatrix(int row, int col, const QString& text)
{
    cellAt(row, col).text = text;
    emit changed();
}

QString Grid::text() const
{
    return current().text;
}

void Grid::setText(const QString& text)
{
    setTextMatrix(m_row, m_col, text);
}

Picture Grid::cellPicture() const
{
    return current().picture;
}

void Grid::setCellPicture(const Picture& picture)
{
    cellAt(m_row, m_col).picture = picture;
    emit changed();
}

int Grid::cellPictureAlignment() const
{
    const CellFormat* f = current().format.get();
    return f && f->pictureAlignment >= 0 ? f->pictureAlignment : DefaultPictureAlignment;
}

void Grid::setCellPictureAlignment(int alignment)
{
    checkAlignment("CellPictureAlignment", alignment);
    formatOfCurrent().pictureAlignment = alignment;
    emit changed();
}

int Grid::cellAlignment() const
{
    const CellFormat* f = current().format.get();
    return f && f->alignment >= 0 ? f->alignment : m_columns[std::size_t(m_col)].alignment;
}

void Grid::setCellAlignment(int alignment)
{
    checkAlignment("CellAlignment", alignment);
    formatOfCurrent().alignment = alignment;
    emit changed();
}

QColor Grid::cellBackColor() const
{
    const CellFormat* f = current().format.get();
    return f && f->backColor.isValid() ? f->backColor : m_backColor;
}

void Grid::setCellBackColor(const QColor& color)
{
    formatOfCurrent().backColor = color;
    emit changed();
}

QString Grid::cellFontName() const
{
    const CellFormat* f = current().format.get();
    return f && !f->fontName.isEmpty() ? f->fontName : m_fontName;
}

void Grid::setCellFontName(const QString& name)
{
    formatOfCurrent().fontName = name;
    emit changed();
}

double Grid::cellFontSize() const
{
    const CellFormat* f = current().format.get();
    return f && f->fontSize > 0 ? f->fontSize : m_fontSize;
}

void Grid::setCellFontSize(double points)
{
    if (!(points > 0))
        invalidValue("CellFontSize", QString::number(points));
    formatOfCurrent().fontSize = points;
    emit changed();
}

bool Grid::cellFontBold() const
{
    const CellFormat* f = current().format.get();
    return f && f->bold > 0;
}

void Grid::setCellFontBold(bool bold)
{
    formatOfCurrent().bold = bold ? 1 : 0;
    emit changed();
}

int Grid::colAlignment(int col) const
{
    checkCol(col);
    return m_columns[std::size_t(col)].alignment;
}

void Grid::setColAlignment(int col, int alignment)
{
    checkCol(col);
    checkAlignment("ColAlignment", alignment);
    m_columns[std::size_t(col)].alignment = alignment;
    emit changed();
}

int Grid::colWidth(int col) const
{
    checkCol(col);
    return m_columns[std::size_t(col)].width;
}

void Grid::setColWidth(int col, int twips)
{
    checkCol(col);
    if (twips < 0)
        invalidValue("ColWidth", QString::number(twips));
    m_columns[std::size_t(col)].width = twips;
    emit changed();
}

int Grid::rowHeight(int row) const
{
    checkRow(row);
    return m_rows[std::size_t(row)]->height;
}

void Grid::setRowHeight(int row, int twips)
{
    checkRow(row);
    if (twips < 0)
        invalidValue("RowHeight", QString::number(twips));
    m_rows[std::size_t(row)]->height = twips;
    emit changed();
}

void Grid::addItem(const QString& text, int index)
{
    if (index == -1)
        index = rows();
    if (index < m_fixedRows || index > rows())
        outOfRange(QStringLiteral("AddItem at row %1 of %2").arg(index).arg(rows()));
    auto row = newRow();
    if (!text.isEmpty()) {
        const QStringList parts = text.split(QLatin1Char('\t'));
        for (int c = 0; c < std::min(int(parts.size()), cols()); ++c)
            row->cells[std::size_t(c)].text = parts[c];
    }
    m_rows.insert(m_rows.begin() + index, std::move(row));
    emit changed();
}

void Grid::removeItem(int index)
{
    if (index < m_fixedRows || index >= rows())
        outOfRange(QStringLiteral("RemoveItem of row %1 of %2").arg(index).arg(rows()));
    m_rows.erase(m_rows.begin() + index);
    keepCurrentInside();
    emit changed();
}

void Grid::clear()
{
    for (auto& row : m_rows) {
        for (Cell& cell : row->cells) {
            cell.text.clear();
            cell.picture = Picture();
            cell.format.reset();
        }
    }
    emit changed();
}

void Grid::setFont(const QString& name, double points)
{
    if (!(points > 0))
        invalidValue("FontSize", QString::number(points));
    m_fontName = name;
    m_fontSize = points;
    emit changed();
}

void Grid::setBackColor(const QColor& color)
{
    m_backColor = color;
    emit changed();
}

void Grid::setFocusRect(int value)
{
    if (value < FocusRectNone || value > FocusRectHeavy)
        invalidValue("FocusRect", QString::number(value));
    m_focusRect = value;
    emit changed();
}

void Grid::setScrollBars(int value)
{
    if (value < ScrollBarsNone || value > ScrollBarsBoth)
        invalidValue("ScrollBars", QString::number(value));
    m_scrollBars = value;
    emit changed();
}

void Grid::setGridLines(int value)
{
    if (value < GridLinesNone || value > GridLinesRaised)
        invalidValue("GridLines", QString::number(value));
    m_gridLines = value;
    emit changed();
}

void Grid::setWordWrap(bool wrap)
{
    m_wordWrap = wrap;
    emit changed();
}

Grid::CellLook Grid::cellLook(int row, int col) const
{
    const Cell& cell = cellAt(row, col);
    CellLook look;
    look.text = cell.text;
    look.picture = cell.picture;
    look.alignment = m_columns[std::size_t(col)].alignment;
    look.fontName = m_fontName;
    look.fontSize = m_fontSize;
    if (const CellFormat* f = cell.format.get()) {
        if (f->alignment >= 0)
            look.alignment = f->alignment;
        if (f->pictureAlignment >= 0)
            look.pictureAlignment = f->pictureAlignment;
        look.backColor = f->backColor;
        if (!f->fontName.isEmpty())
            look.fontName = f->fontName;
        if (f->fontSize > 0)
            look.fontSize = f->fontSize;
        look.bold = f->bold > 0;
    }
    return look;
}

void Grid::userSelect(int row, int col)
{
    checkRow(row);
    checkCol(col);
    if (row < m_fixedRows || (row == m_row && col == m_col))
        return;
    m_row = row;
    m_col = col;
    emit changed();
}

void Grid::userClick()
{
    emit click();
}

void Grid::userDoubleClick()
{
    emit dblClick();
}

} // namespace torvane::controls
