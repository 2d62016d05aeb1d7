// Loading and saving the organizer's settings, taking the port and language from the suite's
// main program, and the date and time pictures of the user's locale.
#pragma once

#include <QString>

namespace tessaro {

inline const QString SettingsKey = QStringLiteral("Software\\Torvane\\Tessaro\\Settings");
inline const QString SuiteSettingsKey = QStringLiteral("Software\\Torvane\\Quorvane PRO\\Settings");
inline const QString MachineKeyVendor = QStringLiteral("Software\\Torvane");
inline const QString MachineKeyProgram = QStringLiteral("Software\\Torvane\\Tessaro");
inline const QString MachineKeyRights = QStringLiteral("Software\\Torvane\\Tessaro\\Tessaro");
inline const QString DefaultComSettings = QStringLiteral("19200,N,8,1");

// The rights notice stored in the machine key.
extern const QString RightsNotice;

// Creates the machine keys and the user's Settings key; true when every step succeeded.
bool RegValCreate();

// Reads every setting, taking the default of a missing one and checking each.
void RegSettingsLoad();

// Saves all eleven settings; true when all were saved.
bool RegValSet();

// Port and language from the suite's settings; true when it ran to its end.
bool QbrRegValGet();

// The date and time pictures from the user's locale.
void RegDateTimeFormatGet();

} // namespace tessaro
