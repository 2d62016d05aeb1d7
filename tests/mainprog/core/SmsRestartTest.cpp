// The SMS gateway across a crash and a restart, and with a phone that falls silent: no part is
// lost, none is sent or delivered twice. A crash is played by keeping what the disk held at that
// moment and starting a new manager on it.
#include "mainprog/core/SmsPartsStore.h"
#include "mainprog/core/SmsSendRecord.h"
#include "tests/mainprog/core/SmsManagerFixture.h"

#include "engine/zeldll.h"

#include <gtest/gtest.h>

#include <set>

using namespace corvant;
using namespace corvant::test;

namespace {

constexpr char kOut[] = "/spool/sms_out/";
constexpr char kStore[] = "/spool/sms_in/parts/";
constexpr char kFile[] = "/spool/sms_out/SMSa.tmp";
constexpr char kRecord[] = "/spool/sms_out/SMSa.tmp.sent";

std::string spoolFile(const std::string& body)
{
    return "**Rufnummer: Anna [+49170]\r\n**TextBody:\r\n" + body + "\r\n*** End of Message ***\r\n";
}

// 3 parts of 152, 152 and 10 characters, each of its own letter.
std::string threePartText()
{
    return std::string(152, 'a') + std::string(152, 'b') + std::string(10, 'c');
}

class SmsRestartTest : public SmsManagerFixture {
protected:
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

    // Read, then its deletion from the phone confirmed.
    void receiveDeleted(const SmsRecord& record)
    {
        receive(record);
        manager->OnMessageDeleted(0);
    }
    std::vector<std::string> store() const { return spool.in(kStore); }
    // The scan after a restart, every part answered OK until the file is gone.
    void sendTheRest()
    {
        manager->ScanOutbox();
        for (int answers = 0; answers < 10 && spool.files.count(kFile); ++answers)
            manager->OnPartSent(0);
    }
    std::multiset<int> sequencesSent() const
    {
        std::multiset<int> out;
        for (const SentPart& p : engine.sent)
            out.insert(p.sequence);
        return out;
    }
};

// ---- send road ----

class AcceptedBeforeCrash : public SmsRestartTest, public testing::WithParamInterface<int> {};

// Crash with `accepted` parts taken by the phone and the next one handed over, unanswered.
TEST_P(AcceptedBeforeCrash, RestartGoesOnWithTheNextPartUnderTheSameReference)
{
    const int accepted = GetParam();
    make();
    spool.files[kFile] = spoolFile(threePartText());
    manager->ScanOutbox();
    for (int i = 0; i < accepted; ++i)
        manager->OnPartSent(0);
    const int reference = engine.sent.at(0).reference;

    crashAndRestart();
    sendTheRest();
    std::multiset<int> expected;
    for (int sequence = 1; sequence <= 3 - accepted; ++sequence)
        expected.insert(sequence);
    EXPECT_EQ(sequencesSent(), expected);
    for (const SentPart& p : engine.sent)
        EXPECT_EQ(p.reference, reference);
    EXPECT_EQ(profile->GetProfileInt(section::MapiServer, value::RefNum, 0), unsigned(reference));
    EXPECT_TRUE(spool.in(kOut).empty()) << "file and record are gone";
}

INSTANTIATE_TEST_SUITE_P(SendRoad, AcceptedBeforeCrash, testing::Values(0, 1, 2));

using Disk = std::map<std::string, std::string>;

struct Damage {
    const char* name;
    void (*apply)(Disk& disk);
};

class UntrustedRecord : public SmsRestartTest, public testing::WithParamInterface<Damage> {};

TEST_P(UntrustedRecord, SendsTheWholeMessageUnderANewReferenceAndSaysWhy)
{
    make();
    spool.files[kFile] = spoolFile(threePartText());
    manager->ScanOutbox();
    manager->OnPartSent(0);
    const int reference = engine.sent[0].reference;
    Disk disk = spool.files;
    GetParam().apply(disk);

    crashAndRestart(disk);
    sendTheRest();
    EXPECT_EQ(sequencesSent(), (std::multiset<int>{1, 2, 3})) << "a duplicate is better than a loss";
    EXPECT_EQ(engine.sent[0].reference, (reference + 1) % 256);
    EXPECT_NE(spool.trace.find("nicht verwendbar"), std::string::npos);
    EXPECT_TRUE(spool.in(kOut).empty());
}

INSTANTIATE_TEST_SUITE_P(
    SendRoad, UntrustedRecord,
    testing::Values(Damage{"CutShort", [](Disk& d) { d[kRecord].resize(d[kRecord].size() / 2); }},
                    Damage{"ByteChanged", [](Disk& d) { d[kRecord][30] ^= 1; }},
                    Damage{"FileChangedSince", [](Disk& d) { d[kFile] = spoolFile(threePartText() + "!"); }},
                    Damage{"AnotherKind", [](Disk& d) { d[kRecord] = "garbage\n"; }}),
    [](const testing::TestParamInfo<Damage>& info) { return std::string(info.param.name); });

TEST_F(SmsRestartTest, FileWhosePartsAllWentIsOnlyRemovedAndAnOrphanRecordCleared)
{
    spool.files[kFile] = spoolFile("hi");
    spool.files[kRecord] =
        spool::formatSendRecord({9, -1, 1, 1, spool::sendDigest("+49170", {"hi"})});
    spool.files[std::string(kOut) + "SMSgone.tmp.sent"] = "left behind";
    make();
    EXPECT_FALSE(spool.files.count(std::string(kOut) + "SMSgone.tmp.sent"));
    manager->ScanOutbox();
    EXPECT_TRUE(engine.sent.empty());
    EXPECT_TRUE(spool.in(kOut).empty());
    EXPECT_TRUE(manager->sendPollArmed());
}

// A phone that does not answer at all refuses nothing: the part waits for it, however long, and
// goes with the same reference when it is back. Only refusals from a phone that answers are tries:
// the third sets the file aside, a silence between them does not count.
TEST_F(SmsRestartTest, OnlyRefusalsOfAnAnsweringPhoneAreTries)
{
    make();
    spool.files[kFile] = spoolFile(threePartText());
    manager->ScanOutbox();
    manager->OnPartSent(0);
    manager->OnPartSent(-1); // part 2: no prompt came
    for (int silentCheck = 0; silentCheck < 6; ++silentCheck) {
        manager->OnPhoneStatus(PHONE_NONE, RESULT_TIMEOUT);
        EXPECT_TRUE(manager->sendPollArmed()) << "its tick asks for the phone";
        manager->ScanOutbox();
        manager->OnPartSent(-1); // a stray answer changes nothing
    }
    EXPECT_EQ(engine.statusChecks, 7);
    manager->OnPhoneStatus(PHONE_PIN_NEEDED, RESULT_OK); // answering, but not ready yet
    EXPECT_EQ(engine.sent.size(), 2u);
    manager->OnPhoneStatus(PHONE_REGISTERED, RESULT_OK);
    ASSERT_EQ(engine.sent.size(), 3u);
    EXPECT_EQ(engine.sent[2].sequence, 2);
    EXPECT_EQ(engine.sent[2].reference, engine.sent[0].reference);

    for (int status : {PHONE_REGISTERED, PHONE_NONE, PHONE_REGISTERED, PHONE_REGISTERED}) {
        manager->OnPartSent(-1);
        manager->OnPhoneStatus(status, RESULT_OK);
        if (status == PHONE_NONE)
            manager->OnPhoneStatus(PHONE_REGISTERED, RESULT_OK);
    }
    EXPECT_EQ(engine.sent.size(), 6u) << "three refusals and a silence after the first try";
    EXPECT_TRUE(spool.files.count(std::string(kOut) + "SMSa.tmp.err"));
    EXPECT_EQ(dialogs.boxes.size(), 1u);
}

// ---- receive road ----

TEST_F(SmsRestartTest, WaitingPeriodRunsOnAcrossARestart)
{
    profile->WriteProfileInt(section::MapiServer, value::WaitMinutes, 5);
    make();
    receiveDeleted({"A", "one", 100, 7, 1, 2});
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
        receiveDeleted(parts[i]);
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
        receiveDeleted(parts.back()); // the phone's copy: its deletion was never confirmed
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
    receiveDeleted({"A", "one ", 100, 7, 1, 2});
    profile->WriteProfileString(section::MapiServer, value::SpoolDir, "/other");
    manager->Configure();
    receiveDeleted({"A", "two", 100, 7, 2, 2});
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
    receiveDeleted({"A", "too", 100, 7, 2, 2});
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("kept too\r\n"), std::string::npos);
}

} // namespace
