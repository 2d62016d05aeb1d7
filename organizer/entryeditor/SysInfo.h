// What the about window does besides showing itself: reading one registry text and starting the
// system information program that the registry names.
#pragma once

#include "organizer/link/Registry.h"

#include <QString>

namespace tessaro {

// Where the system information program is named: a program path, or else a folder holding it.
inline const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
inline const QString SysInfoValue = QStringLiteral("PATH");
inline const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
inline const QString SysInfoLocationValue = QStringLiteral("MSINFO");
inline const QString SysInfoProgram = QStringLiteral("MSINFO32.EXE");
inline const QString SysInfoUnavailable = QStringLiteral("System-Informationen currently not available.");

// The value `valueName` of the key `keyName` below `root`, only read: a key that may be read but
// not written (the machine's keys for most users) is found too. True with its text in `value`
// (without a terminating zero, whether it was stored with one or not); true with an empty text for
// a value that is no text; false with an empty text when the key or value is missing or the text
// is longer than 1024 bytes.
bool GetKeyValue(RegRoot root, const QString& keyName, const QString& valueName, QString& value);

// Starts the program of the first key's path, or else the program file in the second key's
// folder; when neither is there or the start fails, says so in a message box. True when a
// program was started.
bool StartSysInfo();

} // namespace tessaro
