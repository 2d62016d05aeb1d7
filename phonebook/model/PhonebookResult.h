// Reading the engine's phonebook read result into a directory block.
#pragma once

#include "engine/zeldll.h"
#include "phonebook/model/PhoneDirectory.h"

namespace brevik {

// Fills block from the packed entries of result: each index with bit 15 masked, the name up to
// its first zero byte and never longer than its field (converted from the phone's codes), the
// number likewise; a '!' behind the first character of a name is the VIP mark. At most 1000
// entries are taken (and never a byte beyond the result's area); count is the number taken.
// maxIndex is the reported highest index capped at 1000; the block keeps the reported name
// and number lengths. Every entry is ENTRY_UNCHANGED; earlier contents and marks are gone.
void DecodePhonebookResult(const PBResult& result, PhoneDirectory& block);

} // namespace brevik
