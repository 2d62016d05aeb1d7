// The entry editor's steps that fill its fields from CurrentEntry, store and delete the entry,
// run its date picker and check the start date and time typed into the toolbar. They work on the
// synchronisation's table and grids (MobileEntrySteps.h), which the program installs here once
// its window is set up; tests install fakes. Without any every step does nothing and answers as
// for an entry that is not on the phone (no alarm refusal, nothing deleted, the window may
// close), so the window, its toolbar and its own field rules work on their own.
#pragma once

#include "platform/ui/controls/CommandBar.h"

namespace tessaro {

class MobileEntryForm;

class EntryEditorSteps {
public:
    virtual ~EntryEditorSteps() = default;

    // The fields from CurrentEntry: the kind option (selecting it runs the kind's text rules),
    // EntryTime, the picker's day, the text, the alarm, the period; a new entry gets memo, the
    // alarm, the clock time and today. The load step runs it, and a save or delete whose link
    // could not be opened.
    virtual void PreSetMobileEntryForm(MobileEntryForm& form) = 0;
    // False when the alarm of the entry in the fields would lie in the past.
    virtual bool CheckEntryAlarm(MobileEntryForm& form) = 0;
    // Stores the entry in the fields in the table, the phone grid and on the phone; the link is
    // open.
    virtual void SaveMobileEntry(MobileEntryForm& form) = 0;
    // Asks and deletes the entry; true when it was deleted. The link is open.
    virtual bool EntryDelete_Click(MobileEntryForm& form) = 0;
    // The EntrySerie tool: turns the serie over and shows or hides the period.
    virtual void SwitchEntrySerie(MobileEntryForm& form) = 0;
    // The window is asked to close: true lets it close (may ask whether to save, and save).
    virtual bool QueryUnload(MobileEntryForm& form) = 0;

    // The date picker's events: a day picked (EntryStart shows it), a double click, a key, the
    // loss of the focus (which hides the picker).
    virtual void TIVStartCalendar_Click(MobileEntryForm& form) = 0;
    virtual void TIVStartCalendar_DblClick(MobileEntryForm& form) = 0;
    virtual void TIVStartCalendar_KeyPress(MobileEntryForm& form, int keyAscii) = 0;
    virtual void TIVStartCalendar_LostFocus(MobileEntryForm& form) = 0;
    // Places and shows the picker frame on the window (twips).
    virtual void CalendarFrameSet(MobileEntryForm& form, double left, double top, double width, double height) = 0;
    // Editing of a toolbar tool ended: EntryStart and EntryTime check what was typed and put the
    // saved text back when it is no date or time.
    virtual void ActiveBar1_ToolLostFocus(MobileEntryForm& form, torvane::controls::Tool tool) = 0;
};

// Installs the steps (not owned; nullptr: none) and returns the previous ones.
EntryEditorSteps* setEntryEditorSteps(EntryEditorSteps* steps);

// The installed steps, or the ones that do nothing.
EntryEditorSteps& EntrySteps();

} // namespace tessaro
