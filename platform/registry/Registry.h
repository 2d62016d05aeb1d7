// The registry as the suite's programs use it: keys below HKEY_CURRENT_USER and
// HKEY_LOCAL_MACHINE holding REG_SZ, REG_DWORD and other raw values, reached through calls
// shaped like the system's (same return codes, same size rules), plus a plain C++ face for our
// own code. Each root lives in its own REGEDIT4 file (see RegStore.h, RegFileFormat.h); every
// change is on disk when its call returns, and changes by other processes are seen at once. A
// change that cannot be written returns its error, is told through WriteFailures.h, and stays in
// effect for this process.
//
// Key paths and value names compare without regard to case; a key path is components joined by
// "\" (no empty component); value name null or "" is the key's default value. A REG_SZ is kept
// as exactly the bytes given: a caller that sets a text with its terminator reads it back with
// it, one that sets 80 bytes without a terminator reads back those 80 bytes.
//
// Errors: ERROR_FILE_NOT_FOUND (no such key or value), ERROR_MORE_DATA (buffer too small; the
// size needed is returned), ERROR_NO_MORE_ITEMS (enumeration ended), ERROR_INVALID_HANDLE,
// ERROR_INVALID_PARAMETER, ERROR_BAD_PATHNAME, ERROR_KEY_DELETED (the key of an open handle was
// deleted), ERROR_ACCESS_DENIED (deleting a root or a key with subkeys; the file cannot be
// written), ERROR_BADDB (the root's file cannot be parsed: see fileError), ERROR_LOCK_VIOLATION
// (another process holds the file lock for more than 10 s), other file errors.
#pragma once

#include "platform/registry/RegTree.h"
#include "platform/winerror.h"

#include <optional>
#include <string>
#include <string_view>

// A key handle: a root, or a key opened by this process. Null is "no key".
struct HKEY__;
using HKEY = HKEY__*;

namespace torvane::registry::detail {
extern HKEY__ currentUserRoot;
extern HKEY__ localMachineRoot;
} // namespace torvane::registry::detail

// Constant from the start, so they may be used during static initialisation too.
inline constexpr HKEY HKEY_CURRENT_USER = &torvane::registry::detail::currentUserRoot;
inline constexpr HKEY HKEY_LOCAL_MACHINE = &torvane::registry::detail::localMachineRoot;

// Dispositions reported by RegCreateKeyEx.
constexpr DWORD REG_CREATED_NEW_KEY = 1;
constexpr DWORD REG_OPENED_EXISTING_KEY = 2;

// Opens key\subKey (subKey null or "": a new handle to key itself).
LONG RegOpenKeyEx(HKEY key, const char* subKey, HKEY* result);
// Opens key\subKey, creating it and missing parents; *disposition (may be null) tells which.
LONG RegCreateKeyEx(HKEY key, const char* subKey, HKEY* result, DWORD* disposition);
// type, data and dataSize may each be null. With data, *dataSize is the buffer size on entry;
// on return (also with ERROR_MORE_DATA, when nothing is copied) it is the value's size.
LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* dataSize);
// Stores dataSize bytes of data as they are. A name holding a line break is refused.
LONG RegSetValueEx(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegDeleteValue(HKEY key, const char* valueName);
// The value at index (in the order values were first set). *nameSize: buffer size in characters
// with the terminator on entry, name length without it on return; ERROR_MORE_DATA when the name
// or the data does not fit. type, data, dataSize as for RegQueryValueEx.
LONG RegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* type, BYTE* data,
                  DWORD* dataSize);
// Deletes key\subKey, which must have no subkeys.
LONG RegDeleteKey(HKEY key, const char* subKey);
// Every change is already on disk; this only checks the handle.
LONG RegFlushKey(HKEY key);
LONG RegCloseKey(HKEY key);

namespace torvane::registry {

// The text of a REG_SZ value up to its first zero byte; nullopt when the key or value is missing,
// the value is of another type, or the file cannot be read. key may be a root or an open handle.
std::optional<std::string> readString(HKEY key, std::string_view keyPath, std::string_view name);
// A REG_DWORD value; nullopt as for readString.
std::optional<DWORD> readDword(HKEY key, std::string_view keyPath, std::string_view name);
// Creates the key when needed and stores the text as REG_SZ with its terminator.
LONG writeString(HKEY key, std::string_view keyPath, std::string_view name, std::string_view text);
LONG writeDword(HKEY key, std::string_view keyPath, std::string_view name, DWORD value);
// Why the file of key's root cannot be used ("<file>:<line>: <reason>"), or empty.
std::string fileError(HKEY key);

} // namespace torvane::registry
