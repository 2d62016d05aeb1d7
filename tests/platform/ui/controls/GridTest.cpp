// The grid model: rows moving with insertions and removals, Clear, the current-cell properties
// and the errors of out-of-range rows, columns and values.
#include "platform/ui/controls/Grid.h"

#include "ControlsTestSupport.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace torvane::controls {
namespace {

using test::raised;

// A grid laid out like the organizer's: 10 columns, 2 header rows, 7 rows.
class GridTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        grid.setName(QStringLiteral("FG1"));
        grid.setCols(10);
        grid.setRows(7);
        grid.setFixedRows(2);
    }
    // Column `col` of every row, top to bottom.
    QStringList column(int col) const
    {
        QStringList texts;
        for (int r = 0; r < grid.rows(); ++r)
            texts << grid.textMatrix(r, col);
        return texts;
    }
    Picture picture() const
    {
        QImage image(16, 16, QImage::Format_ARGB32);
        image.fill(Qt::red);
        return Picture(image);
    }
    Grid grid;
};

TEST_F(GridTest, AddItemMovesTheRowsBelowDownWithTheirCellsAndHeights)
{
    for (int r = 2; r < 5; ++r)
        grid.setTextMatrix(r, 9, QStringLiteral("entry %1").arg(r));
    grid.setRowHeight(3, 300);
    grid.setRow(3);
    grid.setCol(9);
    grid.setCellPicture(picture());
    grid.setCellBackColor(Qt::white);

    grid.addItem(QStringLiteral("Mon 01.01.24\t\tid\tPC text"), 3);

    EXPECT_EQ(grid.rows(), 8);
    EXPECT_EQ(column(9), (QStringList{"", "", "entry 2", "", "entry 3", "entry 4", "", ""}));
    // The tab-separated text fills the new row from column 0.
    EXPECT_EQ(grid.textMatrix(3, 0), "Mon 01.01.24");
    EXPECT_EQ(grid.textMatrix(3, 1), "");
    EXPECT_EQ(grid.textMatrix(3, 2), "id");
    EXPECT_EQ(grid.textMatrix(3, 3), "PC text");
    // The moved row keeps its height, picture and colour; the new one has none of them.
    EXPECT_EQ(grid.rowHeight(3), Grid::DefaultRowHeight);
    EXPECT_EQ(grid.rowHeight(4), 300);
    EXPECT_FALSE(grid.cellLook(4, 9).picture.isNull());
    EXPECT_EQ(grid.cellLook(4, 9).backColor, QColor(Qt::white));
    EXPECT_TRUE(grid.cellLook(3, 9).picture.isNull());
    // The current cell keeps its numbers.
    EXPECT_EQ(grid.row(), 3);

    grid.addItem(QStringLiteral("last"));
    EXPECT_EQ(grid.rows(), 9);
    EXPECT_EQ(grid.textMatrix(8, 0), "last");
}

TEST_F(GridTest, RemoveItemMovesTheRowsBelowUpAndKeepsTheCurrentRowInside)
{
    for (int r = 2; r < 7; ++r)
        grid.setTextMatrix(r, 0, QString::number(r));
    grid.setRowHeight(5, 500);
    grid.setRow(6);

    grid.removeItem(3);
    EXPECT_EQ(column(0), (QStringList{"", "", "2", "4", "5", "6"}));
    EXPECT_EQ(grid.rowHeight(4), 500);
    EXPECT_EQ(grid.row(), 5);

    grid.removeItem(5);
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.rows(), 5);
}

TEST_F(GridTest, RowsOutsideTheScrollingPartCannotBeAddedOrRemoved)
{
    for (int index : {0, 1, 8}) {
        const ControlError e = raised([&] { grid.addItem({}, index); });
        EXPECT_EQ(e.number(), ErrSubscriptOutOfRange) << index;
        EXPECT_EQ(e.source(), "FG1");
    }
    for (int index : {1, 7, -1})
        EXPECT_EQ(raised([&] { grid.removeItem(index); }).number(), ErrSubscriptOutOfRange) << index;
    EXPECT_EQ(grid.rows(), 7);
}

TEST_F(GridTest, ClearEmptiesEveryCellButKeepsTheShape)
{
    grid.setColWidth(0, 1500);
    grid.setColAlignment(0, AlignCenterCenter);
    grid.setRowHeight(0, 300);
    grid.setTextMatrix(0, 0, QStringLiteral("Date"));
    grid.setRow(2);
    grid.setCol(9);
    grid.setText(QStringLiteral("entry"));
    grid.setCellPicture(picture());
    grid.setCellAlignment(AlignLeftTop);
    grid.setCellFontBold(true);
    grid.setCellBackColor(Qt::yellow);

    grid.clear();

    EXPECT_EQ(grid.rows(), 7);
    EXPECT_EQ(grid.cols(), 10);
    EXPECT_EQ(grid.fixedRows(), 2);
    EXPECT_EQ(grid.textMatrix(0, 0), "");
    EXPECT_EQ(grid.text(), "");
    EXPECT_TRUE(grid.cellPicture().isNull());
    EXPECT_EQ(grid.cellAlignment(), Grid::DefaultColAlignment);
    EXPECT_FALSE(grid.cellFontBold());
    EXPECT_EQ(grid.cellBackColor(), grid.backColor());
    EXPECT_EQ(grid.colWidth(0), 1500);
    EXPECT_EQ(grid.colAlignment(0), AlignCenterCenter);
    EXPECT_EQ(grid.rowHeight(0), 300);
}

TEST_F(GridTest, CellPropertiesActOnTheCurrentCellOnly)
{
    grid.setFont(QStringLiteral("Courier New"), 8);
    grid.setColAlignment(4, AlignCenterCenter);
    grid.setRow(3);
    grid.setCol(4);
    grid.setText(QStringLiteral("text"));
    grid.setCellAlignment(AlignLeftCenter);
    grid.setCellPictureAlignment(AlignCenterCenter);
    grid.setCellPicture(picture());
    grid.setCellBackColor(Qt::white);
    grid.setCellFontName(QStringLiteral("Arial"));
    grid.setCellFontSize(10);
    grid.setCellFontBold(true);

    const Grid::CellLook look = grid.cellLook(3, 4);
    EXPECT_EQ(look.text, "text");
    EXPECT_EQ(look.alignment, AlignLeftCenter);
    EXPECT_EQ(look.pictureAlignment, AlignCenterCenter);
    EXPECT_FALSE(look.picture.isNull());
    EXPECT_EQ(look.backColor, QColor(Qt::white));
    EXPECT_EQ(look.fontName, "Arial");
    EXPECT_EQ(look.fontSize, 10);
    EXPECT_TRUE(look.bold);
    EXPECT_EQ(grid.textMatrix(3, 4), "text");

    // The neighbours read the column's and the grid's values.
    for (auto [r, c] : {std::pair{2, 4}, {3, 5}, {4, 4}}) {
        grid.setRow(r);
        grid.setCol(c);
        EXPECT_EQ(grid.text(), "");
        EXPECT_EQ(grid.cellAlignment(), grid.colAlignment(c));
        EXPECT_TRUE(grid.cellPicture().isNull());
        EXPECT_EQ(grid.cellFontName(), "Courier New");
        EXPECT_EQ(grid.cellFontSize(), 8);
        EXPECT_FALSE(grid.cellFontBold());
        EXPECT_EQ(grid.cellBackColor(), grid.backColor());
    }
    grid.setRow(3);
    grid.setCol(4);
    EXPECT_EQ(grid.cellAlignment(), AlignLeftCenter);
    EXPECT_EQ(grid.cellFontName(), "Arial");
    EXPECT_EQ(grid.cellPicture().width(), 423); // 16 pixels in hundredths of a millimetre
}

TEST_F(GridTest, OutOfRangeCellsAndValuesAreRefused)
{
    EXPECT_EQ(raised([&] { grid.textMatrix(7, 0); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { grid.setTextMatrix(0, 10, {}); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { grid.colWidth(-1); }).number(), ErrSubscriptOutOfRange);
    EXPECT_EQ(raised([&] { grid.setRow(7); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setCol(-1); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setCellAlignment(9); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setColAlignment(0, -1); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setRowHeight(0, -15); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setRows(1); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setFixedRows(8); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setWidth(-1); }).number(), ErrInvalidPropertyValue);
    EXPECT_EQ(raised([&] { grid.setFocusRect(3); }).number(), ErrInvalidPropertyValue);
}

TEST_F(GridTest, ShrinkingAndGrowingKeepsTheCurrentCellInside)
{
    grid.setRow(6);
    grid.setCol(9);
    grid.setRows(4);
    grid.setCols(5);
    EXPECT_EQ(grid.row(), 3);
    EXPECT_EQ(grid.col(), 4);
    grid.setRows(6);
    EXPECT_EQ(grid.textMatrix(5, 4), "");
    EXPECT_EQ(grid.rowHeight(5), Grid::DefaultRowHeight);
}

TEST_F(GridTest, UserClicksSelectScrollingCellsAndRaiseTheEvents)
{
    QSignalSpy clicks(&grid, &Grid::click);
    QSignalSpy doubleClicks(&grid, &Grid::dblClick);
    grid.userSelect(4, 6);
    grid.userClick();
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 6);
    // A press on a header row leaves the current cell.
    grid.userSelect(0, 9);
    grid.userClick();
    grid.userDoubleClick();
    EXPECT_EQ(grid.row(), 4);
    EXPECT_EQ(grid.col(), 6);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(doubleClicks.count(), 1);
}

} // namespace
} // namespace torvane::controls
