// The phone's SMS store in PDU mode: received and stored messages at numbered places, listed
// with AT^SMGL, deleted with AT+CMGD, and the commands that take a PDU after the "> " prompt
// (AT+CMGS, AT+CMGW, AT+CMGC, AT^SSTK). A message sent to the phone's own number comes back as
// a received one, so a program can send and read its own messages; received messages can also be
// injected (receive(), buildDeliver()).
#pragma once

#include "tools/phonesim/PhoneModule.h"
#include "tools/phonesim/SmsPdus.h"

#include <array>
#include <map>
#include <string>
#include <vector>

namespace torvane::phonesim {

// The <stat> of a stored message.
enum SmsStatus : int { SmsReceivedUnread = 0, SmsReceivedRead = 1, SmsStoredUnsent = 2, SmsStoredSent = 3 };

class SmsCommands : public PhoneModule {
public:
    struct Message {
        int status = SmsReceivedUnread;
        std::string pdu; // hex, service-centre part first
    };
    struct Handed {
        std::string command; // "+CMGS", "+CMGW", "+CMGC", "^SSTK"
        std::string pdu;     // hex as handed over
    };

    QString key() const override { return QStringLiteral("sms"); }
    void addCommands(CommandTable& table) override;
    QString loadState(const QJsonObject& json) override;
    QJsonObject saveState() const override;

    // Stores a received message (hex PDU with its service-centre part) unread at the lowest free
    // place; that place, or -1 when the store is full.
    int receive(const std::string& pdu);
    int receive(const IncomingSms& sms) { return receive(buildDeliver(sms)); }

    // Messages by place (1 .. capacity).
    std::map<int, Message> messages;
    int capacity = 30;
    // Messages sent here come back as received ones.
    std::string ownNumber = "+491700000001";
    // The centre the phone's messages go through, and the time it stamps messages sent to itself.
    std::string serviceCentre = "+491710760000";
    std::array<int, 7> networkTime = {24, 5, 17, 12, 34, 56, 8};
    // What programs handed over, in order (not kept in the state file).
    std::vector<Handed> handed;

private:
    CommandResult list(CommandContext& ctx, const AtCommand& cmd);
    CommandResult remove(const AtCommand& cmd);
    CommandResult takePdu(const AtCommand& cmd, const std::string& command);
    CommandResult onPdu(CommandContext& ctx, const std::string& command, int length, int status,
                        const std::string& data);
    int m_reference = 0;
};

} // namespace torvane::phonesim
