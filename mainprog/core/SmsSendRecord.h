// What the send road keeps beside a spool file while its parts go out ("<file>.sent"): the
// reference of the message, the way it goes (sent or stored on the SIM), its parts and how many
// of them the phone has accepted. It is written before the first part and again after every part
// the phone accepts, before the next is handed over, so that a restart goes on with the next part
// under the same reference instead of sending the accepted ones again.
//
// A record is trusted only when it is whole (its check sum holds) and made for exactly the
// message the file gives now (same destination and parts); otherwise the message goes whole
// under a new reference: a part the recipient gets twice is better than one never sent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvant::spool {

constexpr char kSendRecordSuffix[] = ".sent";

struct SendRecord {
    int reference = 0;
    int mode = -1;
    unsigned parts = 0;
    unsigned accepted = 0; // counted from the last part, which goes first
    std::uint64_t digest = 0;
    bool operator==(const SendRecord&) const = default;
};

// What a record is made for: the destination and the text of every part, in sequence order.
std::uint64_t sendDigest(const std::string& number, const std::vector<std::string>& parts);

std::string formatSendRecord(const SendRecord& record);

// The record, or nullopt with the reason when the bytes are not one whole record.
std::optional<SendRecord> parseSendRecord(const std::string& bytes, std::string* why = nullptr);

} // namespace corvant::spool
