// The organizer's work on the desktop calendar as a whole or one appointment at a time: reading
// the range into the PC grid, creating an appointment in the calendar's own window, and opening
// one to edit, with the grids brought up to date afterwards.
#pragma once

#include "organizer/sync/GridRows.h"

#include "platform/outlook/Application.h"

#include <optional>

namespace tessaro {

namespace outlook = torvane::outlook;

// Text offset of the status window's caption.
constexpr int TxtAppointments = 172;

// The program-wide calendar application (start-up creates it when the calendar is available).
inline std::optional<outlook::Application> OutlookApp;
// How the calendar is opened when OutlookApp is needed before it was set: the appointment
// window and, in tests, the calendar file and clock. The pictures follow the organizer's.
inline outlook::ApplicationOptions OutlookOptions;

// OutlookApp, created on the spot when it is not set; a calendar that cannot be read raises its
// error.
outlook::Application& OutlookApplication();

// Reads the appointments of the range into the hidden FG2 instance, recomputes and matches the
// marks when the phone's entries are shown too, and swaps the instance in. `silent` starts the
// status window unseen. After an error the shown instance and the status window are as before.
bool ReadOutlook(bool silent);

// A new appointment in the calendar's window; saved, it is shown (a series through a new read),
// abandoned, it is removed from the calendar again. True when the grids took it.
bool NewOutlookEntry(controls::Grid& grid);

// Opens the appointment of the grid's current row (column 4 only) in the calendar's window and
// brings the rows up to date: gone, its row goes; changed, it is rebuilt or, for a series, the
// range read again. Errors of the calendar (other than the appointment being gone) are raised to
// the caller.
void OpenOutlookEntry(controls::Grid& grid);

} // namespace tessaro
