#include "mainprog/core/SmsSendRecord.h"

#include "mainprog/core/SpoolRecord.h"

namespace corvant::spool {

namespace {

constexpr char kKind[] = "torvane sms send record";
constexpr long long kMaxParts = 255; // the concatenation header counts parts in one octet

std::string lengthOf(std::size_t n)
{
    return std::to_string(n) + ":";
}

} // namespace

std::uint64_t sendDigest(const std::string& number, const std::vector<std::string>& parts)
{
    // Each piece is led by its length, so that no two different messages run together alike.
    std::uint64_t digest = fnv1a64(lengthOf(number.size()) + number);
    for (const std::string& part : parts)
        digest = fnv1a64(lengthOf(part.size()) + part, digest);
    return digest;
}

std::string formatSendRecord(const SendRecord& record)
{
    RecordWriter w(kKind);
    w.number("reference", record.reference);
    w.number("mode", record.mode);
    w.number("parts", record.parts);
    // Of one length whatever the count, so that each update overwrites the record in place.
    w.number("accepted", record.accepted, 3);
    w.hex("digest", record.digest);
    return w.finish();
}

std::optional<SendRecord> parseSendRecord(const std::string& bytes, std::string* why)
{
    RecordReader r(bytes, kKind);
    long long reference = 0, mode = 0, parts = 0, accepted = 0;
    SendRecord record;
    r.number("reference", 0, 255, reference);
    r.number("mode", -4, 3, mode);
    r.number("parts", 1, kMaxParts, parts);
    r.number("accepted", 0, parts, accepted);
    r.hex("digest", record.digest);
    if (!r.end()) {
        if (why)
            *why = r.why();
        return std::nullopt;
    }
    record.reference = static_cast<int>(reference);
    record.mode = static_cast<int>(mode);
    record.parts = static_cast<unsigned>(parts);
    record.accepted = static_cast<unsigned>(accepted);
    return record;
}

} // namespace corvant::spool
