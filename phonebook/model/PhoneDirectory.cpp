#include "phonebook/model/PhoneDirectory.h"

#include "phonebook/model/BrevikStrings.h"

#include <algorithm>

namespace brevik {

const std::array<DirectoryTableRow, kDirectoryCount> DirectoryTable = {{
    {"SM", "SM", IDS_DIR_SIM},
    {"ME", "ME", IDS_DIR_MOBILE},
    {"LD", "", IDS_DIR_LAST_DIAL},
    {"OW", "OW", IDS_DIR_OWN},
    {"FD", "FD", IDS_DIR_FIX_DIAL},
    {"MC", "", IDS_DIR_MISSED},
    {"CD", "", IDS_DIR_CALL_BACK},
}};

PhoneDirectory::PhoneDirectory() : entries(kBlockSlots) {}

int PhoneDirectory::capacity() const
{
    return std::clamp(int(maxIndex), 0, kBlockSlots);
}

int PhoneDirectory::markCount() const
{
    int marks = 0;
    for (int slot = std::max(0, int(count)); slot < kBlockSlots && entries[std::size_t(slot)].state == ENTRY_DELETED;
         ++slot)
        ++marks;
    return marks;
}

void PhoneDirectory::clearSlots()
{
    for (PhoneBookEntry& entry : entries)
        entry = PhoneBookEntry{};
    count = 0;
}

int IsIndexFree(int index, const PhoneDirectory& block)
{
    if (index <= 0 || index > block.maxIndex)
        return 0;
    for (int slot = 0; slot < block.count && slot < kBlockSlots; ++slot)
        if (block.entries[std::size_t(slot)].index == index)
            return 0;
    return 1;
}

int LowestFreeIndex(const PhoneDirectory& block)
{
    const int live = std::clamp(int(block.count), 0, kBlockSlots);
    const auto used = [&](int index) {
        for (int slot = 0; slot < live; ++slot)
            if (block.entries[std::size_t(slot)].index == index)
                return true;
        return false;
    };
    for (int i = 1; i <= live; ++i)
        if (!used(i))
            return i;
    int highest = 0;
    for (int slot = 0; slot < live; ++slot)
        highest = std::max(highest, int(block.entries[std::size_t(slot)].index));
    return highest + 1;
}

} // namespace brevik
