// The folder of vCard files that holds the address book: one card per file ("*.vcf"), read
// afresh on every look so that other address book programs may change it at any time, and
// written atomically (a new file beside the card, then renamed over it). Files that are not a
// single card of version 3.0 or 4.0 are left alone: never listed, never written, never removed.
#pragma once

#include "platform/mapi/VCard.h"

#include <ctime>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace torvane::mapi {

struct StoredCard {
    std::string fileName; // within the folder
    vcard::Card card;
};

class CardFolder {
public:
    explicit CardFolder(std::filesystem::path folder);

    // $XDG_DATA_HOME/torvane/addressbook (XDG_DATA_HOME defaulting to ~/.local/share).
    static std::filesystem::path defaultPath();

    const std::filesystem::path& path() const { return folder_; }

    // Whether the folder can hold an address book: it exists as a folder, or does not exist yet.
    bool usable(std::string* why = nullptr) const;

    // Every card of the folder that we understand, by file name. A missing folder holds none;
    // nullopt when the folder cannot be read.
    std::optional<std::vector<StoredCard>> loadAll(std::string* why = nullptr) const;

    enum class Load { Ok, Missing, NotUnderstood, Failed };
    Load load(const std::string& fileName, vcard::Card* card, std::string* why = nullptr) const;

    // Writes the card under that name (creating the folder when needed). A replaced file keeps
    // its permissions; a new one is readable by its owner only.
    bool write(const std::string& fileName, const vcard::Card& card, std::string* why = nullptr);
    // Removes the file; a file that is already gone counts as removed.
    bool remove(const std::string& fileName, std::string* why = nullptr);

    // A fresh random uid (RFC 4122 version 4) and the file name a new card with it gets.
    static std::string newUid();
    static std::string fileNameFor(const std::string& uid);

    // Whether a file name is one of our cards' (no folder part, no hidden file, ends in ".vcf").
    static bool isCardFileName(const std::string& fileName);

private:
    // load within the folder open as folderFd (AT_FDCWD: by the card's whole path).
    Load loadAt(int folderFd, const std::string& fileName, vcard::Card* card, std::string* why = nullptr) const;

    // A card already parsed, with the file's identity when it was read: a file whose inode, size
    // and change time are the same has not been written since, and is not read and parsed again
    // (an address book of thousands of cards is looked through once per folder shown).
    struct Parsed {
        ino_t inode = 0;
        std::uintmax_t size = 0;
        timespec changed{};
        vcard::Card card;
    };

    std::filesystem::path folder_;
    std::shared_ptr<std::map<std::string, Parsed>> parsed_ = std::make_shared<std::map<std::string, Parsed>>();
};

} // namespace torvane::mapi
