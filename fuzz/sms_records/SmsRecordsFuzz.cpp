// Any bytes as one of the records the SMS gateway keeps in its spool. A reader takes only what
// its writer makes (byte for byte); a damaged stored part or delivery note loses no other part
// and is kept aside, never deleted; and beside a spool file of three parts, whatever the record
// says, the file leaves the outbox only after every part went, and the parts sent are exactly
// those a record that can be trusted does not vouch for (all of them otherwise).
#include "mainprog/core/CSmsManager.h"
#include "mainprog/core/SmsPartsStore.h"
#include "mainprog/core/SmsSendRecord.h"
#include "mainprog/core/SuiteSettings.h"
#include "tests/mainprog/core/SmsFakes.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <set>
#include <string>

using namespace corvant;
using namespace corvant::test;

namespace {

constexpr char kStore[] = "/spool/sms_in/parts/";
constexpr char kFile[] = "/spool/sms_out/SMSfuzz.tmp";

void require(bool condition)
{
    if (!condition)
        std::abort();
}

void readersTakeOnlyWhatTheirWritersMake(const std::string& bytes)
{
    if (const auto r = spool::parseSendRecord(bytes))
        require(spool::formatSendRecord(*r) == bytes);
    if (const auto p = spool::parsePart(bytes))
        require(spool::formatPart(*p) == bytes);
    if (const auto d = spool::parseDelivered(bytes))
        require(spool::formatDelivered(*d) == bytes);
}

void damagedStoreFilesLoseNothing(const std::string& bytes)
{
    MemorySpool spool;
    const StoredPart good{"+4917", 7, 2, 1, 100, 1000, "kept"};
    spool.files[std::string(kStore) + "M00000001-1.part"] = spool::formatPart(good);
    const std::string part = std::string(kStore) + "M00000002-1.part";
    const std::string note = std::string(kStore) + "M00000003.done";
    spool.files[part] = bytes;
    spool.files[note] = bytes;
    SmsPartsStore store(spool, [](const std::string&) {});
    store.open("/spool/sms_in/");
    const auto messages = store.takeBack(2000, std::numeric_limits<std::int64_t>::min());
    bool goodBack = false;
    for (const auto& m : messages)
        goodBack = goodBack || (m.id == std::string(kStore) + "M00000001" && m.parts.size() == 1 && m.parts[0] == good);
    require(goodBack);
    require(spool.files.count(std::string(kStore) + "M00000001-1.part") == 1);
    require(spool.files.count(part) + spool.files.count(part + ".bad") == 1);
    require(spool.files.count(note) + spool.files.count(note + ".bad") == 1);
}

std::string threePartText()
{
    return std::string(152, 'a') + std::string(152, 'b') + std::string(10, 'c');
}

void sendRecordNeverLosesTheFile(const std::string& bytes)
{
    static torvane::registry::AppProfile profile = [] {
        torvane::registry::AppProfile p("TorvaneFuzz", "SmsRecords");
        p.WriteProfileString(section::MapiServer, value::SpoolDir, "/spool");
        p.WriteProfileInt(section::MapiServer, value::Preview, 0);
        p.WriteProfileInt(section::MapiServer, value::MaxParts, 5);
        p.WriteProfileInt(section::MapiServer, value::MapiLog, 0);
        return p;
    }();
    MemorySpool spool;
    FakeSmsEngine engine;
    ScriptedSmsDialogs dialogs;
    FakeSmsClock clock;
    spool.files[kFile] = "**Rufnummer: A [+49170]\r\n**TextBody:\r\n" + threePartText() + "\r\n*** End of Message ***";
    spool.files[std::string(kFile) + spool::kSendRecordSuffix] = bytes;
    CSmsManager manager(engine, spool, dialogs, clock, profile, HWND{1}, "/dev/null");
    manager.Configure();
    manager.ScanOutbox();
    for (int answers = 0; answers < 5 && spool.files.count(kFile); ++answers)
        manager.OnPartSent(0);
    require(!spool.files.count(kFile));

    unsigned vouched = 0;
    const std::vector<std::string> parts = {std::string(152, 'a'), std::string(152, 'b'), std::string(10, 'c')};
    if (const auto r = spool::parseSendRecord(bytes); r && r->parts == 3 && r->digest == spool::sendDigest("+49170", parts))
        vouched = r->accepted;
    std::multiset<int> sent;
    for (const SentPart& p : engine.sent)
        sent.insert(p.sequence);
    std::multiset<int> expected;
    for (int sequence = 1; sequence <= 3 - static_cast<int>(vouched); ++sequence)
        expected.insert(sequence);
    require(sent == expected);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    readersTakeOnlyWhatTheirWritersMake(bytes);
    damagedStoreFilesLoseNothing(bytes);
    sendRecordNeverLosesTheFile(bytes);
    return 0;
}
