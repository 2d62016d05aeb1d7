// Bytes as hex text, the form in which PDUs and object blocks travel on the line.
#pragma once

#include <optional>
#include <string>

namespace torvane::phonesim {

// Two upper-case hex digits per byte.
std::string toHex(const std::string& bytes);

// Two hex digits of either case per byte; nothing for an odd length or another character.
std::optional<std::string> fromHex(const std::string& hex);

} // namespace torvane::phonesim
