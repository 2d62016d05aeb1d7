// The organizer's command line: blank-separated options in any letter case, a later option of a
// kind overriding an earlier one. D (show each calendar object), KILL (end the running copy),
// DEBUG (trace boxes), NOORG (no desktop calendar), CALLER=name (started by another program; the
// suite's main program says "Qbr") and TIMER=ms (pause between transfer steps, 0 to 65000).
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>

namespace tessaro {

struct CommandLineOptions {
    bool dump = false;
    bool kill = false;
    bool debug = false;
    bool noOrganizer = false;
    bool caller = false;
    QString callerName; // upper case: the text after the token's first "="
    std::int32_t transferPause = 0;
    // A bad TIMER= value gives a warning box (German whatever the language) and a pause of 0.
    QStringList warnings;
};

inline constexpr std::int32_t MaxTransferPause = 65000;

CommandLineOptions ParseCommandLine(const QString& commandLine);

} // namespace tessaro
