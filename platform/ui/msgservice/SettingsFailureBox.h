// What a program shows when its settings cannot be stored: a box naming the settings file and the
// system's reason, through the program's message service. Each program installs it as it starts.
#pragma once

namespace torvane::ui {

// Makes the registry tell the user of a settings file that cannot be written (WriteFailures.h
// says how often). The box opens from the application's event loop, never in the middle of the
// write, from whatever thread the write came.
void installSettingsFailureBox();

} // namespace torvane::ui
