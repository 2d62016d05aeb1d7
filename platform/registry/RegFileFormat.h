// The REGEDIT4 text of one registry root, as kept in $XDG_CONFIG_HOME/torvane/<root>.reg:
//
//   REGEDIT4
//
//   [HKEY_CURRENT_USER\Software\Torvane\Quorvane PRO\Settings]
//   "KONF_COMPORT"="COM1"
//   "DebugDlg"=dword:00000000
//   @="the key's default value"
//   "Other"=hex(7):41,00,00
//
// Texts are Latin-1 bytes; in quotes, \ and " are written \\ and \". A REG_SZ in quotes stands
// for its text plus one terminating zero byte; a REG_SZ whose bytes are anything else (no
// terminator, an empty value, inner zero bytes, line breaks) is written as hex(1): so that its
// bytes come back exactly. Other types are hex(n): lists (hex: for REG_BINARY), which may go on
// over lines ending in "\". Lines beginning with ";" are comments.
//
// The parser takes any bytes and never reads past them; a file it does not fully understand is
// refused with the line and the reason, never half taken.
#pragma once

#include "platform/registry/RegTree.h"

#include <string>
#include <string_view>

namespace torvane::registry {

struct ParseResult {
    bool ok = false;
    RegTree tree;
    int line = 0;        // where the trouble is (1-based) when !ok
    std::string message; // what is wrong there
};

// rootName is the first component every key must have ("HKEY_CURRENT_USER").
ParseResult parseRegFile(std::string_view text, std::string_view rootName);
std::string formatRegFile(const RegTree& tree, std::string_view rootName);

} // namespace torvane::registry
