// The main window's steps that the phone calendar access and the language window call. The main
// window implements these interfaces and installs them at start-up; until then every step does
// nothing, so the organizer's lower half runs without a window (and tests put fakes in).
#pragma once

#include <QString>

#include <cstdint>

namespace tessaro {

class EntryTable;

// Columns and rows of the entry grids that the phone side names.
constexpr int ColDateText = 0;
constexpr int ColPcText = 4;
constexpr int ColMark = 5;
constexpr int ColSyncPicture = 6;
constexpr int ColPhoneLocation = 8;
constexpr int ColPhoneText = 9;
constexpr int FirstEntryRow = 2;

enum class GridName { FG1, FG2 };

// One instance of a grid pair.
struct GridInstance {
    GridName grid = GridName::FG1;
    int index = 0;
    bool operator==(const GridInstance&) const = default;
};

// The visible instance of a grid (ActiveGridIndexFG1 / ActiveGridIndexFG2).
GridInstance VisibleGrid(GridName grid);

// The grid instance that got the input focus last: the delete, new and open commands act on its
// current cell.
inline GridInstance CurrentGrid;

// Methods of Main_Form.
class MainFormSteps {
public:
    virtual ~MainFormSteps() = default;
    // Toolbar captions in the current language.
    virtual void InitActiveBar() = 0;
    // The two header rows of every grid instance.
    virtual void GridHeadlines() = 0;
    // The Outlook progress panel: the name, text 130 and the count, or empty when `clear`.
    virtual void SetProgressStatus(const QString& organizerName, std::int32_t entryCount, bool clear) = 0;
    // Recomputes the enabled and visible states of the tools.
    virtual void SetMenus_Click() = 0;
    // Empties the phone side of the visible FG1 and the entry table.
    virtual void Menu_ClearAppSingle_Click() = 0;
    // Records the selection of the visible FG1.
    virtual void FG1_Click() = 0;
    virtual void SetBusyPointer() = 0;
    virtual void SetNormalPointer() = 0;
    virtual void SetCaption(const QString& caption) = 0;
    // The caption of the date frame's cancel button CalCommandCancel.
    virtual void SetCalCommandCancelCaption(const QString& caption) = 0;
    // The application's help file.
    virtual void SetHelpFile(const QString& fileName) = 0;
    // Lays the grids, the date frame and the arrows out for the window's size.
    virtual void TIVResize() = 0;
    // Records the selection of FG2 instance `index` and makes it the current grid.
    virtual void FG2_Click(int index) = 0;
    // Empties the phone column of the grids, the phone table and the marks; rewrites the headers.
    virtual void ClearMobileCol_Click() = 0;
    // Rewrites the count text, relabels the unit list and refreshes the range.
    virtual void PeriodeText_Change() = 0;
};

// The date-range fields.
class DateRangeSteps {
public:
    virtual ~DateRangeSteps() = default;
    virtual void RefreshDateRange() = 0;
    // Hides the main window's date picker.
    virtual void CalendarFrameClear() = 0;
};

// The grid procedures of the synchronisation.
class GridSteps {
public:
    virtual ~GridSteps() = default;
    // Fills the hidden FG1 instance (ActiveGridIndexFG1) from the table.
    virtual void FillGridMobileEntry(const EntryTable& table, int textColumn, int pcColumn, int markColumn,
                                     int locationColumn) = 0;
    virtual void FillGridControll(GridInstance grid, int firstRow, int columnA, int columnB, int markColumn) = 0;
    virtual void FillGridPicture(GridInstance grid, int firstRow, int pictureColumn, int markColumn) = 0;
    // Removes one side's entries from both grids; column 9 also clears the phone table.
    virtual void ClearEntriesInCol(EntryTable& table, int column) = 0;
    // Empties every cell of one instance.
    virtual void ClearGridInstance(GridInstance grid) = 0;
    // Shows this instance and hides its twin.
    virtual void ShowGridInstance(GridInstance grid) = 0;
    // Selects the first row below the fixed rows in `column` and gives the grid the focus when
    // it is visible.
    virtual void SelectFirstEntryRow(GridInstance grid, int column) = 0;
};

// The phone's three panels of the main window's status bar.
class MobileStatusBar {
public:
    virtual ~MobileStatusBar() = default;
    virtual void SetPanelText(const QString& panelKey, const QString& text) = 0;
    // The picture shown in a panel, by its name on the main window.
    virtual void SetPanelPicture(const QString& panelKey, const QString& pictureName) = 0;
};

struct MainWindowSeams {
    MainFormSteps* form = nullptr;
    DateRangeSteps* dates = nullptr;
    GridSteps* grids = nullptr;
    MobileStatusBar* statusBar = nullptr;
};

// Installs the main window's steps (not owned) and returns the previous set.
MainWindowSeams setMainWindowSeams(MainWindowSeams seams);

// The installed steps, or ones that do nothing.
MainFormSteps& MainForm();
DateRangeSteps& DateRange();
GridSteps& Grids();
MobileStatusBar& StatusBarPanels();

} // namespace tessaro
