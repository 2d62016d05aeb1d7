// The value that tells the button what to run: fields separated by ";" - a kind ("exe"
// anywhere in it, lower case, starts a program; anything else calls a library procedure), the
// command line or the library's path, and the procedure's name. Empty fields don't count.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace torvane::plinket {

struct PlinketCommand {
    std::string kind;
    std::optional<std::string> commandLine;
    std::optional<std::string> procedure;

    bool startsProgram() const { return kind.find("exe") != std::string::npos; }
};

// Null when the value holds no field at all. Fields after the third are ignored; each field is
// taken character for character.
std::optional<PlinketCommand> parsePlinketCommand(std::string_view value);

} // namespace torvane::plinket
