// The date range as the user edits it: the pop-up picker with its OK and Cancel, the start and end
// date fields, the count of units and the unit list. The range itself (RangeStart, RangeEnd) is
// computed by RefreshDateRange from the picker's day, the count and the unit.
#pragma once

#include "organizer/link/VbDate.h"

#include <QString>

#include <array>
#include <cstdint>

namespace tessaro {

// What the picker restores on Cancel: the fields and the start as they were when it opened (the
// unit index is taken again at every change of the count).
struct SavedPickerState {
    std::int16_t periodIndex = 0;
    QString periodCount;
    QString startText;
    QString endText;
    VbDate rangeStart = 0;
};
inline SavedPickerState SavedPicker;
// The last accepted texts of the start and end fields, which Esc in each field brings back.
inline QString CurrentStartText;
inline QString CurrentEndText;

// The unit names for a count text in the current language: singular only for exactly "1"; the
// English plural of month is "Month".
std::array<QString, 4> PeriodUnitNamesFor(const QString& countText);

// Opens the picker (keeping what Cancel restores), or closes it when it is open.
void ShowStartCalendar();
// Closes the picker; a changed range is taken, after question 112 when the calendar's entries are
// shown (which are then read again for it, and the phone's rows shown for it).
void CalCommandOK_Click();
// Closes the picker with the day, unit, count and date texts it opened with.
void CalCommandCancel_Click();
// A day picked: both date fields show the range it would start; the range is not taken yet.
void TIVStartCalendar_Click();
// Esc in the picker cancels it.
void TIVStartCalendar_KeyPress(int keyAscii);

void PeriodeCombo_Click();
// The count is rewritten as its number, the unit list relabelled for it and the range refreshed.
void PeriodeText_Change();

// Keys in the three text fields; a handler that sets keyAscii to 0 swallows the key. Enter takes a
// typed date (a weekday before it is dropped) or puts the last accepted one back; Esc puts back
// the last accepted text.
void PeriodeText_KeyPress(int& keyAscii);
void StartDateText_KeyPress(int& keyAscii);
void EndDateText_KeyPress(int& keyAscii);

} // namespace tessaro
