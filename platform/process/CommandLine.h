// Splitting a command line into a program name and arguments the way the programs' original
// platform does it, so that configured command lines keep their meaning: blanks and tabs
// separate, double quotes group, backslashes are literal except before a double quote.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace torvane::process {

// The program name (first element) and the arguments. The program name knows no escapes:
// quotes only group. In the arguments, 2n backslashes before a quote give n backslashes and
// the quote groups; 2n+1 give n backslashes and a literal quote; "" inside quotes is a literal
// quote. Leading blanks are skipped; an empty or blank line gives an empty list.
std::vector<std::string> splitCommandLine(std::string_view commandLine);

} // namespace torvane::process
