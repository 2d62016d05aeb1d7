// The phone's phonebooks: storages named by two letters, each with its index range, number and
// text lengths and a read-only flag, selected with AT^SPBS and read and written with AT+CPBR and
// AT+CPBW.
#pragma once

#include "tools/phonesim/PhoneModule.h"

#include <map>
#include <string>

namespace torvane::phonesim {

class PhonebookCommands : public PhoneModule {
public:
    struct Entry {
        std::string number;
        int type = 129;
        std::string text; // as the phone keeps it, byte for byte
        bool operator==(const Entry&) const = default;
    };
    struct Storage {
        int first = 1;
        int last = 250;
        int numberLength = 20;
        int textLength = 14;
        bool readOnly = false;
        std::map<int, Entry> entries;
    };

    // SIM, phone, fixed dialling and own numbers, which can be written, and the call lists, which
    // cannot.
    PhonebookCommands();

    QString key() const override { return QStringLiteral("phonebooks"); }
    void addCommands(CommandTable& table) override;
    QString loadState(const QJsonObject& json) override;
    QJsonObject saveState() const override;

    std::map<std::string, Storage> storages;
    std::string selected = "SM";

private:
    CommandResult select(const AtCommand& cmd);
    CommandResult read(CommandContext& ctx, const AtCommand& cmd);
    CommandResult write(const AtCommand& cmd);
};

} // namespace torvane::phonesim
