// The order in which the two lists show their entries: by the clicked column, texts compared
// without regard to ASCII letter case; indices as "%03d" texts (so 100 comes before 1000 before
// 101) and statuses in reverse, so that VIP entries come first.
#pragma once

#include "phonebook/model/PhoneDirectory.h"

#include <vector>

namespace brevik {

enum ListColumn : int { COLUMN_NAME = 0, COLUMN_NUMBER = 1, COLUMN_INDEX = 2, COLUMN_STATUS = 3 };

// Below 0 when a goes before b in a list sorted by column, 0 when they are equal.
int CompareEntries(const PhoneBookEntry& a, const PhoneBookEntry& b, int column);

// The live slots of block in the order the list shows them (equal entries in slot order).
std::vector<int> SortedSlots(const PhoneDirectory& block, int column);

} // namespace brevik
