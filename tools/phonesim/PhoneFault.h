// Ways the simulated phone can be told to misbehave, for tests and for trying error paths by hand.
#pragma once

#include "tools/phonesim/AtCommand.h"

#include <optional>
#include <string>
#include <string_view>

namespace torvane::phonesim {

enum class FaultKind {
    Silent,   // no answer; with no command named, no echo either (a phone that is off)
    Delay,    // the answer comes delayMs late
    Error,    // "ERROR" instead of the answer
    CmeError, // "+CME ERROR: <cmeError>" instead of the answer
    CmsError, // "+CMS ERROR: <cmeError>" instead of the answer (a message service refusal)
    DropLine, // the line is hung up instead of answering; it comes back after delayMs
    Garble,   // every garbleEvery-th byte of the answer is corrupted
};

struct Fault {
    FaultKind kind = FaultKind::Silent;
    // The command it hits, as sent after "AT": "+CPIN?" hits only the query, "+CPIN" every form,
    // "E" every E command. Empty: every command line.
    std::string command;
    int delayMs = 0;
    int cmeError = 0;
    int garbleEvery = 3;
    int times = -1; // how many lines it hits; -1 until cleared
    int from = 1;   // the first matching command it hits (1: the first); those before pass
};

bool faultMatches(const Fault& fault, const AtCommand& command);

// Corrupts bytes in place from a counter that runs on across calls.
void garble(std::string& bytes, int every, unsigned& counter);

// "silent[:CMD]", "delay:MS[:CMD]", "error:CMD", "cme:N:CMD", "cms:N:CMD", "drop[:MS[:CMD]]",
// "garble[:CMD]", each optionally followed by "@FROM" and then "*TIMES". An error text when it
// is malformed.
std::optional<Fault> parseFaultText(std::string_view text, std::string* error);

} // namespace torvane::phonesim
