// The list of windows a process publishes beside its endpoint, so that other processes can tell
// at once whether a window still exists (a post to a gone window fails instead of vanishing) and
// can find top-level windows by title.
//
// Text, one window a line, in registration order:
//     torvane-windows 1
//     <number> <t|-> <title>
// where t marks a top-level window. Titles are bytes (Latin-1, as everywhere in the suite); control
// characters are written as blanks. Another process wrote the file, so the parser trusts nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace messaging {

struct WindowEntry {
    std::uint32_t number = 0;
    bool topLevel = false;
    std::string title;

    bool operator==(const WindowEntry&) const = default;
};

using WindowList = std::vector<WindowEntry>;

constexpr std::size_t kMaxTitleLength = 1024;
constexpr std::size_t kMaxWindowListBytes = 1 << 20;

std::string formatWindowList(const WindowList& windows);

// nullopt when the text is not a complete, well-formed list.
std::optional<WindowList> parseWindowList(std::string_view text);

// Writes the list to a temporary file beside path and renames it over path, so a reader sees the
// old list or the new one, never a part. False when either step fails.
bool writeWindowListFile(const std::string& path, const WindowList& windows);

// nullopt when the file is missing, unreadable, too large or malformed.
std::optional<WindowList> readWindowListFile(const std::string& path);

// A title as it is compared when the caller reads it into a buffer of bufferSize characters:
// at most bufferSize - 1 of them are kept, the last place holds the terminator.
bool titleBeginsWith(std::string_view title, std::string_view prefix, int bufferSize);

} // namespace messaging
