// The main window's set-up on its controls: the grid instances with and without the desktop
// calendar, their header rows in both languages, the status bar, the picture lists, the period
// fields, the window's size; the progress panel; the layout's error box.
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/ErrorBox.h"
#include "organizer/mainwindow/GridSetup.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormLayout.h"
#include "organizer/mainwindow/MainFormState.h"

#include "organizer/link/MobileStatus.h"
#include "organizer/link/PublicVar.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/MainWindowFakes.h"
#include "organizer/link/QtPrinters.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace tessaro {
namespace {

namespace controls = torvane::controls;

class GridSetupTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetMain_Form();
        LanguageBase = 10000;
        WindowWidth = 12000;
        WindowLeft = 1500;
        WindowTop = 900;
        ToolbarHeight = 600;
        DateColumnWidth = 1500;
        GridFontName = QStringLiteral("Courier New");
        ActiveGridIndexFG1 = 0;
        ActiveGridIndexFG2 = 0;
        Main_Form().ActiveBar1.setName(QStringLiteral("ActiveBar1"));
        Main_Form().ActiveBar1.load(TessaroBarLayout());
    }
    void TearDown() override
    {
        resetMain_Form();
        OrganizerAvailable = false;
        LanguageBase = 10000;
    }

    void setUpWith(bool organizer)
    {
        OrganizerAvailable = organizer;
        TIVInitForm(organizer);
    }

    // The two header rows of a grid, cell by cell where they hold text.
    static QStringList headers(const controls::Grid& g)
    {
        QStringList out;
        for (int r = 0; r < 2; ++r)
            for (int c = 0; c < g.cols(); ++c)
                if (!g.textMatrix(r, c).isEmpty())
                    out << QStringLiteral("%1,%2 %3").arg(r).arg(c).arg(g.textMatrix(r, c));
        return out;
    }

    static std::vector<int> widths(const controls::Grid& g)
    {
        std::vector<int> w;
        for (int c = 0; c < g.cols(); ++c)
            w.push_back(g.colWidth(c));
        return w;
    }

    test::FakeMainWindow window;
    test::BoxRecorder boxes;
};

TEST_F(GridSetupTest, WithTheCalendarBothGridsShareTheWidthBesideTheSyncColumn)
{
    setUpWith(true);
    MainFormControls& f = Main_Form();
    ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();
    // Window 12000 less 100 + 100 + 960 + 190: 10650; the PC column is 90 narrower than its half.
    const std::vector<int> expected{1500, 0, 0, 0, 4075, 0, 620, 0, 0, 4365};
    for (controls::Grid* g : {&f.FG1[0], &f.FG1[1], &f.FG2[0], &f.FG2[1]}) {
        EXPECT_EQ(g->width(), 10650);
        EXPECT_EQ(widths(*g), expected);
        EXPECT_EQ(g->rows(), 7);
        EXPECT_EQ(g->fixedRows(), 2);
        EXPECT_EQ(g->height(), 2190);
        EXPECT_EQ(g->left(), 100);
        EXPECT_EQ(g->scrollBars(), controls::ScrollBarsVertical);
        EXPECT_EQ(g->gridLines(), controls::GridLinesRaised);
        EXPECT_EQ(g->focusRect(), controls::FocusRectHeavy);
        EXPECT_EQ(g->colAlignment(0), controls::AlignCenterCenter);
        EXPECT_EQ(g->colAlignment(9), controls::AlignLeftTop);
    }
    EXPECT_TRUE(f.FG1[0].isVisible());
    EXPECT_FALSE(f.FG1[1].isVisible());
    EXPECT_TRUE(f.FG2[0].isVisible());
    EXPECT_FALSE(f.FG2[1].isVisible());
    EXPECT_EQ(f.FG1[0].top(), 200);
    EXPECT_EQ(f.FG2[0].top(), 200 + 2190 + 20);
    // The bottom grid, the status bar, the caption and borders, the bands.
    EXPECT_EQ(f.Form.height(), 2410 + 2190 + 350 + 450 + 600);
    EXPECT_EQ(f.Form.width(), 12000);
    EXPECT_EQ(f.Form.left(), 1500);
    EXPECT_EQ(f.Form.top(), 900);
    EXPECT_TRUE(f.ImagePC2Mobile.isVisible());
    EXPECT_EQ(f.ImagePC2Mobile.top(), 2410 + (2190 - 480) / 2);

    EXPECT_EQ(headers(f.FG1[0]), (QStringList{"0,0 Date", "0,4 synchronous  PC entries", "0,9 all mobile entries",
                                              "1,6 Synch"}));
    EXPECT_EQ(headers(f.FG2[1]),
              (QStringList{"0,0 Date", "0,4 PC entries", "0,9 synchronous mobile entries", "1,6 Synch"}));
    EXPECT_EQ(headers(f.FG1[1]), headers(f.FG1[0]));
    EXPECT_EQ(window.callsStartingWith(QStringLiteral("FillGrid")).size(), 8);
    EXPECT_TRUE(window.calls.contains(QStringLiteral("FillGridControll FG2(1) 2 4 9 5")));
    EXPECT_TRUE(window.calls.contains(QStringLiteral("FillGridPicture FG1(0) 2 6 5")));
    EXPECT_TRUE(window.calls.contains(QStringLiteral("SetCaption Torvane Appointments")));
    EXPECT_TRUE(f.TivStatusBar.panel(PanelProgressIndicator).isVisible());
}

TEST_F(GridSetupTest, WithoutTheCalendarThePhoneGridStandsAlone)
{
    setUpWith(false);
    MainFormControls& f = Main_Form();
    ASSERT_TRUE(boxes.boxes.empty());
    const std::vector<int> expected{1500, 0, 0, 0, 0, 0, 0, 0, 0, 10650 - 1500 - 100};
    EXPECT_EQ(widths(f.FG1[0]), expected);
    EXPECT_EQ(widths(f.FG1[1]), expected);
    EXPECT_FALSE(f.FG2[0].isVisible());
    EXPECT_FALSE(f.FG2[1].isVisible());
    EXPECT_EQ(f.Form.height(), 200 + 2190 + 350 + 450 + 600);
    EXPECT_EQ(headers(f.FG1[0]), (QStringList{"0,0 Date", "0,9 all mobile entries"}));
    EXPECT_TRUE(headers(f.FG2[0]).isEmpty());
    EXPECT_TRUE(window.callsStartingWith(QStringLiteral("FillGrid")).isEmpty());
    EXPECT_FALSE(f.TivStatusBar.panel(PanelProgressIndicator).isVisible());
}

// A window at half a small screen's width (512 pixels, or 1024 at a scale of two) is narrower
// than the date and sync columns with room beside them, and a tiny one narrower than the
// arrow's room: the set-up still keys the panels, and a text column the width leaves nothing
// stands at no width until the layout widens the window; sized down later, width and height at
// once, normal or maximized, the window is laid out without a box.
TEST_F(GridSetupTest, OnASmallScreenNoWidthGoesBelowZero)
{
    struct Case {
        bool organizer;
        std::int32_t windowWidth;
        int pcText;
        int phoneText;
    };
    // Half of 512 pixels less the arrow's room leaves a grid of 2490 twips.
    const Case cases[] = {{true, 3840, 0, 2490 - 1686 - 620}, {false, 3840, 0, 2490 - 1686 - 100},
                          {true, 1000, 0, 0}, {false, 1000, 0, 0}};
    DateColumnWidth = 1686;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "calendar " << c.organizer << ", window " << c.windowWidth);
        resetMain_Form();
        MainFormControls& f = Main_Form();
        f.ActiveBar1.setName(QStringLiteral("ActiveBar1"));
        f.ActiveBar1.load(TessaroBarLayout());
        WindowWidth = c.windowWidth;
        setUpWith(c.organizer);
        for (const auto& box : boxes.boxes)
            ADD_FAILURE() << box.text.toStdString();
        boxes.boxes.clear();
        EXPECT_EQ(f.TivStatusBar.panel(1).key(), PanelMobile);
        EXPECT_EQ(f.TivStatusBar.panelCount(), 4);
        EXPECT_EQ(f.FG1[0].colWidth(ColPcText), c.pcText);
        EXPECT_EQ(f.FG2[1].colWidth(ColPhoneText), c.phoneText);

        f.Form.setVisible(true);
        ResizeEnabled = MainFormReady = true;
        for (const int state : {WindowStateNormal, WindowStateMaximized}) {
            f.Form.setWindowState(state);
            f.Form.move(f.Form.left(), f.Form.top(), 1200, 900);
            Form_Resize();
            for (const auto& box : boxes.boxes)
                ADD_FAILURE() << "state " << state << ": " << box.text.toStdString();
            boxes.boxes.clear();
            EXPECT_TRUE(ResizeEnabled) << "state " << state;
        }
    }
}

TEST_F(GridSetupTest, HeaderRowsFollowTheLanguageAndLeaveTheCursorOnTheFirstEntry)
{
    setUpWith(true);
    MainFormControls& f = Main_Form();
    f.FG1[0].setTextMatrix(1, 4, QStringLiteral("04.02.99 to 03.03.99")); // the range line stays
    LanguageBase = 20000;
    GridHeadlines();
    for (const controls::Grid* g : {&f.FG1[0], &f.FG1[1]})
        EXPECT_EQ(headers(*g).mid(0, 3), (QStringList{"0,0 Termin", "0,4 synchrone PC-Einträge",
                                                      "0,9 alle Telefoneinträge"}));
    EXPECT_TRUE(headers(f.FG1[0]).contains(QStringLiteral("1,4 04.02.99 to 03.03.99")));
    EXPECT_EQ(headers(f.FG2[0]), (QStringList{"0,0 Termin", "0,4 PC-Einträge", "0,9 synchrone Telefoneinträge",
                                              "1,6 Synch"}));
    // The visible phone grid stands on its first entry row in the phone column; the hidden one
    // where the header steps left it.
    EXPECT_EQ(f.FG1[0].row(), 2);
    EXPECT_EQ(f.FG1[0].col(), 9);
    EXPECT_EQ(f.FG1[1].row(), 1);
    EXPECT_EQ(f.FG1[1].col(), 9);
    f.FG1[0].setRow(0);
    f.FG1[0].setCol(0);
    EXPECT_TRUE(f.FG1[0].cellFontBold());
    EXPECT_EQ(f.FG1[0].cellFontSize(), 10);
    EXPECT_EQ(f.FG1[0].cellFontName(), QStringLiteral("Courier New"));
    EXPECT_EQ(f.FG2[1].rowHeight(1), 300);
}

TEST_F(GridSetupTest, StatusBarPanelsAndTheProgressPanel)
{
    setUpWith(true);
    controls::StatusBar& bar = Main_Form().TivStatusBar;
    ASSERT_EQ(bar.panelCount(), 4);
    const QStringList keys{PanelMobile, PanelMobileStatus, PanelEntryCounter, PanelProgressIndicator};
    for (int i = 1; i <= 4; ++i) {
        EXPECT_EQ(bar.panel(i).key(), keys[i - 1]);
        EXPECT_EQ(bar.panel(i).autoSize(), controls::PanelAutoSizeContents);
        EXPECT_EQ(bar.panel(i).minWidth(), 1);
        EXPECT_EQ(bar.panel(i).alignment(), controls::PanelAlignCenter);
        EXPECT_EQ(bar.panel(i).text(), i < 4 ? QStringLiteral("  ") : QString());
    }
    EXPECT_EQ(bar.panel(PanelProgressIndicator).width(), 500);
    EXPECT_EQ(bar.height(), 350);

    SetProgressStatus(QStringLiteral("Outlook"), 12, false);
    EXPECT_EQ(bar.panel(PanelProgressIndicator).text(), QStringLiteral("Outlook Entries read: 12"));
    SetProgressStatus(QStringLiteral("Outlook"), 0, false);
    EXPECT_EQ(bar.panel(PanelProgressIndicator).text(), QStringLiteral("Outlook Entries read: 0"));
    LanguageBase = 20000;
    SetProgressStatus(QStringLiteral("Kalender"), 3, false);
    EXPECT_EQ(bar.panel(PanelProgressIndicator).text(), QStringLiteral("Kalender Einträge gelesen: 3"));
    SetProgressStatus(QStringLiteral("Outlook"), 12, true);
    EXPECT_TRUE(bar.panel(PanelProgressIndicator).text().isEmpty());
}

TEST_F(GridSetupTest, PictureListsAndPeriodFields)
{
    setUpWith(false);
    MainFormControls& f = Main_Form();
    QStringList toolbarKeys;
    for (int i = 1; i <= f.TIVToolbarImageList.count(); ++i)
        toolbarKeys << f.TIVToolbarImageList.key(i);
    EXPECT_EQ(toolbarKeys, (QStringList{"TIVMemo", "TIVMeeting", "TIVAnniverery", "TIVPhone", "TIVOnOff", "TIVDelete",
                                        "TIVSave", "TIVNew", "TIVHelp", "TIVSerie", "TIVCal", "TIVAlarm", "TIVRubber",
                                        "Organizer", "MobileTest"}));
    EXPECT_EQ(f.TIVToolbarImageList.picture(QStringLiteral("Organizer")).image(),
              f.TIVPictureClipToolbar.cell(14).image());
    for (controls::ImageList* list : {&f.TIVMemoImageList, &f.TIVMeetingImageList, &f.TIVBirthdayImageList,
                                      &f.TIVCallImageList, &f.TIVMemoBellImageList, &f.TIVMeetingBellImageList,
                                      &f.TIVBirthdayBellImageList, &f.TIVCallBellImageList}) {
        ASSERT_EQ(list->count(), 4) << list->name().toStdString();
        EXPECT_EQ(list->key(1), QStringLiteral("Year"));
        EXPECT_EQ(list->key(4), QStringLiteral("Normal"));
        for (int i = 1; i <= 4; ++i)
            EXPECT_EQ(list->picture(i).image().size(), QSize(16, 16));
    }
    // Every kind and period has its own picture, and the bell shows.
    EXPECT_NE(f.TIVMemoImageList.picture(QStringLiteral("Day")).image(),
              f.TIVMemoImageList.picture(QStringLiteral("Week")).image());
    EXPECT_NE(f.TIVCallImageList.picture(QStringLiteral("Normal")).image(),
              f.TIVCallBellImageList.picture(QStringLiteral("Normal")).image());

    EXPECT_EQ(f.PeriodeCombo.items(), (QStringList{"Day", "Week", "Month", "Year"}));
    EXPECT_EQ(f.PeriodeCombo.listIndex(), 1);
    EXPECT_EQ(f.PeriodeCombo.text(), QStringLiteral("Week"));
    EXPECT_EQ(f.PeriodeText.text(), QStringLiteral("1"));
    EXPECT_EQ(PeriodIntervals[3], QStringLiteral("yyyy"));
    EXPECT_EQ(f.TIVStartCalendar.value(), QDate::currentDate());
    EXPECT_EQ(window.callsStartingWith(QStringLiteral("RefreshDateRange")).size(), 1);
}

TEST_F(GridSetupTest, AFailingStepEndsTheSetUpInItsErrorBox)
{
    Main_Form().ActiveBar1.load({}); // a bar without the window's tools
    setUpWith(false);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: ActiveBar1:TIVInitForm"));
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Number: 9\r\n"))) << boxes.boxes[0].text.toStdString();
    // Everything before it stands.
    EXPECT_EQ(Main_Form().Form.height(), 200 + 2190 + 350 + 450 + 600);
}

// A procedure's handler ends it in the box whatever it raised, not only the organizer's errors.
TEST_F(GridSetupTest, AProcedureShowsEveryKindOfErrorInItsBox)
{
    EXPECT_FALSE(runWithErrorBox(QStringLiteral("TIVResize"), [] { throw std::out_of_range("row"); }));
    EXPECT_FALSE(runWithErrorBox(QStringLiteral("Main"), [] { throw std::runtime_error("disk"); }));
    EXPECT_TRUE(runWithErrorBox(QStringLiteral("Main"), [] {}));
    ASSERT_EQ(boxes.boxes.size(), 2u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Number: 9\r\n"))) << boxes.boxes[0].text.toStdString();
    EXPECT_TRUE(boxes.boxes[0].caption.endsWith(QStringLiteral(":TIVResize")));
    EXPECT_TRUE(boxes.boxes[1].text.contains(QStringLiteral("Internal error: disk"))) << boxes.boxes[1].text.toStdString();
}

TEST_F(GridSetupTest, ResizeAppliesTheLayoutToBothInstancesAndReportsAnOverflow)
{
    setUpWith(true);
    MainFormControls& f = Main_Form();
    f.Form.setVisible(true);
    f.Form.setWidth(4001);
    ResizeEnabled = true;
    MainFormReady = true;
    Form_Resize();
    EXPECT_EQ(f.Form.width(), 4670);
    for (controls::Grid* g : {&f.FG1[0], &f.FG1[1], &f.FG2[0], &f.FG2[1]}) {
        EXPECT_EQ(g->width(), 3320);
        EXPECT_EQ(g->colWidth(9), 600);
        EXPECT_EQ(g->colWidth(4), 600);
    }
    EXPECT_EQ(f.TivStatusBar.top(), f.Form.height() - 350);
    EXPECT_TRUE(ResizeEnabled);

    f.Form.setHeight(600000);
    TIVResize();
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:TIVResize"));
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Number: 6\r\n")));
    EXPECT_FALSE(ResizeEnabled) << "a failed layout leaves the resize event off";
    Form_Resize();
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

} // namespace
} // namespace tessaro
