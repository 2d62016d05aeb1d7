// Call barring: the facility locks a phone sets in the network with AT^SLCK, each barring some
// of the classes voice (1), data (2) and fax (4), queried freely and set with the barring
// password ("+CME ERROR: 16" for a wrong one).
#pragma once

#include "tools/phonesim/PhoneModule.h"

#include <map>
#include <string>

namespace torvane::phonesim {

class BarringCommands : public PhoneModule {
public:
    // All outgoing, outgoing international, outgoing international except home, all incoming,
    // incoming when roaming: none barred.
    BarringCommands();

    QString key() const override { return QStringLiteral("barring"); }
    void addCommands(CommandTable& table) override;
    QString loadState(const QJsonObject& json) override;
    QJsonObject saveState() const override;

    // Barred classes by facility.
    std::map<std::string, int> barred;
    std::string password = "0000";

private:
    CommandResult lock(CommandContext& ctx, const AtCommand& cmd);
};

} // namespace torvane::phonesim
