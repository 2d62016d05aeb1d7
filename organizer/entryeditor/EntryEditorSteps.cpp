#include "organizer/entryeditor/EntryEditorSteps.h"

namespace tessaro {

namespace {

class NoSteps : public EntryEditorSteps {
public:
    void PreSetMobileEntryForm(MobileEntryForm&) override {}
    bool CheckEntryAlarm(MobileEntryForm&) override { return true; }
    void SaveMobileEntry(MobileEntryForm&) override {}
    bool EntryDelete_Click(MobileEntryForm&) override { return false; }
    void SwitchEntrySerie(MobileEntryForm&) override {}
    bool QueryUnload(MobileEntryForm&) override { return true; }
    void TIVStartCalendar_Click(MobileEntryForm&) override {}
    void TIVStartCalendar_DblClick(MobileEntryForm&) override {}
    void TIVStartCalendar_KeyPress(MobileEntryForm&, int) override {}
    void TIVStartCalendar_LostFocus(MobileEntryForm&) override {}
    void CalendarFrameSet(MobileEntryForm&, double, double, double, double) override {}
    void ActiveBar1_ToolLostFocus(MobileEntryForm&, torvane::controls::Tool) override {}
};

EntryEditorSteps*& installed()
{
    static EntryEditorSteps* steps = nullptr;
    return steps;
}

} // namespace

EntryEditorSteps* setEntryEditorSteps(EntryEditorSteps* steps)
{
    EntryEditorSteps* previous = installed();
    installed() = steps;
    return previous;
}

EntryEditorSteps& EntrySteps()
{
    static NoSteps none;
    EntryEditorSteps* steps = installed();
    return steps ? *steps : none;
}

} // namespace tessaro
