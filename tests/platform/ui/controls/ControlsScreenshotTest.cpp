// The controls on a real X display (a virtual one under xvfb-run), set up the way the organizer's
// main window uses them: a menu bar and a toolbar with pictures, a grid with two header rows,
// hidden columns, pictograms, a white cell and the heavy focus frame, an arrow picture, the month
// calendar and the status bar. The screenshot is saved beside the test binary;
// reference/controls.png is the one a person looked at.
#include "platform/ui/controls/PictureBox.h"
#include "platform/ui/controls/Twips.h"
#include "platform/ui/controls/widgets/CommandBarWidget.h"
#include "platform/ui/controls/widgets/GridWidget.h"
#include "platform/ui/controls/widgets/MonthCalendarWidget.h"
#include "platform/ui/controls/widgets/StatusBarWidget.h"
#include "support/ScreenCapture.h"

#include <QApplication>
#include <QPainter>
#include <QScreen>
#include <QTest>
#include <QToolBar>

#include <gtest/gtest.h>

namespace torvane::controls {
namespace {

QImage square(const QColor& color)
{
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setBrush(color);
    painter.setPen(Qt::black);
    painter.drawEllipse(1, 1, 13, 13);
    return image;
}

QImage arrow()
{
    QImage image(64, 32, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0, 128, 0));
    painter.drawPolygon(QPolygon({QPoint(2, 10), QPoint(40, 10), QPoint(40, 2), QPoint(62, 16), QPoint(40, 30),
                                  QPoint(40, 22), QPoint(2, 22)}));
    return image;
}

// The share of pixels of `area` whose colour is not `background`.
double inkShare(const QImage& shot, const QRect& area, const QColor& background)
{
    int ink = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            ink += shot.pixelColor(x, y) != background;
    return double(ink) / double(area.width() * area.height());
}

TEST(ControlsScreenshot, TheControlsDrawWhereTheModelsPutThem)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    QWidget window;
    window.setWindowTitle(QStringLiteral("Torvane Appointments"));
    window.resize(760, 420);

    CommandBar bar;
    bar.setName(QStringLiteral("ActiveBar1"));
    bar.setPictures({Picture(square(Qt::red)), Picture(square(Qt::yellow)), Picture(square(Qt::blue))});
    bar.load({.tools = {{.name = "TessaroOrganizer", .caption = "Organi&zer", .subBand = "OrganizerMenu"},
                        {.name = "mnuEntry", .caption = "&Entry", .subBand = "EntryMenu"},
                        {.name = "TessaroReadMobile", .caption = "Read &mobile", .tooltip = "Read mobile entries.", .picture = 0},
                        {.name = "TessaroOpenEntry", .caption = "&Open", .picture = 1},
                        {.name = "TessaroDeleteEntry", .caption = "&Delete", .picture = 2},
                        {.name = "TessaroTestMobile", .caption = "&Test mobile"}},
              .bands = {{.name = "MainMenu", .kind = BandKind::MenuBar,
                         .tools = {{.tool = "TessaroOrganizer"}, {.tool = "mnuEntry"}}},
                        {.name = "OrganizerMenu", .tools = {{.tool = "TessaroReadMobile", .shortcut = 13}}},
                        {.name = "EntryMenu", .tools = {{.tool = "TessaroOpenEntry", .caption = "&Open entry", .shortcut = 15}}},
                        {.name = "TessaroTools", .kind = BandKind::ToolBar,
                         .tools = {{.tool = "TessaroReadMobile"},
                                   {.tool = "TessaroOpenEntry", .beginsGroup = true},
                                   {.tool = "TessaroDeleteEntry"},
                                   {.tool = "TessaroTestMobile", .beginsGroup = true}}}}});
    auto* barWidget = new CommandBarWidget(bar, &window);
    barWidget->setGeometry(0, 0, 760, barWidget->sizeHint().height());
    const int barHeight = barWidget->height();

    Grid grid;
    grid.setName(QStringLiteral("FG1"));
    grid.setCols(10);
    grid.setRows(7);
    grid.setFixedRows(2);
    grid.setFont(QStringLiteral("Courier New"), 8);
    grid.setFocusRect(FocusRectHeavy);
    grid.setScrollBars(ScrollBarsVertical);
    grid.setGridLines(GridLinesRaised);
    for (int c = 0; c < 10; ++c)
        grid.setColWidth(c, 0);
    grid.setColWidth(0, 2000);
    grid.setColWidth(4, 2400);
    grid.setColWidth(6, 620);
    grid.setColWidth(9, 2400);
    grid.setColAlignment(0, AlignCenterCenter);
    grid.setColAlignment(6, AlignCenterCenter);
    for (int r = 0; r < 7; ++r)
        grid.setRowHeight(r, 300);
    grid.setTextMatrix(0, 0, QStringLiteral("Date"));
    grid.setTextMatrix(0, 4, QStringLiteral("synchronous  PC entries"));
    grid.setTextMatrix(1, 6, QStringLiteral("Synch"));
    grid.setTextMatrix(0, 9, QStringLiteral("all mobile entries"));
    grid.setRow(0);
    grid.setCol(0);
    grid.setCellFontBold(true);
    grid.setCellFontSize(10);
    for (int c : {0, 4, 6, 9}) {
        for (int r : {0, 1}) {
            grid.setRow(r);
            grid.setCol(c);
            grid.setCellAlignment(AlignCenterCenter);
        }
    }
    const char* rows[][3] = {{"Mon 03.06.24 09:00", "Dentist", "r"}, {"Tue 04.06.24 14:30", "Team meeting", "j"}};
    for (int i = 0; i < 2; ++i) {
        const int r = 2 + i;
        grid.setTextMatrix(r, 0, QString::fromLatin1(rows[i][0]));
        grid.setRow(r);
        grid.setCol(4);
        grid.setCellPicture(Picture(square(Qt::red)));
        grid.setCellPictureAlignment(AlignLeftCenter);
        grid.setText(QStringLiteral("     ") + QString::fromLatin1(rows[i][1]));
        grid.setCellBackColor(Qt::white);
        grid.setCol(6);
        grid.setCellPicture(Picture(square(i == 0 ? Qt::yellow : Qt::green)));
        grid.setCellPictureAlignment(AlignCenterCenter);
        grid.setCol(9);
        grid.setText(QStringLiteral("     ") + QString::fromLatin1(rows[i][1]));
    }
    grid.setRow(3);
    grid.setCol(9);
    grid.move(150, pixelsToTwips(barHeight) + 150, 7400, 2190);
    auto* gridWidget = new GridWidget(grid, &window);

    PictureBox arrowBox;
    arrowBox.setName(QStringLiteral("ImageMobile2PC"));
    arrowBox.setPicture(Picture(arrow()));
    arrowBox.move(7700, grid.top() + 855, 960, 480);
    new PictureBoxWidget(arrowBox, &window);

    MonthCalendar calendar;
    calendar.setName(QStringLiteral("TIVStartCalendar"));
    calendar.setValue(QDate(2024, 6, 4));
    calendar.move(150, grid.top() + 2400, 3600, 2700);
    new MonthCalendarWidget(calendar, &window);

    StatusBar status;
    status.setName(QStringLiteral("TivStatusBar"));
    status.panel(1).setKey(QStringLiteral("Mobile"));
    status.panel(1).setText(QStringLiteral("Torvane TRVANE"));
    status.panel(1).setAutoSize(PanelAutoSizeContents);
    status.addPanel(QStringLiteral("MobileStatus")).setPicture(QStringLiteral("PhoneOn"), Picture(square(Qt::green)));
    status.panel(2).setAutoSize(PanelAutoSizeContents);
    status.addPanel(QStringLiteral("EntryCounter")).setText(QStringLiteral("2 / 50"));
    status.panel(3).setAutoSize(PanelAutoSizeContents);
    status.panel(3).setAlignment(PanelAlignCenter);
    status.move(0, 420 * 15 - 350, 760 * 15, 350);
    new StatusBarWidget(status, &window);

    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    const QImage shot = torvane::test::screenOf(window);
    ASSERT_TRUE(shot.save(QStringLiteral(SCREENSHOT_DIR "/controls.png")));

    const auto cell = [&](int r, int c) { return gridWidget->cellRect(r, c).translated(gridWidget->pos()); };
    // Header cells in the button colour with their texts; the white PC cell; the pictogram where
    // its alignment puts it; the heavy frame around the current cell.
    const QColor button = window.palette().color(QPalette::Button);
    EXPECT_EQ(shot.pixelColor(cell(1, 9).topLeft() + QPoint(3, 3)), button);
    EXPECT_GT(inkShare(shot, cell(0, 9).adjusted(2, 2, -2, -2), button), 0.05) << "header text";
    EXPECT_EQ(shot.pixelColor(cell(2, 4).right() - 3, cell(2, 4).top() + 3), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(cell(2, 4).left() + 2 + 8, cell(2, 4).center().y()), QColor(Qt::red));
    EXPECT_EQ(shot.pixelColor(cell(2, 6).center()), QColor(Qt::yellow));
    EXPECT_EQ(shot.pixelColor(cell(3, 9).left() + 1, cell(3, 9).center().y()), window.palette().color(QPalette::Text));
    // Hidden columns take no room: the PC text follows the date.
    EXPECT_EQ(cell(2, 4).left(), cell(2, 0).right() + 1);
    // The arrow right of the grid, the toolbar's picture, the status bar at the bottom.
    EXPECT_EQ(shot.pixelColor(twipsToPixels(7700) + 30, twipsToPixels(arrowBox.top()) + 16), QColor(0, 128, 0));
    QToolBar* tools = barWidget->toolBar(QStringLiteral("TessaroTools"));
    const QRect readButton = tools->actionGeometry(barWidget->action(bar.band(QStringLiteral("TessaroTools")).tool(0)))
                                 .translated(tools->mapTo(&window, QPoint(0, 0)));
    EXPECT_GT(inkShare(shot, readButton, window.palette().color(QPalette::Window)), 0.2);
    EXPECT_EQ(status.panelCount(), 3);
}

} // namespace
} // namespace torvane::controls

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
