// Entries entering, leaving and changing in the two lists: the index question, the deletion
// marks, and the limits of the phone for entries bound for a directory.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/DlgViewModel.h"
#include "phonebook/model/GsmName.h"

#include <algorithm>

namespace brevik {

namespace {

// A number bound for the phone: only what the phone takes, cut to its length ('+' is no digit
// of it, the phone keeps it as the number's type).
std::string phoneNumberFor(const PhoneDirectory& block, std::string_view number)
{
    std::string filtered = FilterPhoneNumber(number, false);
    const std::size_t limit = std::size_t(std::max(block.numberLength, 0)) + (filtered.starts_with('+') ? 1 : 0);
    if (filtered.size() > limit)
        filtered.resize(limit);
    return filtered;
}

std::string phoneNameFor(const PhoneDirectory& block, std::string_view name)
{
    std::string stripped;
    StripRefusedCharacters(name, stripped);
    if (stripped.size() > std::size_t(std::max(block.nameLength, 0)))
        stripped.resize(std::size_t(std::max(block.nameLength, 0)));
    return stripped;
}

} // namespace

void DlgViewModel::reportFull()
{
    report(ERROR_CLASS_OPERATING, IDS_ERR_FULL);
    view_.SetStatusText(IDS_ABORTED);
}

bool DlgViewModel::askIndex(PhoneDirectory& block, PhoneBookEntry& entry, bool checkMaxIndex)
{
    if (!hasFlag(FLAG_CHECK_INDEX) || IsIndexFree(entry.index, block))
        return true;
    const int offered = LowestFreeIndex(block);
    if (checkMaxIndex && offered > block.maxIndex) {
        reportFull();
        return false;
    }
    const IndexAnswer answer = dialogs_.AskIndex(offered, hasFlag(FLAG_SEVERAL));
    if (answer.button == IndexAnswer::Cancel) {
        setFlag(FLAG_CHECK_INDEX, false);
        return false;
    }
    entry.index = answer.index;
    if (answer.button == IndexAnswer::AcceptAll)
        setFlag(FLAG_CHECK_INDEX, false);
    return true;
}

int DlgViewModel::insertSlots(PhoneDirectory& block, int position, bool dropSameIndexMark, int index)
{
    const int count = block.count;
    const int end = count + block.markCount();
    position = std::clamp(position, 0, count);
    if (dropSameIndexMark) {
        for (int mark = count; mark < end; ++mark) {
            if (block.entries[std::size_t(mark)].index != index)
                continue;
            // The new entry overwrites that index on the phone: its erasure is not wanted.
            for (int s = mark; s > position; --s)
                block.entries[std::size_t(s)] = std::move(block.entries[std::size_t(s - 1)]);
            return position;
        }
    }
    const int limit = dropSameIndexMark ? block.capacity() : kBlockSlots;
    if (end >= limit)
        return -1;
    for (int s = end; s > position; --s)
        block.entries[std::size_t(s)] = std::move(block.entries[std::size_t(s - 1)]);
    return position;
}

int DlgViewModel::AddToDirectory(int position, const PhoneBookEntry& source)
{
    PhoneDirectory& block = shownDirectory();
    if (block.count >= block.capacity()) {
        reportFull();
        return 0;
    }
    PhoneBookEntry entry;
    entry.index = source.index;
    if (!askIndex(block, entry, true))
        return 0;
    if (!IsIndexFree(entry.index, block)) {
        entry.index = LowestFreeIndex(block);
        if (entry.index > block.maxIndex) {
            reportFull();
            return 0;
        }
    }
    entry.name = phoneNameFor(block, source.name);
    entry.number = phoneNumberFor(block, source.number);
    // An empty number would make the write erase the index instead of writing the entry.
    if (entry.number.empty()) {
        report(ERROR_CLASS_OPERATING, IDS_ERR_INCOMPLETE);
        view_.SetStatusText(IDS_ABORTED);
        return 0;
    }
    entry.status = source.status;
    entry.state = ENTRY_NEW;
    const int slot = insertSlots(block, position, true, entry.index);
    if (slot < 0) {
        reportFull();
        return 0;
    }
    block.entries[std::size_t(slot)] = std::move(entry);
    ++block.count;
    setFlag(FLAG_PHONE_CHANGED, true);
    return 1;
}

int DlgViewModel::AddToPabList(int position, const PhoneBookEntry& source)
{
    PhoneDirectory& block = pabList_;
    block.maxIndex = kPabMaxIndex;
    if (block.count >= kBlockSlots) {
        reportFull();
        return 0;
    }
    PhoneBookEntry entry = source;
    if (!askIndex(block, entry, false))
        return 0;
    if (!IsIndexFree(entry.index, block))
        entry.index = LowestFreeIndex(block);
    entry.state = ENTRY_NEW;
    // Marks wait for the next save; while they fill the list, nothing more fits.
    const int slot = insertSlots(block, position, false, 0);
    if (slot < 0) {
        reportFull();
        return 0;
    }
    block.entries[std::size_t(slot)] = std::move(entry);
    ++block.count;
    setFlag(FLAG_PAB_CHANGED, true);
    return 1;
}

namespace {

// Removes the live entry at slot; an entry the store holds leaves a deletion mark behind the
// live entries. Whether a mark was made.
bool removeEntry(PhoneDirectory& block, int slot, bool* marked)
{
    *marked = false;
    if (block.count <= 0 || slot < 0 || slot >= block.count)
        return false;
    const int end = block.count + block.markCount();
    PhoneBookEntry removed = std::move(block.entries[std::size_t(slot)]);
    for (int s = slot; s + 1 < end; ++s)
        block.entries[std::size_t(s)] = std::move(block.entries[std::size_t(s + 1)]);
    block.entries[std::size_t(end - 1)] = PhoneBookEntry{};
    --block.count;
    if (removed.state != ENTRY_NEW) {
        removed.state = ENTRY_DELETED;
        block.entries[std::size_t(end - 1)] = std::move(removed);
        *marked = true;
    }
    return true;
}

} // namespace

int DlgViewModel::DeleteDirectoryEntry(int slot)
{
    bool marked = false;
    if (!removeEntry(shownDirectory(), slot, &marked))
        return 0;
    if (marked)
        setFlag(FLAG_PHONE_CHANGED, true);
    return 1;
}

int DlgViewModel::DeletePabListEntry(int slot)
{
    bool marked = false;
    if (!removeEntry(pabList_, slot, &marked))
        return 0;
    if (marked)
        setFlag(FLAG_PAB_CHANGED, true);
    return 1;
}

bool DlgViewModel::ChangeDirectoryEntry(int slot, const PhoneBookEntry& edited)
{
    PhoneDirectory& block = shownDirectory();
    if (slot < 0 || slot >= block.count)
        return false;
    const std::string number = phoneNumberFor(block, edited.number);
    if (number.empty()) {
        report(ERROR_CLASS_OPERATING, IDS_ERR_INCOMPLETE);
        view_.SetStatusText(IDS_ABORTED);
        return false;
    }
    PhoneBookEntry& entry = block.entries[std::size_t(slot)];
    int index = entry.index;
    if (edited.index != entry.index && IsIndexFree(edited.index, block)) {
        index = edited.index;
        // The phone still holds the entry at its old index; a mark erases it there after the
        // entry is written at the new one.
        if (entry.state != ENTRY_NEW) {
            const int end = block.count + block.markCount();
            if (end >= block.capacity()) {
                reportFull();
                return false;
            }
            PhoneBookEntry mark = entry;
            mark.state = ENTRY_DELETED;
            block.entries[std::size_t(end)] = std::move(mark);
        }
    }
    entry.index = index;
    entry.name = phoneNameFor(block, edited.name);
    entry.number = number;
    entry.status = edited.status;
    if (entry.state != ENTRY_NEW)
        entry.state = ENTRY_CHANGED;
    setFlag(FLAG_PHONE_CHANGED, true);
    return true;
}

bool DlgViewModel::ChangePabListEntry(int slot, const PhoneBookEntry& edited)
{
    PhoneDirectory& block = pabList_;
    if (slot < 0 || slot >= block.count)
        return false;
    PhoneBookEntry& entry = block.entries[std::size_t(slot)];
    if (edited.index != entry.index && IsIndexFree(edited.index, block))
        entry.index = edited.index;
    entry.name = edited.name;
    entry.number = edited.number;
    entry.status = edited.status;
    if (entry.state != ENTRY_NEW)
        entry.state = ENTRY_CHANGED;
    setFlag(FLAG_PAB_CHANGED, true);
    return true;
}

void DlgViewModel::FillPhoneList(bool clearStates)
{
    if (clearStates && directories_.usedCount != 0) {
        PhoneDirectory& block = shownDirectory();
        for (int slot = 0; slot < block.count; ++slot)
            block.entries[std::size_t(slot)].state = ENTRY_UNCHANGED;
    }
    view_.PhoneListFilled();
}

void DlgViewModel::FillPabList(bool clearStates)
{
    for (int slot = 0; slot < pabList_.count; ++slot) {
        PhoneBookEntry& entry = pabList_.entries[std::size_t(slot)];
        if (entry.index < 0 || entry.index > kPabMaxIndex)
            entry.index = LowestFreeIndex(pabList_);
        if (entry.status != " " && entry.status != "!")
            entry.status = " ";
        if (clearStates)
            entry.state = ENTRY_UNCHANGED;
    }
    view_.PabListFilled();
}

void DlgViewModel::ShowPreviewRow(bool show)
{
    view_.SetPreviewRowVisible(hasFlag(FLAG_PREVIEW_ROW) && show);
}

} // namespace brevik
