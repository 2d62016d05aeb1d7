// Call forwarding as the network keeps it for the phone, set and queried with AT+CCFC: for each
// reason (0 unconditional, 1 busy, 2 no reply, 3 not reachable) and class (voice 1, data 2, fax 4)
// a registered number, whether it is active, and for no reply the delay in seconds.
#pragma once

#include "tools/phonesim/PhoneModule.h"

#include <array>
#include <string>

namespace torvane::phonesim {

class ForwardingCommands : public PhoneModule {
public:
    struct Forward {
        bool active = false;
        std::string number; // empty: none registered
        int type = 129;
        int time = 20;
        bool operator==(const Forward&) const = default;
    };

    static constexpr int kReasons = 4;

    QString key() const override { return QStringLiteral("forwarding"); }
    void addCommands(CommandTable& table) override;
    QString loadState(const QJsonObject& json) override;
    QJsonObject saveState() const override;

    // By reason, then class index (voice, data, fax).
    std::array<std::array<Forward, 3>, kReasons> forwards;

    Forward& at(int reason, int classBit);

private:
    CommandResult forward(CommandContext& ctx, const AtCommand& cmd);
};

} // namespace torvane::phonesim
