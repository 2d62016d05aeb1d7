#include "outlookbutton/PlinketModule.h"

#include "platform/registry/Registry.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace torvane::plinket {

namespace {

// Searched in this order below HKEY_LOCAL_MACHINE; "" is the root key itself.
constexpr const char* kSearchKeys[] = {"SOFTWARE\\TORVANE\\TESSARO", "", "CONTINUE"};

// Names and data must each fit these with their terminator; a value that doesn't fit ends the
// enumeration of its key.
constexpr DWORD kNameBufferSize = 80;
constexpr DWORD kDataBufferSize = 80;

char g_lookupResult[256];

} // namespace

const char* lookUpTivEntry(const char* name)
{
    if (!name)
        return nullptr;
    const std::string_view wanted(name);
    for (const char* subKey : kSearchKeys) {
        HKEY key = nullptr;
        // A key that can't be opened ends the search, also for the keys after it.
        if (RegOpenKeyEx(HKEY_LOCAL_MACHINE, subKey, &key) != ERROR_SUCCESS)
            return nullptr;
        char valueName[kNameBufferSize];
        BYTE data[kDataBufferSize];
        DWORD dataSize = 0;
        bool found = false;
        for (DWORD index = 0; !found; ++index) {
            DWORD nameSize = kNameBufferSize;
            DWORD type = 0;
            dataSize = kDataBufferSize;
            if (RegEnumValue(key, index, valueName, &nameSize, &type, data, &dataSize) != ERROR_SUCCESS)
                break;
            found = std::string_view(valueName, std::min(nameSize, kNameBufferSize)) == wanted;
        }
        RegCloseKey(key);
        if (found) {
            // The data as text: up to its first zero byte and never past what was read, so that
            // 80 bytes stored without a terminator still end in one here.
            const std::size_t size = std::min<std::size_t>(dataSize, kDataBufferSize);
            const auto* end = std::find(data, data + size, BYTE(0));
            const std::size_t length = std::size_t(end - data);
            std::memcpy(g_lookupResult, data, length);
            g_lookupResult[length] = '\0';
            return g_lookupResult;
        }
    }
    return nullptr;
}

} // namespace torvane::plinket
