// The records the gateway keeps in the spool: each comes back as it was written, and a record
// cut short or with any byte changed is refused rather than taken for what it seems to say.
#include "mainprog/core/SmsPartsStore.h"
#include "mainprog/core/SmsSendRecord.h"

#include <gtest/gtest.h>

#include <functional>

using namespace corvant;
using namespace corvant::spool;

namespace {

// Every shorter prefix and every single changed byte of a good record must be refused.
void expectEveryDamageRefused(const std::string& good, const std::function<bool(const std::string&)>& accepted)
{
    ASSERT_TRUE(accepted(good));
    for (size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(accepted(good.substr(0, n))) << "cut to " << n << " bytes";
    for (size_t i = 0; i < good.size(); ++i) {
        std::string bad = good;
        bad[i] = static_cast<char>(bad[i] ^ 0x04);
        EXPECT_FALSE(accepted(bad)) << "byte " << i << " changed";
    }
    EXPECT_FALSE(accepted(good + "x")) << "bytes after its end";
}

TEST(SpoolRecordsTest, ComeBackWholeAndRefuseEveryDamage)
{
    const std::string send = formatSendRecord({255, 2, 3, 1, sendDigest("+49170", {"a", "b", "c"})});
    EXPECT_EQ(parseSendRecord(send), (SendRecord{255, 2, 3, 1, sendDigest("+49170", {"a", "b", "c"})}));
    expectEveryDamageRefused(send, [](const std::string& b) { return parseSendRecord(b).has_value(); });

    const StoredPart part{"+491701234567", 42, 3, 2, 952243620, 1'700'000'000, std::string("any\r\n\0bytes\xE4", 13)};
    EXPECT_EQ(parsePart(formatPart(part)), part);
    expectEveryDamageRefused(formatPart(part), [](const std::string& b) { return parsePart(b).has_value(); });

    const DeliveredNote note{1'700'000'000, {1, 0xFFFFFFFFFFFFFFFFull, 77}};
    EXPECT_EQ(parseDelivered(formatDelivered(note)), note);
    expectEveryDamageRefused(formatDelivered(note), [](const std::string& b) { return parseDelivered(b).has_value(); });
}

TEST(SendRecordTest, ValuesOutsideTheirRangeAreRefused)
{
    for (const SendRecord& bad : {SendRecord{256, -1, 3, 0, 1}, SendRecord{1, -1, 0, 0, 1},
                                  SendRecord{1, -1, 3, 4, 1}, SendRecord{1, 7, 3, 0, 1}}) {
        std::string why;
        EXPECT_FALSE(parseSendRecord(formatSendRecord(bad), &why)) << bad.reference << " " << bad.parts;
        EXPECT_NE(why.find("out of range"), std::string::npos) << why;
    }
}

TEST(SendRecordTest, DigestTellsMessagesApart)
{
    const std::uint64_t base = sendDigest("+49170", {"ab", "c"});
    EXPECT_EQ(base, sendDigest("+49170", {"ab", "c"}));
    EXPECT_NE(base, sendDigest("+49171", {"ab", "c"}));
    EXPECT_NE(base, sendDigest("+49170", {"a", "bc"})) << "the same text cut elsewhere";
    EXPECT_NE(base, sendDigest("+49170", {"ab", "c", ""}));
}

TEST(SmsKeyTest, TellsReadMessagesApartByEveryField)
{
    const SmsRecord base{"+49170", "text", 100, 5, 1, 2};
    const StoredPart stored{"+49170", 5, 2, 1, 100, 999, "text"};
    EXPECT_EQ(smsKey(base), smsKey(stored)) << "the arrival is no part of it";
    const std::function<void(SmsRecord&)> changes[] = {
        [](SmsRecord& r) { r.sender = "+49171"; }, [](SmsRecord& r) { r.text = "texT"; },
        [](SmsRecord& r) { r.timeStamp = 160; },   [](SmsRecord& r) { r.reference = 6; },
        [](SmsRecord& r) { r.sequence = 2; },      [](SmsRecord& r) { r.total = 3; },
    };
    for (size_t i = 0; i < std::size(changes); ++i) {
        SmsRecord other = base;
        changes[i](other);
        EXPECT_NE(smsKey(other), smsKey(base)) << "change " << i;
    }
}

} // namespace
