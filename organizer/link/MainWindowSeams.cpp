#include "organizer/link/MainWindowSeams.h"

#include "organizer/link/PublicVar.h"

namespace tessaro {

namespace {

class NoForm : public MainFormSteps {
public:
    void InitActiveBar() override {}
    void GridHeadlines() override {}
    void SetProgressStatus(const QString&, std::int32_t, bool) override {}
    void SetMenus_Click() override {}
    void Menu_ClearAppSingle_Click() override {}
    void FG1_Click() override {}
    void SetBusyPointer() override {}
    void SetNormalPointer() override {}
    void SetCaption(const QString&) override {}
    void SetCalCommandCancelCaption(const QString&) override {}
    void SetHelpFile(const QString&) override {}
    void TIVResize() override {}
    void FG2_Click(int) override {}
    void ClearMobileCol_Click() override {}
    void PeriodeText_Change() override {}
};

class NoDates : public DateRangeSteps {
public:
    void RefreshDateRange() override {}
    void CalendarFrameClear() override {}
};

class NoGrids : public GridSteps {
public:
    void FillGridMobileEntry(const EntryTable&, int, int, int, int) override {}
    void FillGridControll(GridInstance, int, int, int, int) override {}
    void FillGridPicture(GridInstance, int, int, int) override {}
    void ClearEntriesInCol(EntryTable&, int) override {}
    void ClearGridInstance(GridInstance) override {}
    void ShowGridInstance(GridInstance) override {}
    void SelectFirstEntryRow(GridInstance, int) override {}
};

class NoStatusBar : public MobileStatusBar {
public:
    void SetPanelText(const QString&, const QString&) override {}
    void SetPanelPicture(const QString&, const QString&) override {}
};

MainWindowSeams& installed()
{
    static MainWindowSeams s;
    return s;
}

} // namespace

GridInstance VisibleGrid(GridName grid)
{
    return {grid, grid == GridName::FG1 ? ActiveGridIndexFG1 : ActiveGridIndexFG2};
}

MainWindowSeams setMainWindowSeams(MainWindowSeams seams)
{
    const MainWindowSeams old = installed();
    installed() = seams;
    return old;
}

MainFormSteps& MainForm()
{
    static NoForm none;
    return installed().form ? *installed().form : none;
}

DateRangeSteps& DateRange()
{
    static NoDates none;
    return installed().dates ? *installed().dates : none;
}

GridSteps& Grids()
{
    static NoGrids none;
    return installed().grids ? *installed().grids : none;
}

MobileStatusBar& StatusBarPanels()
{
    static NoStatusBar none;
    return installed().statusBar ? *installed().statusBar : none;
}

} // namespace tessaro
