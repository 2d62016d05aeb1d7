// The organizer's registry access: keys below the current user and the local machine, string
// and 32-bit number values. Every setting of the organizer is read and written through these.
#pragma once

#include <QString>

#include <cstdint>
#include <variant>

namespace tessaro {

enum class RegRoot { CurrentUser, LocalMachine };

// A value: a string (REG_SZ) or a 32-bit number (REG_DWORD; flags and 16-bit numbers too).
using RegData = std::variant<QString, std::int32_t>;

// The error state of the last failed registry call (0 and "" when it failed without one);
// the registry boxes show it.
struct RegErrorState {
    int number = 0;
    QString description;
};
RegErrorState LastRegError();

// True when the key can be opened for reading; the key is closed again.
bool RegKeyExists(RegRoot root, const QString& keyPath);

// True when the key opens and the value is read. A string comes back as its exact text, a number
// as a 32-bit number; a value of any other type leaves `value` as it was and still yields true.
bool RegValueRead(RegRoot root, const QString& keyPath, const QString& name, RegData& value);

// Creates the key; true only when it was newly created.
bool RegKeyCreate(RegRoot root, const QString& keyPath, const QString& className);

// Opens the key and writes the value; false when the key does not open or the write failed.
bool RegValueWrite(RegRoot root, const QString& keyPath, const QString& name, const RegData& value);

// False when the key does not exist; otherwise the result of the write.
bool RegValuePut(RegRoot root, const QString& keyPath, const QString& name, const RegData& value);

// True only when the key exists and the value is read.
bool RegValueGet(RegRoot root, const QString& keyPath, const QString& name, RegData& value);

// True when the key exists or was just created; otherwise shows "Registry Error " with the
// error state and yields false.
bool RegKeyEnsure(RegRoot root, const QString& keyPath, const QString& className);

// True when the system's product type can be read. The suite's registry has none, so strings
// are taken as read.
bool IsWindowsNT();

} // namespace tessaro
