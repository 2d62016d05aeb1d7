#include "mainprog/core/SuiteSettings.h"

#include "mainprog/core/CorvantStrings.h"

#include <cstdlib>

namespace corvant {

torvane::registry::AppProfile corvantProfile()
{
    return torvane::registry::AppProfile(loadString(IDS_MAKER), "Quorvane PRO");
}

std::string configuredPort(const torvane::registry::AppProfile& profile)
{
    return profile.GetProfileString(section::Settings, value::ComPort, DEFAULT_COM_PORT);
}

std::string defaultSpoolRoot()
{
    std::string base;
    if (const char* data = std::getenv("XDG_DATA_HOME"); data != nullptr && data[0] == '/')
        base = data;
    else if (const char* home = std::getenv("HOME"); home != nullptr)
        base = std::string(home) + "/.local/share";
    else
        base = "/tmp";
    return base + "/torvane/";
}

std::string spoolRootFrom(const std::string& folder)
{
    if (folder.empty())
        return defaultSpoolRoot();
    return folder.back() == '/' ? folder : folder + "/";
}

} // namespace corvant
