// The entry editor's steps for tests: each call is recorded by name, the answers are set by the
// test, and a step may run the test's own code (to click again while a command runs).
#pragma once

#include "organizer/entryeditor/EntryEditorSteps.h"
#include "organizer/entryeditor/MobileEntryForm.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace tessaro::test {

class RecordingSteps : public EntryEditorSteps {
public:
    RecordingSteps() : m_previous(setEntryEditorSteps(this)) {}
    ~RecordingSteps() override { setEntryEditorSteps(m_previous); }
    RecordingSteps(const RecordingSteps&) = delete;
    RecordingSteps& operator=(const RecordingSteps&) = delete;

    void PreSetMobileEntryForm(MobileEntryForm& form) override { run(QStringLiteral("PreSetMobileEntryForm"), form); }
    bool CheckEntryAlarm(MobileEntryForm& form) override
    {
        run(QStringLiteral("CheckEntryAlarm"), form);
        return alarmAccepted;
    }
    void SaveMobileEntry(MobileEntryForm& form) override { run(QStringLiteral("SaveMobileEntry"), form); }
    bool EntryDelete_Click(MobileEntryForm& form) override
    {
        run(QStringLiteral("EntryDelete_Click"), form);
        return deleted;
    }
    void SwitchEntrySerie(MobileEntryForm& form) override { run(QStringLiteral("SwitchEntrySerie"), form); }
    bool QueryUnload(MobileEntryForm& form) override
    {
        run(QStringLiteral("QueryUnload"), form);
        return mayClose;
    }
    void TIVStartCalendar_Click(MobileEntryForm& form) override { run(QStringLiteral("TIVStartCalendar_Click"), form); }
    void TIVStartCalendar_DblClick(MobileEntryForm& form) override
    {
        run(QStringLiteral("TIVStartCalendar_DblClick"), form);
    }
    void TIVStartCalendar_KeyPress(MobileEntryForm& form, int keyAscii) override
    {
        run(QStringLiteral("TIVStartCalendar_KeyPress %1").arg(keyAscii), form);
    }
    void TIVStartCalendar_LostFocus(MobileEntryForm& form) override
    {
        run(QStringLiteral("TIVStartCalendar_LostFocus"), form);
    }
    void CalendarFrameSet(MobileEntryForm& form, double left, double top, double width, double height) override
    {
        run(QStringLiteral("CalendarFrameSet %1 %2 %3 %4").arg(left).arg(top).arg(width).arg(height), form);
    }
    void ActiveBar1_ToolLostFocus(MobileEntryForm& form, torvane::controls::Tool tool) override
    {
        run(QStringLiteral("ActiveBar1_ToolLostFocus ") + tool.name(), form);
    }

    QStringList calls;
    bool alarmAccepted = true;
    bool deleted = true;
    bool mayClose = true;
    // Runs inside every step, after it was recorded.
    std::function<void(const QString& step, MobileEntryForm& form)> during;

private:
    void run(const QString& step, MobileEntryForm& form)
    {
        calls << step;
        if (during)
            during(step, form);
    }

    EntryEditorSteps* m_previous;
};

} // namespace tessaro::test
