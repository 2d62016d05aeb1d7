// One command of an AT command line, and the parser that cuts a line into commands.
// "ATE0+CMEE=2;+CPIN?" is three commands: E (set 0), +CMEE (set 2) and +CPIN (query).
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::phonesim {

enum class AtForm {
    Action, // "+CGMI", "E" (a basic command without a number)
    Set,    // "+CMEE=2", "E1" (a basic command with its number in args)
    Query,  // "+CPIN?"
    Test,   // "+CMEE=?"
};

struct AtCommand {
    std::string name; // upper case with its prefix: "+CPIN", "^SPIC", "E", "&F", "S0", "D"
    AtForm form = AtForm::Action;
    std::string args; // the text after "=" (or a basic command's number), as sent
    std::string text; // the whole command as sent, name in upper case: "+CPIN=\"1234\""
};

struct AtCommandLine {
    bool isCommand = false;  // the line holds "AT"; anything else is not answered at all
    bool syntaxError = false; // answered with ERROR
    std::vector<AtCommand> commands;
};

// Bytes before the first "AT" are ignored, as a modem does with line noise.
AtCommandLine parseCommandLine(std::string_view line);

// The comma-separated fields of args, outer quotes removed and blanks outside quotes trimmed:
// "\"1234\",\"5678\"" -> {1234, 5678}. Nothing when a quote is left open.
std::optional<std::vector<std::string>> atArguments(std::string_view args);

// A whole non-negative decimal number up to 9 digits, or nothing.
std::optional<int> atNumber(std::string_view text);

} // namespace torvane::phonesim
