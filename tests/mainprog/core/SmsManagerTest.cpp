// The SMS manager against a fake engine, an in-memory spool and scripted boxes: both roads, and
// the mends that keep a message from being lost or sent twice.
#include "tests/mainprog/core/SmsManagerFixture.h"

#include "engine/zeldll.h"

#include <gtest/gtest.h>

using namespace corvant;
using namespace corvant::test;

namespace {

std::string spoolFile(const std::string& numbers, const std::string& subject, const std::string& body)
{
    return "From: mail\r\n" + numbers + "\r\n**Betreffzeile: " + subject + "\r\n**Priority Normal:\r\n**TextBody:\r\n" +
           body + "\r\n*** End of Message ***\r\n";
}

class SmsManagerTest : public SmsManagerFixture {
protected:
    void drop(const std::string& name, const std::string& bytes) { spool.files["/spool/sms_out/" + name] = bytes; }
    void answerParts()
    {
        size_t answered = 0;
        while (answered < engine.sent.size()) {
            ++answered;
            manager->OnPartSent(0);
        }
    }
};

} // namespace

// ---- send road ----

TEST_F(SmsManagerTest, SendsPartsLastFirstThenDeletesTheFile)
{
    make();
    EXPECT_TRUE(manager->sendPollArmed());
    EXPECT_TRUE(manager->receivePollArmed());
    drop("sms01.TMP", spoolFile("**Rufnummer: Anna [+49170]", "", std::string(161, 'a')));
    manager->ScanOutbox();
    EXPECT_FALSE(manager->sendPollArmed());
    ASSERT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(engine.sent[0].text, std::string(9, 'a'));
    EXPECT_EQ(engine.sent[0].sequence, 2);
    EXPECT_EQ(engine.sent[0].total, 2);
    EXPECT_EQ(engine.sent[0].number, "+49170");
    EXPECT_EQ(engine.sent[0].mode, -1);
    EXPECT_EQ(engine.sent[0].validity, 255);
    manager->OnPartSent(0);
    ASSERT_EQ(engine.sent.size(), 2u);
    EXPECT_EQ(engine.sent[1].text, std::string(152, 'a'));
    EXPECT_EQ(engine.sent[1].sequence, 1);
    EXPECT_TRUE(spool.files.count("/spool/sms_out/sms01.TMP"));
    manager->OnPartSent(0);
    EXPECT_FALSE(spool.files.count("/spool/sms_out/sms01.TMP"));
    EXPECT_TRUE(manager->sendPollArmed());
    EXPECT_NE(spool.trace.find("\rKillTimer SEND, Datei gefunden"), std::string::npos);
    EXPECT_NE(spool.trace.find("\rRefNum gesendet: 1\nSequNum gesendet: 2\rStart Timer nach Senden"), std::string::npos);
}

TEST_F(SmsManagerTest, ReferenceWrapsFrom255ToZeroAndIsStored)
{
    profile->WriteProfileInt(section::MapiServer, value::RefNum, 254);
    make();
    for (int i = 0; i < 3; ++i) {
        drop("SMS" + std::to_string(i) + ".tmp", spoolFile("**Rufnummer:[1]", "", "x"));
        manager->ScanOutbox();
        manager->OnPartSent(0);
    }
    ASSERT_EQ(engine.sent.size(), 3u);
    EXPECT_EQ(engine.sent[0].reference, 255);
    EXPECT_EQ(engine.sent[1].reference, 0);
    EXPECT_EQ(engine.sent[2].reference, 1);
    EXPECT_EQ(engine.sent[0].sequence, 1);
    EXPECT_EQ(engine.sent[0].total, 1);
    EXPECT_EQ(profile->GetProfileInt(section::MapiServer, value::RefNum, 9), 1u);
}

TEST_F(SmsManagerTest, FurtherRecipientsGetNewOutboxFilesAndAreNotSplitTwice)
{
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[111]\r\n**Rufnummer: Bo [222]", "Hi", "there"));
    manager->ScanOutbox();
    ASSERT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(engine.sent[0].number, "111");
    EXPECT_EQ(engine.sent[0].text, "Hi there");
    // The original no longer names the second recipient, the new file does.
    EXPECT_EQ(spool.files["/spool/sms_out/SMSa.tmp"].find("222"), std::string::npos);
    manager->OnPartSent(0);
    manager->ScanOutbox(); // the new SMS<hex>.TMP, found case-blind
    ASSERT_EQ(engine.sent.size(), 2u);
    EXPECT_EQ(engine.sent[1].number, "222");
    EXPECT_EQ(engine.sent[1].text, "Hi there");
    manager->OnPartSent(0);
    EXPECT_TRUE(spool.in("/spool/sms_out/").empty());
    EXPECT_NE(spool.trace.find("Nr. <**Rufnummer: Bo [222]> zugefuegt "), std::string::npos);
}

TEST_F(SmsManagerTest, FailedSplitKeepsTheFileAndWritesNoHalfSet)
{
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]\r\n**Rufnummer:[2]\r\n**Rufnummer:[3]", "", "x"));
    spool.writesBeforeFailure = 1; // the second new file cannot be written
    manager->ScanOutbox();
    EXPECT_TRUE(engine.sent.empty());
    EXPECT_EQ(spool.in("/spool/sms_out/"), std::vector<std::string>{"/spool/sms_out/SMSa.tmp"});
    EXPECT_TRUE(manager->sendPollArmed());
    spool.writesBeforeFailure = -1;
    manager->ScanOutbox(); // passed over once, ...
    manager->ScanOutbox(); // ... then tried again
    EXPECT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(spool.matching("/spool/sms_out/", "SMS*.tmp").size(), 3u);
}

struct RefusalCase {
    const char* numbers;
    const char* shownDestination;
};
class InvalidDestinationTest : public SmsManagerTest, public testing::WithParamInterface<RefusalCase> {};

TEST_P(InvalidDestinationTest, RefusedWithMessageDeletedAndPollArmed)
{
    make();
    drop("SMSa.tmp", spoolFile(GetParam().numbers, "", "x"));
    manager->ScanOutbox();
    EXPECT_TRUE(engine.sent.empty());
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "send SMS");
    EXPECT_EQ(dialogs.boxes[0].text, std::string(GetParam().shownDestination) +
                                         " invalid destination address.\nThis message will not be sent.");
    EXPECT_FALSE(dialogs.boxes[0].owned);
    EXPECT_FALSE(spool.files.count("/spool/sms_out/SMSa.tmp"));
    EXPECT_TRUE(manager->sendPollArmed());
}
INSTANTIATE_TEST_SUITE_P(Destinations, InvalidDestinationTest,
                         testing::Values(RefusalCase{"**Rufnummer:[01 70]", "01 70"},
                                         RefusalCase{"**Rufnummer:[0+170]", "0+170"},
                                         RefusalCase{"no number", "<none>"}, RefusalCase{"**Rufnummer:[]", ""}));

TEST_F(SmsManagerTest, TooManyPartsWarnsAndCuts)
{
    profile->WriteProfileInt(section::MapiServer, value::MaxParts, 1);
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]", "", std::string(200, 'z')));
    manager->ScanOutbox();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "Number of links exceeded");
    EXPECT_EQ(dialogs.boxes[0].text, "You have set the maximum number of concatenated SMS to 1.\nThe remaining text will be cut.");
    EXPECT_TRUE(dialogs.boxes[0].owned);
    ASSERT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(engine.sent[0].text, std::string(152, 'z'));
    EXPECT_EQ(engine.sent[0].total, 1);
}

TEST_F(SmsManagerTest, PreviewChoices)
{
    profile->WriteProfileInt(section::MapiServer, value::Preview, 1);
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]", "", std::string(170, 'p')));
    // Cancel then No: kept, previewed again at the next scan.
    dialogs.previewChoices = {{false, false}, {false, false}, {true, true}};
    dialogs.boxAnswer = 7; // IDNO
    manager->ScanOutbox();
    EXPECT_TRUE(spool.files.count("/spool/sms_out/SMSa.tmp"));
    EXPECT_EQ(dialogs.boxes.back().caption, "Delete message");
    EXPECT_EQ(dialogs.partsLines[0], "Es werden insgesamt 2 Short Messages versendet.");
    EXPECT_EQ(dialogs.previews[0].substr(152, 14), "\r\n----------\r\n");
    EXPECT_TRUE(manager->sendPollArmed());
    // Cancel then Yes: deleted.
    dialogs.boxAnswer = 6;
    manager->ScanOutbox();
    EXPECT_FALSE(spool.files.count("/spool/sms_out/SMSa.tmp"));
    EXPECT_TRUE(engine.sent.empty());
    // OK with the box ticked: stored on the SIM (mode 2).
    drop("SMSb.tmp", spoolFile("**Rufnummer:[1]", "", "q"));
    manager->ScanOutbox();
    ASSERT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(engine.sent[0].mode, 2);
    EXPECT_EQ(dialogs.partsLines.back(), "");
}

// Mend: a whole file is read; over 64 KiB it is refused, traced and kept; others go on.
TEST_F(SmsManagerTest, LargeFileIsReadWholeOversizedOneKept)
{
    make();
    const std::string body(5000, 'b');
    drop("SMSa.tmp", std::string(70 * 1024, ' ') + spoolFile("**Rufnummer:[1]", "", "x"));
    drop("SMSb.tmp", std::string(4000, ' ') + spoolFile("**Rufnummer:[2]", "", body));
    manager->ScanOutbox();
    EXPECT_TRUE(engine.sent.empty());
    EXPECT_TRUE(spool.files.count("/spool/sms_out/SMSa.tmp"));
    EXPECT_NE(spool.trace.find("zu gross"), std::string::npos);
    EXPECT_TRUE(manager->sendPollArmed());
    manager->ScanOutbox();
    ASSERT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(engine.sent[0].number, "2"); // its marker stood past the first 4096 bytes
    EXPECT_EQ(engine.sent[0].total, 5);
    answerParts();
    EXPECT_FALSE(spool.files.count("/spool/sms_out/SMSb.tmp"));
    EXPECT_TRUE(spool.files.count("/spool/sms_out/SMSa.tmp"));
}

// Mend: an unreadable or empty file re-arms the send poll and does not block the others.
TEST_F(SmsManagerTest, UnreadableOrEmptyFileReArmsAndIsPassedOver)
{
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]", "", "x"));
    drop("SMSb.tmp", "");
    drop("SMSc.tmp", spoolFile("**Rufnummer:[3]", "", "y"));
    spool.unreadable.insert("/spool/sms_out/SMSa.tmp");
    manager->ScanOutbox();
    EXPECT_TRUE(manager->sendPollArmed());
    manager->ScanOutbox();
    EXPECT_TRUE(manager->sendPollArmed());
    manager->ScanOutbox();
    ASSERT_EQ(engine.sent.size(), 1u);
    EXPECT_EQ(engine.sent[0].number, "3");
    manager->OnPartSent(0);
    spool.unreadable.clear();
    manager->ScanOutbox(); // only passed-over files left: retried from the next scan on
    manager->ScanOutbox();
    ASSERT_EQ(engine.sent.size(), 2u);
    EXPECT_EQ(engine.sent[1].number, "1");
    EXPECT_TRUE(spool.files.count("/spool/sms_out/SMSb.tmp")); // the empty file is kept
}

// Mend: three refusals of a part (failures while the phone answers), then the file is set aside
// as .err, reported once, and the next file is taken.
TEST_F(SmsManagerTest, PartFailingThreeTimesIsSetAside)
{
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]", "", std::string(200, 'r')));
    drop("SMSb.tmp", spoolFile("**Rufnummer:[2]", "", "next"));
    manager->ScanOutbox();
    manager->OnPartSent(0); // part 2 went
    for (int refusal = 1; refusal <= 2; ++refusal) {
        manager->OnPartSent(-1);
        EXPECT_EQ(engine.statusChecks, refusal) << "the phone is asked whether it answers at all";
        manager->OnPhoneStatus(PHONE_REGISTERED, 0);
    }
    ASSERT_EQ(engine.sent.size(), 4u);
    EXPECT_EQ(engine.sent[3].sequence, 1);
    EXPECT_TRUE(dialogs.boxes.empty());
    manager->OnPartSent(-1); // third refusal
    manager->OnPhoneStatus(PHONE_REGISTERED, 0);
    EXPECT_EQ(engine.sent.size(), 4u);
    EXPECT_FALSE(spool.files.count("/spool/sms_out/SMSa.tmp"));
    EXPECT_TRUE(spool.files.count("/spool/sms_out/SMSa.tmp.err"));
    EXPECT_FALSE(spool.files.count("/spool/sms_out/SMSa.tmp.sent")) << "the record goes with the file";
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "Error while sending SMS");
    EXPECT_TRUE(manager->sendPollArmed());
    manager->OnPartSent(-1); // a stray answer changes nothing
    EXPECT_EQ(dialogs.boxes.size(), 1u);
    manager->ScanOutbox();
    ASSERT_EQ(engine.sent.size(), 5u);
    EXPECT_EQ(engine.sent[4].number, "2");
}

TEST_F(SmsManagerTest, RefusedRequestIsReportedOnceAndSetAside)
{
    make();
    engine.sendReturn = -1;
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]", "", "x"));
    spool.renameFails = true; // cannot be moved: passed over for this run instead
    manager->ScanOutbox();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "The following Message was not sent: \nx\nRef-Num: 1\nSequ-Num: 1");
    EXPECT_TRUE(manager->sendPollArmed());
    manager->ScanOutbox();
    EXPECT_EQ(engine.sent.size(), 1u);
}

TEST_F(SmsManagerTest, ExitWithFilesLeftShowsTheBox)
{
    make();
    drop("SMSa.tmp", "x");
    manager.reset();
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "End program");
    EXPECT_EQ(spool.trace.substr(0, 5), "Start");
    EXPECT_EQ(spool.trace.substr(spool.trace.size() - 5), "\nStop");
}

// ---- receive road ----

TEST_F(SmsManagerTest, SingleSmsWrittenThenDeleted)
{
    make();
    manager->RequestRead();
    EXPECT_FALSE(manager->receivePollArmed());
    EXPECT_EQ(engine.reads, 1);
    engine.records.push_back({"+4917", "Hello_\f", 952243620, 0, 1, 1});
    manager->OnMessageRead(0);
    ASSERT_EQ(inbox().size(), 1u);
    const std::string& bytes = spool.files[inbox()[0]];
    EXPECT_NE(bytes.find("**TextBody: \r\nHello_.\r\n"), std::string::npos);
    EXPECT_EQ(engine.deletes, 1);
    EXPECT_FALSE(manager->receivePollArmed());
    manager->OnMessageDeleted(0);
    EXPECT_TRUE(manager->receivePollArmed());
    manager->OnMessageRead(-2);
    EXPECT_NE(spool.trace.find("\rStart Timer READ nach  Status = NOMSG"), std::string::npos);
}

// Mend: a message whose file cannot be written stays on the phone; the poll tries again.
TEST_F(SmsManagerTest, UnwritableInboxLeavesTheMessageOnThePhone)
{
    make();
    spool.refusedFolders.insert("/spool/sms_in/");
    receive({"1", "text", 0, 0, 1, 1});
    EXPECT_EQ(engine.deletes, 0);
    EXPECT_TRUE(manager->receivePollArmed());
    spool.refusedFolders.clear();
    spool.writesBeforeFailure = 0; // created but not written: removed again, still not deleted
    receive({"1", "text", 0, 0, 1, 1});
    EXPECT_EQ(engine.deletes, 0);
    EXPECT_TRUE(inbox().empty());
    spool.writesBeforeFailure = -1;
    receive({"1", "text", 0, 0, 1, 1});
    EXPECT_EQ(engine.deletes, 1);
    EXPECT_EQ(inbox().size(), 1u);
}

TEST_F(SmsManagerTest, PartsOutOfOrderAndTwoSendersWithTheSameReference)
{
    make();
    receive({"A", "second", 0, 9, 2, 2});
    receive({"B", "other2", 0, 9, 2, 2});
    EXPECT_EQ(engine.deletes, 2); // a held part is stored: it leaves the phone
    receive({"A", "first ", 0, 9, 1, 2});
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("first second\r\n"), std::string::npos);
    EXPECT_NE(spool.files[inbox()[0]].find("[SMS:A]"), std::string::npos);
    receive({"B", "other1 ", 0, 9, 1, 2});
    EXPECT_EQ(inbox().size(), 2u);
    EXPECT_EQ(manager->pendingCount(), 0u);
}

// Mend: completion counts distinct sequence numbers.
TEST_F(SmsManagerTest, DuplicatePartDoesNotCompleteEarly)
{
    make();
    receive({"A", "one ", 0, 5, 1, 3});
    receive({"A", "two ", 0, 5, 2, 3});
    receive({"A", "two ", 0, 5, 2, 3});
    EXPECT_TRUE(inbox().empty());
    EXPECT_EQ(manager->pendingCount(), 1u);
    receive({"A", "three", 0, 5, 3, 3});
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("one two three\r\n"), std::string::npos);
}

// Mend: expiry by absolute time; an incomplete message keeps every part, in order.
TEST_F(SmsManagerTest, ExpiryAcrossTheHourKeepsAllParts)
{
    profile->WriteProfileInt(section::MapiServer, value::WaitMinutes, 60);
    make();
    clock.seconds = 1'000'000'000 - 1'000'000'000 % 3600 + 50 * 60; // minute 50 of an hour
    receive({"A", "three", 0, 5, 3, 3});
    receive({"A", "two ", 0, 5, 2, 3});
    clock.seconds += 59 * 60;
    manager->OnMessageRead(-2);
    EXPECT_TRUE(inbox().empty());
    clock.seconds += 60;
    manager->OnMessageRead(-2);
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("two three\r\n"), std::string::npos);
    ASSERT_FALSE(dialogs.boxes.empty());
    EXPECT_EQ(dialogs.boxes.back().caption, "The waiting period is over.");
    EXPECT_EQ(manager->pendingCount(), 0u);
}

// Mend: the expiry pass neither changes the list it walks nor re-enters through its boxes.
TEST_F(SmsManagerTest, ExpiryPassIsNotReenteredFromItsBoxes)
{
    profile->WriteProfileInt(section::MapiServer, value::WaitMinutes, 5);
    make();
    receive({"A", "a", 0, 1, 1, 2});
    receive({"B", "b", 0, 2, 1, 2});
    clock.seconds += 5 * 60;
    int inner = 0;
    dialogs.onBox = [&] {
        ++inner;
        receive({"C", "c", 0, 3, 1, 2}); // an answer handled while the box is up
    };
    manager->OnMessageRead(-1);
    EXPECT_EQ(inner, 1);
    EXPECT_EQ(inbox().size(), 2u);
    EXPECT_EQ(dialogs.boxes.size(), 2u); // one per expired message, none from the inner answer
    EXPECT_EQ(manager->pendingCount(), 1u); // C waits
}

// A part is deleted from the phone only once it is stored; a whole message that the inbox cannot
// take yet waits in the store and goes in at a later answer.
TEST_F(SmsManagerTest, AssembledMessageThatCannotBeWrittenWaitsForTheNextTry)
{
    make();
    receive({"A", "x", 0, 1, 1, 2});
    spool.refusedFolders.insert("/spool/sms_in/");
    receive({"A", "y", 0, 1, 2, 2});
    EXPECT_EQ(engine.deletes, 1) << "part 2 could not be stored: it stays on the phone";
    EXPECT_EQ(manager->pendingCount(), 1u);
    spool.refusedFolders.clear();
    spool.moveFails = true; // the store takes it, the inbox not yet
    receive({"A", "y", 0, 1, 2, 2});
    EXPECT_EQ(engine.deletes, 2);
    EXPECT_TRUE(inbox().empty());
    EXPECT_EQ(manager->pendingCount(), 0u);
    spool.moveFails = false;
    manager->OnMessageRead(-2);
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("xy\r\n"), std::string::npos);
}

// Mend: a failed deletion does not stop reception, and the message is not stored twice.
TEST_F(SmsManagerTest, FailedDeletionKeepsReadingWithoutDuplicates)
{
    make();
    const SmsRecord single{"1", "once", 0, 0, 1, 1};
    receive(single);
    manager->OnMessageDeleted(-1);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].caption, "Error while deleting SMS on SIM-Card");
    EXPECT_TRUE(manager->receivePollArmed());
    receive(single); // read again: only deleted
    EXPECT_EQ(inbox().size(), 1u);
    EXPECT_EQ(engine.deletes, 2);
    manager->OnMessageDeleted(0);
    receive(single); // a new message with the same content after success is a new message
    EXPECT_EQ(inbox().size(), 2u);
    // A refused deletion request is reported at once and reading goes on.
    engine.deleteReturn = -1;
    receive({"2", "two", 0, 0, 1, 1});
    EXPECT_TRUE(manager->receivePollArmed());
}

TEST_F(SmsManagerTest, ExitWritesIncompleteMessagesInOrder)
{
    make();
    receive({"A", "three", 0, 5, 3, 3});
    receive({"A", "two ", 0, 5, 2, 3});
    receive({"B", "  ", 0, 6, 1, 2}); // blank after trimming: not written
    manager.reset();
    ASSERT_EQ(inbox().size(), 1u);
    EXPECT_NE(spool.files[inbox()[0]].find("two three\r\n"), std::string::npos);
    ASSERT_EQ(dialogs.boxes.size(), 1u);
    EXPECT_EQ(dialogs.boxes[0].text, "Incomplete concatenated message was saved.");
}

TEST_F(SmsManagerTest, ExitDoesNotClaimAnUnwrittenMessageSaved)
{
    make();
    receive({"A", "one", 0, 5, 1, 2});
    spool.refusedFolders.insert("/spool/sms_in/");
    manager.reset();
    EXPECT_TRUE(dialogs.boxes.empty());
    EXPECT_NE(spool.trace.find("nicht schreibbar von A"), std::string::npos);
}

TEST_F(SmsManagerTest, NoTraceWhenLoggingIsOff)
{
    profile->WriteProfileInt(section::MapiServer, value::MapiLog, 0);
    make();
    drop("SMSa.tmp", spoolFile("**Rufnummer:[1]", "", "x"));
    manager->ScanOutbox();
    manager.reset();
    EXPECT_TRUE(spool.trace.empty());
}

#include "mainprog/core/SpoolFileSystem.h"

#include <cstdlib>
#include <fstream>
#include <sys/stat.h>

// The spool on the real file system: whole files up to the limit, refusal above it.
TEST(PosixSpoolTest, ReadsWholeFilesAndRefusesOversizedOnes)
{
    char templ[] = "/tmp/spoolXXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::string dir = std::string(templ) + "/";
    PosixSpoolFileSystem fs;
    std::ofstream(dir + "big.tmp") << std::string(70 * 1024, 'x');
    std::ofstream(dir + "mid.tmp") << std::string(5000, 'y');
    std::string bytes;
    EXPECT_EQ(fs.readAll(dir + "big.tmp", 64 * 1024, bytes), SpoolFileSystem::Read::TooLarge);
    EXPECT_EQ(fs.readAll(dir + "mid.tmp", 64 * 1024, bytes), SpoolFileSystem::Read::Ok);
    EXPECT_EQ(bytes.size(), 5000u);
    EXPECT_EQ(fs.readAll(dir + "none.tmp", 64 * 1024, bytes), SpoolFileSystem::Read::Unreadable);
    // A plain file standing where a folder should be: nothing is created in it.
    EXPECT_EQ(fs.createUnique(dir + "mid.tmp/", "SMS"), "");
    const std::string made = fs.createUnique(dir, "SMS");
    ASSERT_FALSE(made.empty());
    EXPECT_TRUE(fs.writeAll(made, "abc"));
    EXPECT_EQ(fs.readAll(made, 10, bytes), SpoolFileSystem::Read::Ok);
    EXPECT_EQ(bytes, "abc");
    EXPECT_EQ(fs.matching(dir, "SMS*.tmp").size(), 1u);

    // Records: replaced whole, or written over in place; inbox files moved in under a new name.
    EXPECT_FALSE(fs.overwriteDurably(dir + "record", "x")) << "only over an existing file";
    EXPECT_TRUE(fs.writeDurably(dir + "record", "first, longer"));
    EXPECT_TRUE(fs.overwriteDurably(dir + "record", "second"));
    EXPECT_EQ(fs.readAll(dir + "record", 100, bytes), SpoolFileSystem::Read::Ok);
    EXPECT_EQ(bytes, "second");
    EXPECT_TRUE(fs.matching(dir, "*.new").empty());
    mkdir((dir + "in").c_str(), 0755);
    const std::string moved = fs.moveToUnique(dir + "record", dir + "in/", "SMS");
    EXPECT_EQ(fs.matching(dir + "in/", "SMS*.TMP"), std::vector<std::string>{moved.substr(dir.size() + 3)});
    EXPECT_EQ(fs.readAll(moved, 100, bytes), SpoolFileSystem::Read::Ok);
    EXPECT_EQ(bytes, "second");
    EXPECT_EQ(fs.moveToUnique(dir + "record", dir + "in/", "SMS"), "") << "nothing left to move";
    EXPECT_EQ(std::system(("rm -rf " + std::string(templ)).c_str()), 0);
}
