// The application framework's profile settings: an application keeps its settings in
// HKEY_CURRENT_USER "Software\<registryKey>\<application name>", one subkey per section, texts
// as REG_SZ and integers as REG_DWORD. The suite's main program (registryKey "Torvane",
// application "Quorvane PRO") gets "Software\Torvane\Quorvane PRO"; the phonebook editor
// (registryKey "Torvane\Quorvane PRO", application "Telefonbuch") gets
// "Software\Torvane\Quorvane PRO\Telefonbuch".
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <string_view>

namespace torvane::registry {

class AppProfile {
public:
    AppProfile(std::string_view registryKey, std::string_view applicationName);

    // The profile's key path below HKEY_CURRENT_USER.
    const std::string& keyPath() const { return keyPath_; }

    // The text of a REG_SZ value (up to its first zero byte); defaultValue when the value is
    // missing or not a text.
    std::string GetProfileString(std::string_view section, std::string_view entry,
                                 std::string_view defaultValue = {}) const;
    // A REG_DWORD value; defaultValue when it is missing or of another type (a text holding
    // digits included: nothing is parsed).
    UINT GetProfileInt(std::string_view section, std::string_view entry, int defaultValue) const;
    // Store the value, creating the keys as needed; false when it could not be stored.
    bool WriteProfileString(std::string_view section, std::string_view entry, std::string_view value);
    bool WriteProfileInt(std::string_view section, std::string_view entry, int value);

private:
    std::string sectionPath(std::string_view section) const;
    std::string keyPath_;
};

} // namespace torvane::registry
