// The commands on one calendar entry and on the phone itself. Delete, new and open act on the
// current cell of CurrentGrid: column 9 is the phone's side, column 4 the desktop calendar's; on
// any other column they do nothing of their own.
#pragma once

namespace tessaro {

// Asks (texts 105, the cell text, the row's date, the side's warning and text 117) and deletes the
// entry: a phone entry from the phone, the table and the grids; an appointment from the calendar
// first and then from the grids, a series through reading the calendar again. Shows its own
// errors; ends with the window laid out again.
void Menu_EintragLoeschen_Click();

// Phone side: the phone is read first when it was not; with room left on it the entry editor
// opens on an empty entry. Calendar side: a new appointment in the calendar's window. Then both
// grids are matched again.
void NewEntry();

// Opens the row's phone entry in the editor, or its appointment in the calendar's window.
void OpenEntry();

// Asks the phone who it is and which locations it has, under the status window, which shows the
// answer until the user presses its OK (or closes when the phone did not answer).
void TestMobile_Click();

} // namespace tessaro
