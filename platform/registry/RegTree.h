// The keys and values of one registry root held in memory: what a REGEDIT4 file describes.
// Key paths are relative to the root ("" is the root itself, components joined by "\"); paths
// and value names compare without regard to case (Latin-1), and keep the spelling first written.
#pragma once

#include "platform/wintypes.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

constexpr DWORD REG_NONE = 0;
constexpr DWORD REG_SZ = 1;
constexpr DWORD REG_EXPAND_SZ = 2;
constexpr DWORD REG_BINARY = 3;
constexpr DWORD REG_DWORD = 4;
constexpr DWORD REG_MULTI_SZ = 7;

namespace torvane::registry {

// Latin-1 case folding: A-Z and the accented capitals map to their small letters.
std::string foldCase(std::string_view text);
bool equalsFolded(std::string_view a, std::string_view b);

struct RegValue {
    std::string name; // "" is the key's default value
    DWORD type = REG_NONE;
    std::string data; // the bytes exactly as set
    bool operator==(const RegValue&) const = default;
};

struct RegKey {
    std::string path;             // spelling as first written
    std::vector<RegValue> values; // in the order they were first set

    const RegValue* find(std::string_view name) const;
    // Sets or replaces a value; false when it already held exactly this type and data.
    bool set(std::string_view name, DWORD type, std::string_view data);
    bool remove(std::string_view name);
    bool operator==(const RegKey&) const = default;
};

class RegTree {
public:
    RegTree();

    const RegKey* find(std::string_view path) const;
    RegKey* find(std::string_view path);
    // Creates the key and any missing parents; *created tells whether the key itself was new.
    RegKey& create(std::string_view path, bool* created = nullptr);
    bool hasSubkeys(std::string_view path) const;
    // Removes one key (not its subkeys); the root stays.
    bool remove(std::string_view path);

    // Keys by folded path: parents come before their subkeys.
    const std::map<std::string, RegKey>& keys() const { return keys_; }
    bool operator==(const RegTree&) const = default;

private:
    std::map<std::string, RegKey> keys_;
};

} // namespace torvane::registry
