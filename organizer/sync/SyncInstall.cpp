#include "organizer/sync/SyncInstall.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/CalendarFrame.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/SyncMarks.h"

namespace tessaro {

namespace {

class SyncGrids : public GridSteps {
public:
    void FillGridMobileEntry(const EntryTable& table, int textColumn, int pcColumn, int markColumn,
                             int locationColumn) override
    {
        tessaro::FillGridMobileEntry(table, textColumn, pcColumn, markColumn, locationColumn);
    }
    void FillGridControll(GridInstance grid, int firstRow, int columnA, int columnB, int markColumn) override
    {
        tessaro::FillGridControll(GridOf(grid), firstRow, columnA, columnB, markColumn);
    }
    void FillGridPicture(GridInstance grid, int firstRow, int pictureColumn, int markColumn) override
    {
        tessaro::FillGridPicture(GridOf(grid), firstRow, pictureColumn, markColumn);
    }
    void ClearEntriesInCol(EntryTable& table, int column) override { tessaro::ClearEntriesInCol(table, column); }
    void ClearGridInstance(GridInstance grid) override { GridOf(grid).clear(); }
    void ShowGridInstance(GridInstance grid) override
    {
        GridOf(grid).setVisible(true);
        GridOf({grid.grid, 1 - grid.index}).setVisible(false);
    }
    void SelectFirstEntryRow(GridInstance grid, int column) override
    {
        controls::Grid& g = GridOf(grid);
        if (g.rows() > g.fixedRows())
            g.setRow(g.fixedRows());
        g.setCol(column);
        if (g.isVisible())
            g.setFocus();
    }
};

class SyncDates : public DateRangeSteps {
public:
    void RefreshDateRange() override { tessaro::RefreshDateRange(); }
    void CalendarFrameClear() override { tessaro::CalendarFrameClear(MainFormPicker()); }
};

} // namespace

void ResetMobileStateSteps()
{
    if (MobileEntryCount > 0)
        MainForm().ClearMobileCol_Click();
    ClearEntryTable();
    CompareGrids(VisibleFG1(), VisibleFG2(), ColPhoneText, ColPcText, ColMark);
    ShowMobileStatus();
}

void installSynchronisation()
{
    static SyncGrids grids;
    static SyncDates dates;
    MainWindowSeams seams = setMainWindowSeams({});
    seams.grids = &grids;
    seams.dates = &dates;
    setMainWindowSeams(seams);

    OrganizerServices services = setOrganizerServices({});
    services.resetMobileState = ResetMobileStateSteps;
    setOrganizerServices(std::move(services));
}

} // namespace tessaro
