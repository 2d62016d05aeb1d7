// What a program shows when its settings cannot be stored: a box naming the settings file and the
// system's reason, through the program's message service. Corvant installs it as it starts; the
// organizer and the melody editor tell a setting they cannot store in their own words, and the
// phonebook editor stores none.
#pragma once

namespace torvane::ui {

// Makes the registry tell the user of a settings file that cannot be written (WriteFailures.h
// says how often). The box opens from the application's event loop, never in the middle of the
// write, from whatever thread the write came.
void installSettingsFailureBox();

} // namespace torvane::ui
