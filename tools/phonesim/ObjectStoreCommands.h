// The phone's object store: byte objects of a type ("vcs" calendar entries, ...) at numbered
// locations, read with AT^SBNR in hex blocks of 150 bytes and written, deleted and reset with
// AT^SBNW. The ring tone melody ("mid") is the melody module's (MelodyCommands), which takes the
// AT^SBNW commands that name it. Like a real phone it keeps a calendar entry in its own form: date-times
// without the trailing "Z" and the repetition rule without " #0".
#pragma once

#include "tools/phonesim/PhoneModule.h"

#include <map>
#include <optional>
#include <string>

namespace torvane::phonesim {

// Ways the object store can be told to misbehave.
enum class HeaderFault {
    None,
    WrongBlockNumber, // the second block header of a read counts on to 3
    WrongLocation,    // the last block header of a read names the next location
    WrongType,        // the last block header of a read names another type
};

class ObjectStoreCommands : public PhoneModule {
public:
    struct Range {
        int first = 1;
        int last = 50;
    };
    struct Upload {
        std::string type; // without quotes
        int location = 0;
        int block = 0; // blocks received so far
        int count = 0;
        std::string data;
    };

    ObjectStoreCommands();

    QString key() const override { return QStringLiteral("objectStore"); }
    void addCommands(CommandTable& table) override;
    QString loadState(const QJsonObject& json) override;
    QJsonObject saveState() const override;

    // Objects by type (without quotes) and location.
    std::map<std::string, std::map<int, std::string>> objects;
    // Location ranges by type, listed by AT^SBNW=?; a type without one takes any location.
    std::map<std::string, Range> ranges;
    std::optional<Upload> pending;

    // Faults: the reset command leaves the pending upload as it is; read headers are wrong. In the
    // state file: "stuckUpload": true, "headerFault": "blockNumber" | "location" | "type".
    bool stuckUpload = false;
    HeaderFault headerFault = HeaderFault::None;

    // A calendar object as the phone stores it.
    static std::string phoneForm(const std::string& vcalendar);
    // Whether the phone can hold a calendar object's texts (DESCRIPTION and SUMMARY): 16
    // characters, 21 in a phone call's entry, whose text is a number. A longer one is refused,
    // in an upload and in a state file alike.
    static bool textsFit(const std::string& vcalendar);
    static constexpr std::size_t EntryTextLength = 16;
    static constexpr std::size_t PhoneNumberLength = 21;

private:
    CommandResult read(CommandContext& ctx, const AtCommand& cmd);
    CommandResult write(CommandContext& ctx, const AtCommand& cmd);
    bool inRange(const std::string& type, int location) const;
    void store(const Upload& upload);
};

} // namespace torvane::phonesim
