// The flags and values the organizer's start-up sets and the main window, its commands and the
// other windows read. They live as long as the program and are used only on its user-interface
// thread. (The command-line values the link uses, DumpFlag, CallerFlag, CallerName and
// TransferPause, live with the link.)
#pragma once

#include <QString>

#include <array>
#include <cstdint>

namespace tessaro {

// Command line: end a running copy; trace boxes during start-up; no desktop calendar probe.
inline bool KillFlag = false;
inline bool DebugFlag = false;
inline bool NoOrganizerFlag = false;

// A toolbar command or a grid double click runs; new commands are refused meanwhile.
inline bool CommandBusy = false;
// The start-up asks the phone who it is.
inline bool StartupProbeBusy = false;

// The grids are set up; until then the window's resizing lays nothing out.
inline bool MainFormReady = false;
// Lets the window's resize event run the layout; the layout clears it while it sizes the window
// itself, so the events its own sizing raises do nothing.
inline bool ResizeEnabled = false;

// Twips: the menu band and the tool band together, and the grids' date column.
inline std::int32_t ToolbarHeight = 0;
inline std::int16_t DateColumnWidth = 0;

// The least row counts of the phone grid and the desktop calendar grid.
inline std::int16_t GridRowCountFG1 = 7;
inline std::int16_t GridRowCountFG2 = 7;

// Entry kinds of the entry editor (index = kind) and its series rules (daily, weekly, yearly).
inline std::array<QString, 4> CategoryNames;
inline std::array<QString, 3> RRuleValues;

// The period units of the date range: captions and interval codes (day, week, month, year). The
// codes never change; the window's set-up writes them again with the captions.
inline std::array<QString, 4> PeriodUnitNames;
inline std::array<QString, 4> PeriodIntervals = {QStringLiteral("d"), QStringLiteral("ww"), QStringLiteral("m"),
                                                 QStringLiteral("yyyy")};

// The help file of the current language.
inline QString HelpFile;

// A KILL arrived, or the user closed the window, while the program was busy; the end is carried
// out once the busy work has ended.
inline bool KillPending = false;

} // namespace tessaro
