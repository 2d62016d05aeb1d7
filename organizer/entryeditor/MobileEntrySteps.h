// What the entry editor does with the entry itself: its fields filled from CurrentEntry and read
// back into a record, the change test and the close question, saving to the phone table, the
// phone grid and the phone, deleting, the alarm check, the serie switch, the date picker's events
// and the checks of a start date or time typed into the toolbar. installMobileEntrySteps() puts
// them behind the editor (EntryEditorSteps.h); the program does so once its grids are set up.
#pragma once

#include "organizer/entryeditor/MobileEntryForm.h"
#include "organizer/link/PhoneEntry.h"

#include <QDate>
#include <QString>

#include <optional>

namespace tessaro {

// Text offsets of the delete question and the close question.
constexpr int TxtEntry = 105;
constexpr int TxtTooManyEntries = 113;
constexpr int TxtDeleteSerie = 115;
constexpr int TxtDeleteSingle = 116;
constexpr int TxtAreYouSure = 117;
constexpr int TxtSaveChanges = 120;

// The start the fields give: the picker's day at the time in EntryTime. A time text that names no
// time of day raises the type-mismatch error, before anything is compared or stored.
VbDate StartTimeFromForm(const MobileEntryForm& form);

// The day a start text names: the picker's own day while the text is what the start field shows
// for it (read back, its two-digit year could land in another century), else the date typed,
// with or without its weekday. Nothing for a text that is no date.
std::optional<QDate> StartDayOfText(const MobileEntryForm& form, QString text);

// The picture of PickerStartText: the short date with its year in full, so that Esc in the
// picker puts back the very day it opened on.
QString PickerStartPicture();

// Builds in `result` the record the fields describe on the basis of `source` (the selected kind's
// flag set beside the others, the start, the alarm or the plain start, the serie only while it is
// switched on, the text). True when that equals `source`, or when `source` is a new entry (no
// Location), `result` then left as it was.
bool CompareMobileEntryForm(const MobileEntryForm& form, PhoneEntry& result, const PhoneEntry& source);

// Installs the steps behind the editor; uninstallMobileEntrySteps takes them out again.
void installMobileEntrySteps();
void uninstallMobileEntrySteps();

} // namespace tessaro
