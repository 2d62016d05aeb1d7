// The main window's steps and the status window as fakes that write down what was called, in
// order, so a test sees the sequence a procedure drives.
#pragma once

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/StatusDisplay.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <map>

namespace tessaro::test {

inline QString gridText(GridInstance g)
{
    return QStringLiteral("%1(%2)").arg(g.grid == GridName::FG1 ? "FG1" : "FG2").arg(g.index);
}

class FakeMainWindow : public MainFormSteps, public DateRangeSteps, public GridSteps, public MobileStatusBar {
public:
    FakeMainWindow() { m_previous = setMainWindowSeams({this, this, this, this}); }
    ~FakeMainWindow() override { setMainWindowSeams(m_previous); }
    FakeMainWindow(const FakeMainWindow&) = delete;
    FakeMainWindow& operator=(const FakeMainWindow&) = delete;

    void InitActiveBar() override { calls << QStringLiteral("InitActiveBar"); }
    void GridHeadlines() override { calls << QStringLiteral("GridHeadlines"); }
    void SetProgressStatus(const QString& name, std::int32_t count, bool clear) override
    {
        calls << QStringLiteral("SetProgressStatus %1 %2 %3").arg(name).arg(count).arg(int(clear));
    }
    void SetMenus_Click() override { calls << QStringLiteral("SetMenus_Click"); }
    void Menu_ClearAppSingle_Click() override
    {
        calls << QStringLiteral("Menu_ClearAppSingle_Click");
        ClearEntryTable();
    }
    void FG1_Click() override { calls << QStringLiteral("FG1_Click"); }
    void SetBusyPointer() override { calls << QStringLiteral("SetBusyPointer"); }
    void SetNormalPointer() override { calls << QStringLiteral("SetNormalPointer"); }
    void SetCaption(const QString& caption) override { calls << QStringLiteral("SetCaption ") + caption; }
    void SetCalCommandCancelCaption(const QString& caption) override
    {
        calls << QStringLiteral("SetCalCommandCancelCaption ") + caption;
    }
    void SetHelpFile(const QString& fileName) override { calls << QStringLiteral("SetHelpFile ") + fileName; }
    void TIVResize() override { calls << QStringLiteral("TIVResize"); }
    void FG2_Click(int index) override { calls << QStringLiteral("FG2_Click %1").arg(index); }
    void ClearMobileCol_Click() override { calls << QStringLiteral("ClearMobileCol_Click"); }
    void PeriodeText_Change() override
    {
        calls << QStringLiteral("PeriodeText_Change");
        if (periodeTextChange)
            periodeTextChange();
    }

    void RefreshDateRange() override { calls << QStringLiteral("RefreshDateRange"); }
    void CalendarFrameClear() override { calls << QStringLiteral("CalendarFrameClear"); }

    void FillGridMobileEntry(const EntryTable& table, int a, int b, int c, int d) override
    {
        filledCount = table.Count;
        calls << QStringLiteral("FillGridMobileEntry %1 %2 %3 %4 into FG1(%5)").arg(a).arg(b).arg(c).arg(d).arg(
            ActiveGridIndexFG1);
    }
    void FillGridControll(GridInstance g, int row, int a, int b, int mark) override
    {
        calls << QStringLiteral("FillGridControll %1 %2 %3 %4 %5").arg(gridText(g)).arg(row).arg(a).arg(b).arg(mark);
    }
    void FillGridPicture(GridInstance g, int row, int picture, int mark) override
    {
        calls << QStringLiteral("FillGridPicture %1 %2 %3 %4").arg(gridText(g)).arg(row).arg(picture).arg(mark);
    }
    void ClearEntriesInCol(EntryTable&, int column) override
    {
        calls << QStringLiteral("ClearEntriesInCol %1").arg(column);
        if (column == ColPhoneText)
            ClearEntryTable();
    }
    void ClearGridInstance(GridInstance g) override { calls << QStringLiteral("ClearGridInstance ") + gridText(g); }
    void ShowGridInstance(GridInstance g) override { calls << QStringLiteral("ShowGridInstance ") + gridText(g); }
    void SelectFirstEntryRow(GridInstance g, int column) override
    {
        calls << QStringLiteral("SelectFirstEntryRow %1 %2").arg(gridText(g)).arg(column);
    }

    void SetPanelText(const QString& key, const QString& text) override
    {
        panels[key] = text;
        ++panelWrites;
    }
    void SetPanelPicture(const QString& key, const QString& picture) override { pictures[key] = picture; }

    // The calls whose text starts with `prefix`.
    QStringList callsStartingWith(const QString& prefix) const
    {
        QStringList out;
        for (const QString& c : calls)
            if (c.startsWith(prefix))
                out << c;
        return out;
    }

    QStringList calls;
    // What the window's own PeriodeText_Change does, when a test wants it done.
    std::function<void()> periodeTextChange;
    std::map<QString, QString> panels;
    std::map<QString, QString> pictures;
    int panelWrites = 0;
    int filledCount = -1;

private:
    MainWindowSeams m_previous;
};

// A status window whose answers the test decides.
class FakeStatus : public StatusDisplay {
public:
    FakeStatus() { m_previous = setStatusDisplay(this); }
    ~FakeStatus() override { setStatusDisplay(m_previous); }
    FakeStatus(const FakeStatus&) = delete;
    FakeStatus& operator=(const FakeStatus&) = delete;

    void Start(const QString& caption, bool silent) override
    {
        log << QStringLiteral("Start %1 %2").arg(caption).arg(int(silent));
        running = true;
    }
    void SetText(const QString& text) override
    {
        log << QStringLiteral("SetText ") + text;
        texts << text;
    }
    bool GetState() override
    {
        ++polls;
        return goOn ? goOn(polls) : true;
    }
    void Quit() override
    {
        log << QStringLiteral("Quit");
        running = false;
    }

    // Answer of the n-th GetState (1-based); true when unset.
    std::function<bool(int)> goOn;
    QStringList log;
    QStringList texts;
    int polls = 0;
    bool running = false;

private:
    StatusDisplay* m_previous = nullptr;
};

} // namespace tessaro::test
