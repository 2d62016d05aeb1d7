// The comment in which an address book entry carries the editor's VIP status and its index,
// e.g. "VIP-Status - Index: 12 ", behind whatever else the user wrote there.
#pragma once

#include "phonebook/model/PhoneDirectory.h"

#include <string>
#include <string_view>

namespace brevik {

struct ParsedComment {
    std::string status;      // "!" or " "
    int index = 0;           // 0: none, or taken already
    std::string keptComment; // the rest of the comment
};

// Reads a comment. The index counts only when it is free among the entries of block read so
// far (IsIndexFree); otherwise the entry gets 0 and a new index later.
ParsedComment ParsePabComment(std::string_view comment, const PhoneDirectory& block);

// The comment of a new entry: "<status text> - Index: <n> ".
std::string CreatePabComment(std::string_view status, int index);
// The comment of a changed entry: the kept comment, a blank, then as for a new entry; with
// nothing kept, the same as for a new entry.
std::string ChangePabComment(std::string_view keptComment, std::string_view status, int index);

} // namespace brevik
