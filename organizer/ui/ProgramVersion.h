// The organizer's version as its about and splash windows show it.
#pragma once

#include <QString>

namespace tessaro {

struct ProgramVersion {
    int Major = 0;
    int Minor = 0;
    int Revision = 0;
};

// The version the program was built as.
ProgramVersion TessaroVersion();

// "3.0.0": major, minor and revision joined by dots.
QString VersionText(const ProgramVersion& version);

} // namespace tessaro
