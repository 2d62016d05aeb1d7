// Copying one entry across: an appointment (or one occurrence) to the phone, a phone entry to the
// desktop calendar; a weekly series on several weekdays becomes one phone entry per weekday.
#pragma once

#include "organizer/link/PhoneEntry.h"
#include "organizer/sync/GridRows.h"

#include "platform/outlook/Application.h"

namespace tessaro {

namespace outlook = torvane::outlook;

// Text offsets of the series question.
constexpr int TxtTooManySerieEntries = 103;
constexpr int TxtFreeEntries = 104;

// The appointment of the grid's current row becomes a phone entry in a free slot, a row of the
// phone grid and an object on the phone, starting at the row's own start. A phone that refuses
// the write leaves no trace of it in the table or the grids. A series the phone already holds
// (copied from another of its rows; for a weekly one, weekday by weekday) is not written again:
// it only moves back to the row's start when it began later. The result is the phone write's;
// false when nothing was written.
bool EntryOutlookToMobile(controls::Grid& grid, EntryTable& table, const outlook::Application& application);

// A new appointment from the phone entry, its subject and body the text the grid shows, shown in
// the PC grid (a series through a new read); the phone entry's rows then show the appointment,
// so a second copy is not offered.
bool EntryMobileToOutlook(controls::Grid& grid, const PhoneEntry& entry, const outlook::Application& application);

// Puts a new phone entry (its Location and LocationIndex set) into the free table slot `slot`, a
// row of `phoneGrid` and onto the phone, and counts it. A refused write takes it out of the grids
// and the table again, so nothing shows an entry the phone does not hold. True when written.
bool WriteNewMobileEntry(controls::Grid& phoneGrid, EntryTable& table, int slot, const PhoneEntry& entry);

// One weekly phone entry for each weekday of the entry's WeekdayMask in the week from its start,
// each written to the phone. With too few free locations the user is asked whether to write as
// many as fit. Always false.
bool SplitWeeklySerie(controls::Grid& grid, EntryTable& table, const PhoneEntry& entry);

} // namespace tessaro
