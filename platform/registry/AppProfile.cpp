#include "platform/registry/AppProfile.h"

#include "platform/registry/Registry.h"

namespace torvane::registry {

AppProfile::AppProfile(std::string_view registryKey, std::string_view applicationName)
    : keyPath_("Software\\" + std::string(registryKey) + "\\" + std::string(applicationName))
{
}

std::string AppProfile::sectionPath(std::string_view section) const
{
    return section.empty() ? keyPath_ : keyPath_ + "\\" + std::string(section);
}

std::string AppProfile::GetProfileString(std::string_view section, std::string_view entry,
                                         std::string_view defaultValue) const
{
    return readString(HKEY_CURRENT_USER, sectionPath(section), entry)
        .value_or(std::string(defaultValue));
}

UINT AppProfile::GetProfileInt(std::string_view section, std::string_view entry,
                               int defaultValue) const
{
    return readDword(HKEY_CURRENT_USER, sectionPath(section), entry).value_or(UINT(defaultValue));
}

bool AppProfile::WriteProfileString(std::string_view section, std::string_view entry,
                                    std::string_view value)
{
    return writeString(HKEY_CURRENT_USER, sectionPath(section), entry, value) == ERROR_SUCCESS;
}

bool AppProfile::WriteProfileInt(std::string_view section, std::string_view entry, int value)
{
    return writeDword(HKEY_CURRENT_USER, sectionPath(section), entry, DWORD(value))
        == ERROR_SUCCESS;
}

} // namespace torvane::registry
