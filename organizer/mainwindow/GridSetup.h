// Setting the main window up once at start-up: the picture lists, the four grid instances with
// their columns and header rows, the status bar's panels, the period tables, the window's size,
// place and caption, then the arrows and the toolbar's texts. Also the grids' header rows in the
// current language and the desktop calendar's progress panel, which later steps rewrite.
#pragma once

#include <QString>

#include <cstdint>

namespace tessaro {

// Status bar panel keys (the phone's three are in organizer/link/MobileStatus.h).
inline const QString PanelProgressIndicator = QStringLiteral("ProgressIndicator");

// The whole set-up; shows its own error box ("TIVInitForm") and skips the rest on an error.
void TIVInitForm(bool organizerPresent);

// The entry editor's toolbar strip and its list, and the eight pictogram lists. False.
bool TIVInitListImage();

// Sizes and aligns the status bar's panels and fills them with their first texts. False.
bool SetStatusBar();

// The desktop calendar's progress panel: its name, text 130 and the count ("Torvane Calendar Entries
// read: 12"), or nothing when `clear`. False.
bool SetProgressStatus(const QString& organizerName, std::int32_t entryCount, bool clear);

// The two header rows of both instances of both grids in the current language; the calendar's
// headers only when it is present. Shows its own error box ("GridHeadlines").
void GridHeadlines();

// Grid rows and columns the set-up and the header rows name.
inline constexpr int GridCols = 10;
inline constexpr int GridFixedRows = 2;
inline constexpr int GridRowHeight = 300;
inline constexpr int GridLeft = 100;
inline constexpr int GridTop = 200;
inline constexpr int SyncColumnWidth = 620;
inline constexpr int StatusBarHeight = 350;

} // namespace tessaro
