#include "phonebook/model/StartSettings.h"

#include "phonebook/model/ViewFlags.h"
#include "platform/registry/Registry.h"

#include <array>

namespace brevik {

int AutoloadMask(int autoload, int phonebooks)
{
    if ((autoload & 0xFF) != 1)
        return 0;
    // The settings sheet writes seven bits; anything above them names no directory.
    const int directories = phonebooks & AUTOLOAD_DIRECTORIES;
    return directories != 0 ? directories | AUTOLOAD_FIRST : 0;
}

StartSettings ReadStartSettings()
{
    StartSettings settings;
    HKEY software = nullptr;
    HKEY maker = nullptr;
    HKEY suite = nullptr;
    HKEY section = nullptr;
    if (RegOpenKeyEx(HKEY_CURRENT_USER, "Software", &software) == ERROR_SUCCESS &&
        RegOpenKeyEx(software, "Torvane", &maker) == ERROR_SUCCESS &&
        RegOpenKeyEx(maker, "Quorvane PRO", &suite) == ERROR_SUCCESS &&
        RegOpenKeyEx(suite, "CfgPropPage2", &section) == ERROR_SUCCESS) {
        // One buffer for every value, as the values are only ever looked at by their first byte;
        // a value that cannot be read leaves the buffer as the previous one left it.
        std::array<BYTE, 255> buffer{};
        const auto query = [&](const char* name) {
            DWORD size = DWORD(buffer.size());
            return RegQueryValueEx(section, name, nullptr, buffer.data(), &size) == ERROR_SUCCESS;
        };
        const bool showRead = query("ShowCorrection");
        settings.showPreviewRow = !showRead || buffer[0] != 0;
        if (query("Autoload") && buffer[0] == 1) {
            query("Phonebooks");
            settings.autoloadMask = AutoloadMask(1, buffer[0]);
        }
    }
    for (HKEY key : {section, suite, maker, software})
        if (key)
            RegCloseKey(key);
    return settings;
}

} // namespace brevik
