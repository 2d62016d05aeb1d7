// The SMS gateway across a crash and a restart, and with a phone that falls silent: no part is
// lost, none is sent or delivered twice. A crash is played by keeping what the disk held at that
// moment and starting a new manager on it.
#include "mainprog/core/CSmsManager.h"
#include "mainprog/core/SmsPartsStore.h"
#include "mainprog/core/SmsSendRecord.h"
#include "mainprog/core/SuiteSettings.h"
#include "tests/mainprog/core/SmsFakes.h"

#include "engine/zeldll.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvant;
using namespace corvant::test;

namespace {

constexpr char kOut[] = "/spool/sms_out/";
constexpr char kIn[] = "/spool/sms_in/";
constexpr char kStore[] = "/spool/sms_in/parts/";

std::string spoolFile(const std::string& body)
{
    return "**Rufnummer: Anna [+49170]\r\n**TextBody:\r\n" + body + "\r\n*** End of Message ***\r\n";
}

// 3 parts of 152, 152 and 10 characters, each of its own letter.
std::string threePartText()
{
    return std::string(152, 'a') + std::string(152, 'b') + std::string(10, 'c');
}

class SmsRestartTest : public testing::Test {
protected:
    void SetUp() override
    {
        const std::string name = testing::UnitTest::GetInstance()->current_test_info()->name();
        profile = std::make_unique<torvane::registry::AppProfile>("TorvaneSmsRestart", name);
        profile->WriteProfileString(section::MapiServer, value::SpoolDir, "/spool");
        profile->WriteProfileInt(section::MapiServer, value::Preview, 0);
        profile->WriteProfileInt(section::MapiServer, value::MaxParts, 5);
        profile->WriteProfileInt(section::MapiServer, value::MapiLog, 1);
    }
    void make()
    {
        manager = std::make_unique<CSmsManager>(engine, spool, dialogs, clock, *profile, HWND{77}, "trace.log");
        manager->Configure();
    }
    // The program ends without its exit (killed): the disk keeps what it held; a new one starts.
    void crashAndRestart(std::map<std::string, std::string> disk)
    {
        const size_t boxes = dialogs.boxes.size();
        manager.reset();
        spool.files = disk;
        dialogs.boxes.resize(boxes);
        engine.sent.clear();
        make();
    }
    void crashAndRestart() { crashAndRestart(spool.files); }

    void receive(const SmsRecord& record, int deleteResult = 0)
    {
        engine.records.push_back(record);
        manager->RequestRead();
        manager->OnMessageRead(0);
        manager->OnMessageDeleted(deleteResult);
    }
    std::vector<std::string> inbox() const { return spool.in(kIn); }
    std::vector<std::string> store() const { return spool.in(kStore); }
    std::set<int> sequencesSent() const
    {
        std::set<int> out;
        for (const SentPart& p : engine.sent)
            out.insert(p.sequence);
        return out;
    }

    FakeSmsEngine engine;
    MemorySpool spool;
    ScriptedSmsDialogs dialogs;
    FakeSmsClock clock;
    std::unique_ptr<torvane::registry::AppProfile> profile;
    std::unique_ptr<CSmsManager> manager;
};

// ---- send road ----

class AcceptedBeforeCrash : public SmsRestartTest, public testing::WithParamInterface<int> {};

// Crash with `accepted` parts taken by the phone and the next one handed over, unanswered.
TEST_P(AcceptedBeforeCrash, RestartGoesOnWithTheNextPartUnderTheSameReference)
{
    const int accepted = GetParam();
    make();
    spool.files[std::string(kOut) + "SMSa.tmp"] = spoolFile(threePartText());
    manager->ScanOutbox();
    for (int i = 0; i < accepted; ++i)
        manager->OnPartSent(0);
    ASSERT_EQ(engine.sent.size(), size_t(accepted) + 1);
    const int reference = engine.sent[0].reference;

    crashAndRestart();
    std::set<int> expected;
    for (int sequence = 1; sequence <= 3 - accepted; ++sequence)
        expected.insert(sequence);
    EXPECT_TRUE(manager->sendPollArmed());
    manager->ScanOutbox();
    while (engine.sent.size() < expected.size() && !engine.sent.empty())
        manager->OnPartSent(0);
    manager->OnPartSent(0);
    EXPECT_EQ(sequencesSent(), expected);
    for (const SentPart& p : engine.sent) {
        EXPECT_EQ(p.reference, reference);
        EXPECT_EQ(p.total, 3);
    }
    EXPECT_EQ(engine.sent.front().text, std::string(152, "cba"[accepted]).substr(0, accepted == 0 ? 10 : 152));
    EXPECT_EQ(profile->GetProfileInt(section::MapiServer, value::RefNum, 0), unsigned(reference));
    EXPECT_TRUE(spool.in(kOut).empty()) << "file and record are gone";
    EXPECT_NE(spool.trace.find("Fortsetzung nach Neustart"), std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(SendRoad, AcceptedBeforeCrash, testing::Values(0, 1, 2));

struct Damage {
    const char* name;
    void (*apply)(MemorySpool& spool, const std::string& file);
};

class UntrustedRecord : public SmsRestartTest, public testing::WithParamInterface<Damage> {};

TEST_P(UntrustedRecord, SendsTheWholeMessageUnderANewReferenceAndSaysWhy)
{
    make();
    const std::string file = std::string(kOut) + "SMSa.tmp";
    spool.files[file] = spoolFile(threePartText());
    manager->ScanOutbox();
    manager->OnPartSent(0);
    const int reference = engine.sent[0].reference;
    auto disk = spool.files;
    MemorySpool damaged;
    damaged.files = disk;
    GetParam().apply(damaged, file);

    crashAndRestart(damaged.files);
    manager->ScanOutbox();
    while (!engine.sent.empty() && spool.files.count(file))
        manager->OnPartSent(0);
    EXPECT_EQ(sequencesSent(), (std::set<int>{1, 2, 3})) << "a duplicate is better than a loss";
    EXPECT_EQ(engine.sent[0].reference, (reference + 1) % 256);
    EXPECT_NE(spool.trace.find("nicht verwendbar"), std::string::npos);
    EXPECT_TRUE(spool.in(kOut).empty());
}

INSTANTIATE_TEST_SUITE_P(
    SendRoad, UntrustedRecord,
    testing::Values(
        Damage{"CutShort",
               [](MemorySpool& s, const std::string& f) {
                   std::string& r = s.files[f + ".sent"];
                   r.resize(r.size() / 2);
               }},
        Damage{"ByteChanged", [](MemorySpool& s, const std::string& f) { s.files[f + ".sent"][30] ^= 1; }},
        Damage{"FileChangedSince",
               [](MemorySpool& s, const std::string& f) { s.files[f] = spoolFile(threePartText() + "!"); }},
        Damage{"AnotherKind", [](MemorySpool& s, const std::string& f) { s.files[f + ".sent"] = "garbage\n"; }}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(SmsRestartTest, FileWhosePartsAllWentIsOnlyRemovedAndAnOrphanRecordCleared)
{
    const std::string file = std::string(kOut) + "SMSa.tmp";
    spool.files[file] = spoolFile("hi");
    spool.files[file + ".sent"] =
        spool::formatSendRecord({9, -1, 1, 1, spool::sendDigest("+49170", {"hi"})});
    spool.files[std::string(kOut) + "SMSgone.tmp.sent"] = "left behind";
    make();
    EXPECT_FALSE(spool.files.count(std::string(kOut) + "SMSgone.tmp.sent"));
    manager->ScanOutbox();
    EXPECT_TRUE(engine.sent.empty());
    EXPECT_TRUE(spool.in(kOut).empty());
    EXPECT_TRUE(manager->sendPollArmed());
}

// A phone that does not answer at all refuses nothing: the part waits for it, however long,
// and goes with the same reference when it is back.
TEST_F(SmsRestartTest, SilentPhoneIsNoTryAndTheSendGoesOnWhenItIsBack)
{
    make();
    spool.files[std::string(kOut) + "SMSa.tmp"] = spoolFile(threePartText());
    manager->ScanOutbox();
    manager->OnPartSent(0);
    manager->OnPartSent(-1); // part 2: no prompt came
    EXPECT_EQ(engine.statusChecks, 1);
    for (int silentCheck = 0; silentCheck < 6; ++silentCheck) {
        manager->OnPhoneStatus(PHONE_NONE, RESULT_TIMEOUT);
        EXPECT_TRUE(manager->sendPollArmed()) << "its tick asks for the phone";
        manager->ScanOutbox();
        manager->OnPartSent(-1); // a stray answer changes nothing
    }
    EXPECT_EQ(engine.statusChecks, 7);
    EXPECT_EQ(engine.sent.size(), 2u);
    manager->OnPhoneStatus(PHONE_PIN_NEEDED, RESULT_OK); // answering, but not ready yet
    EXPECT_EQ(engine.sent.size(), 2u);
    manager->OnPhoneStatus(PHONE_REGISTERED, RESULT_OK);
    ASSERT_EQ(engine.sent.size(), 3u);
    EXPECT_EQ(engine.sent[2].sequence, 2);
    EXPECT_EQ(engine.sent[2].reference, engine.sent[0].reference);
    manager->OnPartSent(0);
    manager->OnPartSent(0);
    EXPECT_EQ(engine.sent.size(), 4u);
    EXPECT_TRUE(spool.in(kOut).empty());
    EXPECT_TRUE(dialogs.boxes.empty());
}

// Only a refusal from a phone that answers counts: three refusals with a silence between them
// set the file aside after the third, not before.
TEST_F(SmsRestartTest, RefusalsCountSilencesDoNot)
{
    make();
    spool.files[std::string(kOut) + "SMSa.tmp"] = spoolFile("x");
    manager->ScanOutbox();
    const int phoneAfter[] = {PHONE_REGISTERED, PHONE_NONE, PHONE_REGISTERED, PHONE_REGISTERED};
    for (int status : phoneAfter) {
        manager->OnPartSent(-1);
        manager->OnPhoneStatus(status, status == PHONE_NONE ? RESULT_TIMEOUT : RESULT_OK);
        if (status == PHONE_NONE)
            manager->OnPhoneStatus(PHONE_REGISTERED, RESULT_OK);
    }
    EXPECT_EQ(engine.sent.size(), 4u) << "three refusals and a silence: four tries handed over";
    EXPECT_TRUE(spool.files.count(std::string(kOut) + "SMSa.tmp.err"));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

// ---- receive road ----

TEST_F(SmsRestartTest, PartsTakenOffThePhoneSurviveACrashBetweenThem)
{
    make();
    receive({"A", "one ", 100, 7, 1, 3});
    receive({"A", "two ", 100, 7, 2, 3});
    EXPECT_EQ(engine.deletes, 2) << "each left the phone once it was stored";
    EXPECT_EQ(store().size(), 2u);
    crashAndRestart();
    EXPECT_EQ(manager->pendingCount(), 1u);
    receive({"A", "three", 100, 7, 3, 3});
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("one two three\r\n"), std::string::npos);
    manager->OnMessageRead(-2);
    EXPECT_TRUE(store().empty()) << "nothing left behind";
}

TEST_F(SmsRestartTest, WaitingPeriodRunsOnAcrossARestart)
{
    profile->WriteProfileInt(section::MapiServer, value::WaitMinutes, 5);
    make();
    receive({"A", "one", 100, 7, 1, 2});
    clock.seconds += 4 * 60;
    crashAndRestart();
    manager->OnMessageRead(-2);
    EXPECT_TRUE(inbox().empty());
    clock.seconds += 60;
    manager->OnMessageRead(-2);
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_EQ(dialogs.boxes.back().caption, "The waiting period is over.");
}

struct Arrival {
    const char* name;
    std::vector<SmsRecord> parts; // the last one is read when the program crashes
    const char* text;
};

class CrashWhileDelivering : public SmsRestartTest, public testing::WithParamInterface<Arrival> {};

// Whatever step of storing and delivering the last part a crash interrupts, the restart reads
// the phone's copy again and the message ends in exactly one inbox file, the store empty.
TEST_P(CrashWhileDelivering, EveryCrashPointEndsInOneInboxFile)
{
    const std::vector<SmsRecord>& parts = GetParam().parts;
    make();
    for (size_t i = 0; i + 1 < parts.size(); ++i)
        receive(parts[i]);
    spool.recording = true;
    engine.records.push_back(parts.back());
    manager->RequestRead();
    manager->OnMessageRead(0);
    spool.recording = false;
    const auto history = spool.history;
    ASSERT_GE(history.size(), 3u);
    for (size_t point = 0; point < history.size(); ++point) {
        SCOPED_TRACE("crash after change " + std::to_string(point));
        crashAndRestart(history[point]);
        receive(parts.back()); // the phone's copy: its deletion was never confirmed
        manager->OnMessageRead(-2);
        ASSERT_EQ(inbox().size(), 1u);
        EXPECT_NE(spool.files[inbox()[0]].find(GetParam().text), std::string::npos);
        EXPECT_TRUE(store().empty());
    }
}

INSTANTIATE_TEST_SUITE_P(ReceiveRoad, CrashWhileDelivering,
                         testing::Values(Arrival{"Single", {{"B", "alone", 50, 0, 1, 1}}, "alone\r\n"},
                                         Arrival{"ThreeParts",
                                                 {{"A", "one ", 100, 7, 2, 3},
                                                  {"A", "two ", 100, 7, 3, 3},
                                                  {"A", "zero ", 100, 7, 1, 3}},
                                                 "zero one two \r\n"}),
                         [](const testing::TestParamInfo<Arrival>& info) { return std::string(info.param.name); });

// The spool folder changed while a message was half received: it is completed where it began
// and delivered into the inbox of the new folder, nothing left behind in the old store.
TEST_F(SmsRestartTest, MessageKeepsItsStoreWhenTheSpoolFolderChanges)
{
    make();
    receive({"A", "one ", 100, 7, 1, 2});
    profile->WriteProfileString(section::MapiServer, value::SpoolDir, "/other");
    manager->Configure();
    receive({"A", "two", 100, 7, 2, 2});
    manager->OnMessageRead(-2);
    ASSERT_EQ(spool.in("/other/sms_in/").size(), 1u);
    EXPECT_NE(spool.files[spool.in("/other/sms_in/")[0]].find("one two\r\n"), std::string::npos);
    EXPECT_TRUE(inbox().empty());
    EXPECT_TRUE(store().empty());
    EXPECT_TRUE(spool.in("/other/sms_in/parts/").empty());
}

TEST_F(SmsRestartTest, UnreadableStoreFilesAreSetAsideAndTheRestComesBack)
{
    const StoredPart good{"A", 7, 2, 1, 100, clock.seconds, "kept "};
    spool.files[std::string(kStore) + "M00000001-1.part"] = spool::formatPart(good);
    spool.files[std::string(kStore) + "M00000002-1.part"] = spool::formatPart(good).substr(0, 40);
    spool.files[std::string(kStore) + "M00000003.done"] = "garbled";
    spool.files[std::string(kStore) + "M00000004-2.part.new"] = "never renamed into place";
    make();
    EXPECT_EQ(manager->pendingCount(), 1u);
    EXPECT_TRUE(spool.files.count(std::string(kStore) + "M00000002-1.part.bad"));
    EXPECT_TRUE(spool.files.count(std::string(kStore) + "M00000003.done.bad"));
    EXPECT_FALSE(spool.files.count(std::string(kStore) + "M00000004-2.part.new"));
    EXPECT_NE(spool.trace.find("unlesbar"), std::string::npos);
    receive({"A", "too", 100, 7, 2, 2});
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("kept too\r\n"), std::string::npos);
}

} // namespace
