// The in-memory model shared by the phone directory list and the address book list: the
// entry record, the directory block with its deletion marks, the index rules, the directory
// set and the folder table.
//
// A block holds its live entries in slots 0 .. count-1 (insertion order) and, right behind
// them, its deletion marks: copies of removed entries that still exist in the store, in state
// ENTRY_DELETED, waiting to be erased there. Marks always follow the live entries without a
// gap, and live entries and marks together never exceed the block's capacity.
#pragma once

#include "platform/mapi/MapiTypes.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace brevik {

enum EntryState : std::int32_t {
    ENTRY_UNCHANGED = 0, // as read
    ENTRY_NEW = 1,       // added in the editor, not yet stored
    ENTRY_CHANGED = 2,   // read and then changed
    ENTRY_DELETED = 3,   // deletion mark
};

constexpr int kBlockSlots = 1000;
constexpr int kPabMaxIndex = 1000;

struct PhoneBookEntry {
    std::int32_t index = 0;   // position in the phone directory; in the PAB list the comment's number
    std::string name;         // Latin-1, never GSM codes
    std::string number;
    std::string status;       // "!" for a VIP entry, " " otherwise
    torvane::mapi::EntryId entryId; // address book entries only
    std::int32_t state = ENTRY_UNCHANGED;
    std::string keptComment;  // address book entries only: the comment without status and index
};

struct PhoneDirectory {
    PhoneDirectory();

    std::int32_t count = 0;
    std::int32_t readOnly = 0;
    std::int32_t maxIndex = 0; // highest index the store takes, at most 1000
    // The name and number lengths the phone reported when this directory was read, so a
    // directory shown again from memory is edited with its own limits.
    std::int32_t nameLength = 0;
    std::int32_t numberLength = 0;
    std::vector<PhoneBookEntry> entries; // kBlockSlots slots

    // Slots the block may use: min(maxIndex, 1000), never negative.
    int capacity() const;
    // Deletion marks behind the live entries.
    int markCount() const;
    // Empties every slot; count 0. maxIndex and the lengths stay.
    void clearSlots();
};

// 0 when index is 0 or above maxIndex, or a live entry has it; else 1. Marks are not looked at.
int IsIndexFree(int index, const PhoneDirectory& block);
// The first of 1 .. count that no live entry uses; else the highest index in use plus 1
// (1 for an empty block). Not compared with maxIndex.
int LowestFreeIndex(const PhoneDirectory& block);

// Directory table: seven rows, the row number is the directory's index everywhere.
struct DirectoryTableRow {
    const char* storageCode; // for reading
    const char* writeCode;   // for writing; empty: read-only
    int nameString;
};
constexpr int kDirectoryCount = 7;
extern const std::array<DirectoryTableRow, kDirectoryCount> DirectoryTable;
constexpr int DIRECTORY_OWN = 3; // the first directory read without autoload

struct PhoneDirectorySet {
    std::int32_t usedCount = 0; // 0 until the first successful read, then 7
    std::int32_t current = 0;   // the directory shown
    std::array<PhoneDirectory, kDirectoryCount> blocks;
};

// One row of the address book's folder table: the root or a distribution list.
constexpr int kFolderRows = 50;
constexpr std::int32_t FOLDER_ROOT = 1;
constexpr std::int32_t FOLDER_LIST = 2;

struct PabFolder {
    std::int32_t kind = 0;
    std::int32_t depth = 0; // 1 the root; a list found at walk level n: n + 2
    std::string name;
    torvane::mapi::EntryId entryId;
};

struct PabFolderTable {
    std::int32_t count = 0;
    std::array<PabFolder, kFolderRows> rows;
};

} // namespace brevik
