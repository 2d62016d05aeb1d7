// The organizer's process-wide settings and flags. They live as long as the program and are
// read and written only on its user-interface thread.
#pragma once

#include <QString>

#include <cstdint>

namespace tessaro {

// Stored settings (see Settings.h for loading and saving them).
inline std::int16_t ComPort = 1;
inline std::int16_t ComTimeout = 7500;
inline std::int16_t InfraredPort = -1;
inline std::int16_t Infrared = 0;
inline std::int16_t InfraredDelay = 700;
inline std::int16_t LanguageBase = 10000;
// Window geometry in twips. Held in 32 bits: a window on a wide desktop lies further right
// than a 16-bit value can say, and its position must still be saved.
inline std::int32_t WindowWidth = 0;
inline std::int32_t WindowTop = 0;
inline std::int32_t WindowLeft = 0;

// Derived: the infrared delay when the link goes over infrared, otherwise 1 ms.
inline std::int32_t IrdaEffectiveDelay = 1;

// From the command line: pause in ms between transfer steps (0 = none).
inline std::int32_t TransferPause = 0;
// From the command line: show every vCalendar object in a box before it is sent or read.
inline bool DumpFlag = false;
// From the command line: started by another program, and which one ("QBR" means the suite).
inline bool CallerFlag = false;
inline QString CallerName;

// The calendar of the mail client: whether it answered the start-up probe, its name, and whether
// (and how many of) its entries are loaded into the PC grid. Set by start-up and the Outlook access.
inline bool OrganizerAvailable = false;
inline QString OrganizerName;
inline bool OrganizerEntriesRead = false;
inline std::int16_t OrganizerEntryCount = 0;

// Which of the two instances of each grid is visible (0 or 1); the other is the hidden twin
// that is filled or cleared before the two swap.
inline std::int16_t ActiveGridIndexFG1 = 0;
inline std::int16_t ActiveGridIndexFG2 = 0;

// The last selection of each grid: cell number (columns x row + column), row and column.
struct GridSelectionFields {
    std::int16_t FG1Cell = 0;
    std::int16_t FG1Row = 0;
    std::int16_t FG1Col = 0;
    std::int16_t FG2Cell = 0;
    std::int16_t FG2Row = 0;
    std::int16_t FG2Col = 0;
};
inline GridSelectionFields GridSelection;

// Date and time pictures derived from the user's locale (RegDateTimeFormatGet).
inline QString ShortDateFormat = QStringLiteral("dd.mm.yy");
inline QString TimeFormat = QStringLiteral("hh:mm:ss");
inline QString ShortTimeFormat = QStringLiteral("hh:mm");
inline QString ShortDateTimeFormat = QStringLiteral("dd.mm.yy hh:mm");
inline QString DateSeparator = QStringLiteral(".");
inline QString TimeSeparator = QStringLiteral(":");
inline const QString MidnightTimeText = QStringLiteral(" 00:00:00");

// Grid font, set at start-up.
inline QString GridFontName;
inline std::int16_t HeaderFontSize = 10;
inline std::int16_t GridFontSize = 8;

// True when the program was started by the suite's main program (CALLER=Qbr, any case).
bool StartedByQbr();

} // namespace tessaro
