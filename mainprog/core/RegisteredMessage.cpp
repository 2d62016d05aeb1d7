#include "mainprog/core/RegisteredMessage.h"

#include <cctype>
#include <cstdint>

namespace corvant {

namespace {

constexpr UINT kFirstRegistered = 0xC000;
constexpr UINT kRegisteredCount = 0x4000;

} // namespace

// Registered names compare without regard to case. The number is derived from the name alone
// (FNV-1a), so every process finds the same one without a shared table; nothing in the suite
// sends the registered message, so two names sharing a number would harm no one.
UINT registerWindowMessage(std::string_view name)
{
    if (name.empty())
        return 0;
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash ^= static_cast<unsigned char>(std::toupper(static_cast<unsigned char>(c)));
        hash *= 16777619u;
    }
    return kFirstRegistered + hash % kRegisteredCount;
}

} // namespace corvant
