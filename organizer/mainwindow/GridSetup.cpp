#include "organizer/mainwindow/GridSetup.h"

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/ErrorBox.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormLayout.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/mainwindow/Pictures.h"

#include <QDate>

#include <algorithm>
#include <cmath>

namespace tessaro {

namespace controls = torvane::controls;

namespace {

// Header texts (offsets of the language table).
constexpr int TxtHeadDate1 = 0;
constexpr int TxtHeadSyncPc = 2;
constexpr int TxtHeadSynch1 = 5;
constexpr int TxtHeadAllMobile = 6;
constexpr int TxtHeadDate2 = 8;
constexpr int TxtHeadPc = 10;
constexpr int TxtHeadSynch2 = 13;
constexpr int TxtHeadSyncMobile = 14;
constexpr int TxtEntriesRead = 130;

// Room a grid keeps below its rows, and the window's caption and borders above them.
constexpr int kGridBorder = 90;
constexpr int kFrameHeight = 450;
constexpr int kArrowRoom = 190;
constexpr int kSyncColumnTrim = 90;

std::array<controls::Grid*, 4> allGrids()
{
    MainFormControls& f = Main_Form();
    return {&f.FG1[0], &f.FG1[1], &f.FG2[0], &f.FG2[1]};
}

int roundEven(double v)
{
    return int(std::nearbyint(v));
}

// Half a small screen is narrower than the date and sync columns: what is left for a text
// column may be less than nothing, and the column then has no width until the layout widens the
// window it is shown in.
int widthLeft(double twips)
{
    return std::max(0, roundEven(twips));
}

void setColumns(controls::Grid& grid, bool organizerPresent)
{
    const double width = grid.width();
    for (int c = 0; c < grid.cols(); ++c)
        grid.setColWidth(c, 0);
    grid.setColWidth(ColDateText, DateColumnWidth);
    const int col0 = grid.colWidth(ColDateText);
    if (organizerPresent) {
        grid.setColWidth(ColSyncPicture, SyncColumnWidth);
        const int col4 = widthLeft((width - col0 - SyncColumnWidth) / 2 - 100);
        grid.setColWidth(ColPcText, col4);
        grid.setColWidth(ColPhoneText, widthLeft(width - col0 - SyncColumnWidth - col4));
        grid.setColWidth(ColPcText, widthLeft(col4 - kSyncColumnTrim));
    } else {
        grid.setColWidth(ColPcText, 0);
        grid.setColWidth(ColSyncPicture, 0);
        grid.setColWidth(ColPhoneText, widthLeft(width - col0 - 100));
    }
}

void setUpGrid(controls::Grid& grid, bool organizerPresent)
{
    MainFormControls& f = Main_Form();
    grid.setFocusRect(controls::FocusRectHeavy);
    grid.setCols(GridCols);
    grid.setLeft(GridLeft);
    grid.setWidth(std::max(0.0, f.Form.width() - (GridLeft + 100 + f.ImageMobile2PC.width() + kArrowRoom)));
    setColumns(grid, organizerPresent);
    grid.setScrollBars(controls::ScrollBarsVertical);
    grid.setColAlignment(ColDateText, controls::AlignCenterCenter);
    grid.setColAlignment(ColSyncPicture, controls::AlignCenterCenter);
    grid.setColAlignment(ColPhoneText, controls::AlignLeftTop);
    for (int r = 0; r < grid.rows(); ++r)
        grid.setRowHeight(r, GridRowHeight);
    grid.setWordWrap(false);
    for (int r = 0; r < GridFixedRows; ++r) {
        grid.setRow(r);
        for (int c : {ColPcText, ColPhoneText}) {
            grid.setCol(c);
            grid.setCellAlignment(controls::AlignCenterCenter);
        }
    }
    grid.setGridLines(controls::GridLinesRaised);
}

double gridHeightFor(const controls::Grid& grid)
{
    return double(grid.rows()) * GridRowHeight + kGridBorder;
}

void cornerFont(controls::Grid& grid)
{
    grid.setCol(ColDateText);
    grid.setRow(0);
    grid.setCellFontName(GridFontName);
    grid.setCellFontSize(HeaderFontSize);
    grid.setCellFontBold(true);
}

void headerRowHeights(std::array<controls::Grid, 2>& pair)
{
    pair[0].setRowHeight(0, GridRowHeight);
    pair[0].setRowHeight(1, GridRowHeight);
    pair[1].setRowHeight(0, pair[0].rowHeight(0));
    pair[1].setRowHeight(1, pair[0].rowHeight(1));
}

void headerCellsOf(std::array<controls::Grid, 2>& pair)
{
    for (int row : {0, 1})
        for (controls::Grid& grid : pair) {
            grid.setRow(row);
            for (int c : {ColDateText, ColPcText, ColSyncPicture, ColPhoneText}) {
                grid.setCol(c);
                grid.setCellAlignment(controls::AlignCenterCenter);
            }
        }
}

void fillPictogramList(controls::ImageList& list, const QString& resource)
{
    static const std::pair<const char*, const char*> periods[] = {
        {"Normal", ""}, {"Day", "_DAY"}, {"Week", "_WEEK"}, {"Year", "_YEAR"}};
    const qsizetype bell = resource.indexOf(QLatin1String("_BELL"));
    const QString kind = bell < 0 ? resource : resource.left(bell);
    const QString suffix = bell < 0 ? QString() : QStringLiteral("_BELL");
    // Each goes in at position 1: the list ends as Year, Week, Day, Normal; readers use the keys.
    for (const auto& [key, period] : periods)
        list.add(QLatin1String(key), LoadResPicture(kind + QLatin1String(period) + suffix), 1);
}

void setPeriodFields()
{
    MainFormControls& f = Main_Form();
    PeriodUnitNames = {QStringLiteral("Day"), QStringLiteral("Week"), QStringLiteral("Month"), QStringLiteral("Year")};
    PeriodIntervals = {QStringLiteral("d"), QStringLiteral("ww"), QStringLiteral("m"), QStringLiteral("yyyy")};
    f.PeriodeCombo.clear();
    for (const QString& name : PeriodUnitNames)
        f.PeriodeCombo.addItem(name);
    f.PeriodeCombo.setListIndex(1);
    f.PeriodeCombo.setText(f.PeriodeCombo.list(1));
    f.PeriodeText.setText(QStringLiteral("1"));
    // The designed caption is English; the button speaks the language from the start, not only
    // after a switch.
    f.CalCommandCancel.setCaption(CancelButtonCaption());
    f.TIVStartCalendar.setValue(QDate::currentDate());
    DateRange().RefreshDateRange();
}

void initForm(bool organizerPresent)
{
    MainFormControls& f = Main_Form();
    if (DebugFlag)
        MsgBox(QStringLiteral("Debug: TIVInitListImage"), vbOKOnly, AppTitle);
    TIVInitListImage();

    f.FG1[0].setVisible(true);
    f.FG1[1].setVisible(false);
    f.FG2[0].setVisible(organizerPresent);
    f.FG2[1].setVisible(false);
    GridRowCountFG1 = 7;
    GridRowCountFG2 = 7;

    f.Form.setWidth(WindowWidth);
    for (controls::Grid* grid : allGrids()) {
        const bool phone = grid == &f.FG1[0] || grid == &f.FG1[1];
        grid->setRows(phone ? GridRowCountFG1 : GridRowCountFG2);
        grid->setFixedRows(GridFixedRows);
    }
    for (controls::Grid* grid : allGrids())
        setUpGrid(*grid, organizerPresent);
    GridHeadlines();

    for (controls::Grid& grid : f.FG1)
        grid.setHeight(gridHeightFor(grid));
    if (organizerPresent) {
        for (controls::Grid& grid : f.FG2)
            grid.setHeight(gridHeightFor(grid));
        for (GridName name : {GridName::FG1, GridName::FG2})
            for (int index : {0, 1}) {
                Grids().FillGridControll({name, index}, GridFixedRows, ColPcText, ColPhoneText, ColMark);
                Grids().FillGridPicture({name, index}, FirstEntryRow, ColSyncPicture, ColMark);
            }
    }

    // The first panel stands in the window's design; the set-up keys it and adds the others.
    f.TivStatusBar.panel(1).setKey(PanelMobile);
    f.TivStatusBar.addPanel(PanelMobileStatus);
    f.TivStatusBar.addPanel(PanelEntryCounter);
    f.TivStatusBar.addPanel(PanelProgressIndicator);
    SetStatusBar();

    setPeriodFields();

    for (controls::Grid& grid : f.FG1)
        grid.setTop(GridTop);
    if (organizerPresent)
        for (controls::Grid& grid : f.FG2) {
            grid.setTop(f.FG1[0].top() + f.FG1[0].height() + 20);
            grid.setLeft(f.FG1[0].left());
        }

    const controls::Grid& bottom = organizerPresent ? f.FG2[std::size_t(ActiveGridIndexFG2)]
                                                    : f.FG1[std::size_t(ActiveGridIndexFG1)];
    f.Form.setHeight(bottom.height() + bottom.top() + f.TivStatusBar.height() + kFrameHeight + ToolbarHeight);
    f.Form.setLeft(WindowLeft);
    f.Form.setTop(WindowTop);
    MainForm().SetCaption(LangText(TxtAppCaption));

    PlacePictogramm(organizerPresent);
    InitActiveBar(f.ActiveBar1);
}

} // namespace

void TIVInitForm(bool organizerPresent)
{
    runWithErrorBox(QStringLiteral("TIVInitForm"), [organizerPresent] { initForm(organizerPresent); });
}

bool TIVInitListImage()
{
    MainFormControls& f = Main_Form();
    f.TIVPictureClipToolbar.setPicture(ToolbarStripPicture());
    f.TIVPictureClipToolbar.setCols(ToolbarStripCells);
    f.TIVPictureClipToolbar.setRows(1);
    static const char* const keys[] = {"TIVMemo", "TIVMeeting", "TIVAnniverery", "TIVPhone", "TIVOnOff",
                                       "TIVDelete", "TIVSave", "TIVNew", "TIVHelp", "TIVSerie",
                                       "TIVCal", "TIVAlarm", "TIVRubber", "MobileTest"};
    for (int cell = 0; cell < 14; ++cell)
        f.TIVToolbarImageList.add(QLatin1String(keys[cell]), f.TIVPictureClipToolbar.cell(cell), cell + 1);
    // "Organizer" goes in before "MobileTest", which moves up to the last place.
    f.TIVToolbarImageList.add(QStringLiteral("Organizer"), f.TIVPictureClipToolbar.cell(14), 14);

    fillPictogramList(f.TIVBirthdayImageList, QStringLiteral("BIR"));
    fillPictogramList(f.TIVCallImageList, QStringLiteral("CALL"));
    fillPictogramList(f.TIVMemoImageList, QStringLiteral("MEM"));
    fillPictogramList(f.TIVMeetingImageList, QStringLiteral("MET"));
    fillPictogramList(f.TIVBirthdayBellImageList, QStringLiteral("BIR_BELL"));
    fillPictogramList(f.TIVCallBellImageList, QStringLiteral("CALL_BELL"));
    fillPictogramList(f.TIVMemoBellImageList, QStringLiteral("MEM_BELL"));
    fillPictogramList(f.TIVMeetingBellImageList, QStringLiteral("MET_BELL"));
    return false;
}

bool SetStatusBar()
{
    controls::StatusBar& bar = Main_Form().TivStatusBar;
    bar.setHeight(StatusBarHeight);
    for (const QString& key : {PanelMobile, PanelMobileStatus, PanelEntryCounter, PanelProgressIndicator}) {
        controls::StatusPanel panel = bar.panel(key);
        panel.setAutoSize(controls::PanelAutoSizeContents);
        panel.setMinWidth(1);
        panel.setAlignment(controls::PanelAlignCenter);
        panel.setText(key == PanelProgressIndicator ? QString() : QStringLiteral("  "));
    }
    controls::StatusPanel progress = bar.panel(PanelProgressIndicator);
    progress.setWidth(500);
    progress.setVisible(OrganizerAvailable);
    bar.setVisible(true);
    return false;
}

bool SetProgressStatus(const QString& organizerName, std::int32_t entryCount, bool clear)
{
    controls::StatusPanel panel = Main_Form().TivStatusBar.panel(PanelProgressIndicator);
    if (clear)
        panel.setText(QString());
    else
        panel.setText(organizerName + QLatin1Char(' ') + LangText(TxtEntriesRead) + QStringLiteral(": ") +
                      QString::number(entryCount));
    return false;
}

void GridHeadlines()
{
    runWithErrorBox(QStringLiteral("GridHeadlines"), [] {
        MainFormControls& f = Main_Form();
        for (controls::Grid& grid : f.FG1)
            cornerFont(grid);
        for (controls::Grid& grid : f.FG1) {
            grid.setTextMatrix(0, ColDateText, LangText(TxtHeadDate1));
            grid.setTextMatrix(0, ColPhoneText, LangText(TxtHeadAllMobile));
        }
        for (auto* pair : {&f.FG1, &f.FG2})
            for (controls::Grid& grid : *pair) {
                grid.setColAlignment(ColDateText, controls::AlignCenterCenter);
                grid.setColAlignment(ColSyncPicture, controls::AlignCenterCenter);
                grid.setColAlignment(ColPhoneText, controls::AlignLeftTop);
            }
        headerCellsOf(f.FG1);
        headerRowHeights(f.FG1);
        if (OrganizerAvailable) {
            for (controls::Grid& grid : f.FG1) {
                grid.setTextMatrix(0, ColPcText, LangText(TxtHeadSyncPc));
                grid.setTextMatrix(1, ColSyncPicture, LangText(TxtHeadSynch1));
            }
            for (controls::Grid& grid : f.FG2)
                cornerFont(grid);
            for (controls::Grid& grid : f.FG2) {
                grid.setTextMatrix(0, ColDateText, LangText(TxtHeadDate2));
                grid.setTextMatrix(0, ColPcText, LangText(TxtHeadPc));
                grid.setTextMatrix(1, ColSyncPicture, LangText(TxtHeadSynch2));
                grid.setTextMatrix(0, ColPhoneText, LangText(TxtHeadSyncMobile));
            }
            headerCellsOf(f.FG2);
            headerRowHeights(f.FG2);
        }
        controls::Grid& visible = f.FG1[std::size_t(ActiveGridIndexFG1)];
        visible.setRow(visible.fixedRows());
        visible.setCol(ColPhoneText);
    });
}

} // namespace tessaro
