// The edit commands on the two lists: copying the preview's entries across, removing, the
// internal clipboard, and new and changed entries through the entry dialog.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/DlgViewModel.h"
#include "phonebook/model/EditFilters.h"
#include "phonebook/model/FormCommands.h"

#include <algorithm>
#include <string>

namespace brevik {

PhoneDirectory& DlgViewModel::listBlock(int list)
{
    return list == LIST_PAB ? pabList_ : shownDirectory();
}

int DlgViewModel::insertInto(int list, int position, const PhoneBookEntry& entry)
{
    return list == LIST_PAB ? AddToPabList(position, entry) : AddToDirectory(position, entry);
}

int DlgViewModel::CopyIntoDirectory(const std::vector<PhoneBookEntry>& items)
{
    return copyInto(LIST_PHONE, items);
}

int DlgViewModel::CopyIntoPabList(const std::vector<PhoneBookEntry>& items)
{
    return copyInto(LIST_PAB, items);
}

int DlgViewModel::copyInto(int list, const std::vector<PhoneBookEntry>& items)
{
    const int start = listBlock(list).count;
    setFlag(FLAG_CHECK_INDEX, true);
    setFlag(FLAG_SEVERAL, items.size() > 1);
    int inserted = 0;
    for (const PhoneBookEntry& item : items) {
        PhoneBookEntry entry = item;
        entry.name = TrimTrailingBlanks(entry.name);
        // A name the user gives up leaves this entry out of the address book; the others go on.
        if (list == LIST_PAB && AskOtherPabName(entry.name) != 1)
            continue;
        if (!insertInto(list, start + inserted, entry))
            break;
        ++inserted;
    }
    setFlag(FLAG_CHECK_INDEX, false);
    return inserted;
}

int DlgViewModel::DeleteByIndex(int list, const std::vector<int>& indices)
{
    int removed = 0;
    for (const int index : indices) {
        const PhoneDirectory& block = listBlock(list);
        for (int slot = 0; slot < block.count; ++slot) {
            if (block.entries[std::size_t(slot)].index != index)
                continue;
            removed += list == LIST_PAB ? DeletePabListEntry(slot) : DeleteDirectoryEntry(slot);
            break;
        }
    }
    return removed;
}

void DlgViewModel::CopyToClipboard(int list, const std::vector<int>& slots)
{
    const PhoneDirectory& block = listBlock(list);
    clipboard_.clearSlots();
    for (const int slot : slots) {
        if (slot < 0 || slot >= block.count || clipboard_.count >= kBlockSlots)
            continue;
        const PhoneBookEntry& source = block.entries[std::size_t(slot)];
        PhoneBookEntry& copy = clipboard_.entries[std::size_t(clipboard_.count++)];
        copy.index = source.index;
        copy.name = source.name;
        copy.number = source.number;
        copy.status = source.status;
        copy.state = source.state;
    }
    setFlag(FLAG_CLIPBOARD, true);
}

int DlgViewModel::Paste(int list, int position)
{
    // Without a list to paste into, the clipboard stays for a later paste.
    if (list != LIST_PHONE && list != LIST_PAB)
        return 0;
    setFlag(FLAG_CHECK_INDEX, true);
    setFlag(FLAG_SEVERAL, clipboard_.count != 1);
    int inserted = 0;
    for (int k = 0; k < clipboard_.count; ++k) {
        PhoneBookEntry entry = clipboard_.entries[std::size_t(k)];
        if (list == LIST_PAB) {
            entry.name = TrimTrailingBlanks(entry.name);
            if (AskOtherPabName(entry.name) != 1)
                continue;
        }
        if (!insertInto(list, position + inserted, entry))
            break;
        ++inserted;
    }
    setFlag(FLAG_CHECK_INDEX, false);
    setFlag(FLAG_CLIPBOARD, false);
    return inserted;
}

std::optional<EntryDialogData> DlgViewModel::askCompleteEntry(EntryDialogData data)
{
    for (;;) {
        std::optional<EntryDialogData> answer = dialogs_.AskEntry(data);
        if (!answer)
            return std::nullopt;
        if (!answer->name.empty() && !answer->number.empty())
            return answer;
        report(ERROR_CLASS_OPERATING, IDS_ERR_INCOMPLETE);
        // Shown again as the user left it.
        data = *answer;
    }
}

std::optional<int> DlgViewModel::NewEntry(int list, int position)
{
    if (list != LIST_PHONE && list != LIST_PAB)
        return std::nullopt;
    const bool phone = list == LIST_PHONE;
    EntryDialogData data;
    data.titleId = phone ? IDS_NEW_PHONE_ENTRY_TITLE : IDS_NEW_PAB_ENTRY_TITLE;
    data.index = std::to_string(LowestFreeIndex(listBlock(list)));
    data.nameLength = nameLength_;
    data.numberLength = numberLength_;
    data.listKind = list;
    const std::optional<EntryDialogData> typed = askCompleteEntry(data);
    if (!typed)
        return std::nullopt;

    PhoneBookEntry entry;
    entry.name = typed->name;
    entry.number = typed->number;
    entry.status = NewEntryStatus(typed->status);
    entry.index = IndexFromText(typed->index);
    entry.state = ENTRY_NEW;
    if (!phone && AskOtherPabName(entry.name) != 1)
        return std::nullopt;
    setFlag(FLAG_CHECK_INDEX, true);
    setFlag(FLAG_SEVERAL, false);
    const int slot = std::clamp(position, 0, int(listBlock(list).count));
    const bool inserted = insertInto(list, position, entry) == 1;
    setFlag(FLAG_CHECK_INDEX, false);
    if (!inserted)
        return std::nullopt;
    return listBlock(list).entries[std::size_t(slot)].index;
}

bool DlgViewModel::ChangeEntry(int list, int slot)
{
    PhoneDirectory& block = listBlock(list);
    if ((list != LIST_PHONE && list != LIST_PAB) || slot < 0 || slot >= block.count)
        return false;
    const bool phone = list == LIST_PHONE;
    const PhoneBookEntry old = block.entries[std::size_t(slot)];
    EntryDialogData data;
    data.titleId = phone ? IDS_CHANGE_PHONE_ENTRY_TITLE : IDS_CHANGE_PAB_ENTRY_TITLE;
    data.name = old.name;
    data.number = old.number;
    data.index = std::to_string(old.index);
    data.status = old.status;
    data.nameLength = nameLength_;
    data.numberLength = numberLength_;
    data.listKind = list;
    const std::optional<EntryDialogData> typed = askCompleteEntry(data);
    if (!typed)
        return false;

    PhoneBookEntry edited = old;
    if (typed->name != old.name) {
        std::string name = typed->name;
        if (!phone && AskOtherPabName(name) != 1)
            return false;
        edited.name = name;
    }
    edited.number = typed->number;
    if (typed->status != old.status)
        edited.status = ChangedEntryStatus(typed->status);
    int candidate = IndexFromText(typed->index);
    while (candidate != old.index && !IsIndexFree(candidate, block)) {
        const IndexAnswer answer = dialogs_.AskIndex(LowestFreeIndex(block), false);
        candidate = answer.button == IndexAnswer::Cancel ? old.index : answer.index;
    }
    edited.index = candidate;
    return phone ? ChangeDirectoryEntry(slot, edited) : ChangePabListEntry(slot, edited);
}

} // namespace brevik
