// The SMS gateway end to end: the real corvant program with the simulated phone, the spool
// folders in this test's private folder, the host's timers shortened.
#include "engine/zeldll.h"
#include "mainprog/core/SuiteSettings.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/PhoneFault.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/SmsCommands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <fstream>
#include <functional>
#include <map>
#include <set>
#include <sstream>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace std::chrono_literals;
using torvane::phonesim::IncomingSms;
using torvane::phonesim::PhoneSim;
using torvane::phonesim::SmsCommands;
using Clock = std::chrono::steady_clock;

namespace {

struct SubmitHeader {
    std::string destination;
    int reference = -1, total = 1, sequence = 1;
    int textOctets = 0;
};

// The concatenation header of an SMS-SUBMIT (bytes), as far as the test needs it.
SubmitHeader readSubmit(const std::string& tpdu)
{
    SubmitHeader h;
    auto at = [&](size_t i) { return i < tpdu.size() ? static_cast<unsigned char>(tpdu[i]) : 0; };
    const int first = at(0);
    size_t i = 2;
    const int digits = at(i);
    i += 2 + (digits + 1) / 2; // length, type, digits
    i += 2;                    // protocol identifier, coding
    const int vpf = (first >> 3) & 3;
    i += vpf == 2 ? 1 : vpf == 0 ? 0 : 7;
    h.textOctets = at(i);
    ++i;
    if (first & 0x40) {
        const size_t udhl = at(i);
        for (size_t j = i + 1; j + 1 < i + 1 + udhl;) {
            const int iei = at(j), len = at(j + 1);
            if (iei == 0 && len == 3) {
                h.reference = at(j + 2);
                h.total = at(j + 3);
                h.sequence = at(j + 4);
            }
            j += 2 + len;
        }
    }
    h.destination = torvane::phonesim::submitDestination(tpdu).value_or("");
    return h;
}

// The plain files in folder (the gateway keeps a folder of its own in the inbox).
std::vector<std::string> filesIn(const std::string& folder)
{
    std::vector<std::string> names;
    if (DIR* dir = opendir(folder.c_str())) {
        while (dirent* e = readdir(dir)) {
            struct stat info {};
            if (e->d_name[0] != '.' && stat((folder + "/" + e->d_name).c_str(), &info) == 0 && S_ISREG(info.st_mode))
                names.push_back(e->d_name);
        }
        closedir(dir);
    }
    return names;
}

std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

size_t count(const std::string& text, const std::string& what)
{
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1))
        ++n;
    return n;
}

// A PDU the phone took, read by an outside codec (python3-gammu under Debian's python): its part
// number and count on the first line, then its text in Latin-1.
std::string outsideDecode(const std::string& pdu)
{
    const std::string script = std::string(std::getenv("TORVANE_TEST_TMP")) + "/outside_decode.py";
    std::ofstream(script) << "import gammu, sys\n"
                             "m = gammu.DecodePDU(bytes.fromhex(sys.argv[1]), True)\n"
                             "part = '%d %d\\n' % (max(m['UDH']['PartNumber'], 1), max(m['UDH']['AllParts'], 1))\n"
                             // The binding hands the text on with stray characters after a zero.
                             "text = m['Text'].split('\\0')[0]\n"
                             // One stream for both, so that their order holds whatever the
                             // environment says about buffering.
                             "sys.stdout.buffer.write((part + text).encode('latin-1'))\n";
    FILE* pipe = popen(("/usr/bin/python3 -I " + script + " " + pdu + " 2>&1").c_str(), "r");
    if (!pipe)
        return "python not started";
    std::string out;
    char buffer[512];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    return pclose(pipe) == 0 ? out : "python failed: " + out;
}

// Lets nothing be created in `folder`, or undoes that: its mode, and where the file system has it
// the immutable attribute, which holds for root too. Says whether a file can be created in it.
bool setWritable(const std::string& folder, bool writable)
{
    chmod(folder.c_str(), writable ? 0755 : 0555);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    int flags = 0;
    if (fd >= 0 && ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0) {
        flags = writable ? flags & ~FS_IMMUTABLE_FL : flags | FS_IMMUTABLE_FL;
        ioctl(fd, FS_IOC_SETFLAGS, &flags);
    }
    if (fd >= 0)
        close(fd);
    const std::string probe = folder + "/probe";
    const bool made = std::ofstream(probe).is_open();
    std::remove(probe.c_str());
    return made;
}

class SmsGatewayProcess : public ::testing::Test {
protected:
    void SetUp() override
    {
        const char* tmp = std::getenv("TORVANE_TEST_TMP");
        ASSERT_NE(tmp, nullptr) << "run through tests/isolate.sh";
        const std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        root_ = std::string(tmp) + "/" + name + "_spool/";
        mkdir(root_.c_str(), 0755);
        auto profile = corvant::corvantProfile();
        profile.WriteProfileString(corvant::section::MapiServer, corvant::value::SpoolDir, root_);
        profile.WriteProfileInt(corvant::section::MapiServer, corvant::value::Preview, 0);
        profile.WriteProfileInt(corvant::section::MapiServer, corvant::value::MaxParts, 3);
        std::string error;
        ASSERT_TRUE(sim_.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
        // Boxes take their default answers (none is expected) and are logged for the failure text.
        logPath_ = std::string(tmp) + "/" + name + ".log";
        stderrPath_ = std::string(tmp) + "/" + name + ".stderr";
        const std::string script = std::string(tmp) + "/" + name + ".script";
        std::ofstream(script).close();
        setenv("TORVANE_UI_LOG", logPath_.c_str(), 1);
        setenv("TORVANE_UI_SCRIPT", script.c_str(), 1);
        setenv("CORVANT_TIMER_PERIODS", "300,1000", 1);
    }

    void TearDown() override
    {
        if (corvant_ && corvant_->started()) {
            const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39);
            if (frame != 0)
                PostMessage(frame, WM_CLOSE, 0, 0);
            EXPECT_EQ(corvant_->waitExit(30s), 0);
        }
        corvant_.reset();
        sim_.stop();
    }

    void startCorvant()
    {
        corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM, std::vector<std::string>{},
                                                                stderrPath_);
        ASSERT_TRUE(corvant_->started());
    }

    // Ended the way a logout or a kill ends it: no exit code of its own runs, so its status window
    // stays in the engine's table, which this process keeps alive. No corvant runs now: the table
    // is emptied, or repeated runs of a test would fill it.
    void terminateCorvant()
    {
        corvant_->kill(SIGTERM);
        ASSERT_EQ(corvant_->waitExit(30s), 128 + SIGTERM);
        corvant_.reset();
        for (int slot = 0; slot < ZEL_STATUS_CLIENTS; ++slot)
            ATStatusDeReg(slot);
    }

    // Ends corvant with SIGTERM while the send of its `nth` "AT+CMGS=" is under way. The engine
    // gives a part up when no prompt came 5 s after the cycle that sent its command, which ran
    // after the phone's last answer before it: so corvant is stopped, and ended only when that
    // answer is younger than 5 s; otherwise it goes on and the next try's command is waited for.
    void terminateWhileSendUnderWay(size_t nth)
    {
        using Direction = torvane::phonesim::Transcript::Direction;
        for (const auto deadline = Clock::now() + 120s;; ++nth) {
            ASSERT_TRUE(waitFor([&] { return count(received(), "AT+CMGS=") >= nth; }, 60s)) << received();
            ASSERT_TRUE(corvant_->stop());
            const std::string in = received();
            size_t at = in.find("AT+CMGS="); // then its offset in the entry that holds it
            for (size_t i = 1; i < nth; ++i)
                at = in.find("AT+CMGS=", at + 1);
            Clock::time_point answered {};
            for (const auto& e : sim_.transcript().entries()) {
                if (e.direction == Direction::Out)
                    answered = e.at;
                else if (e.direction == Direction::In && at < e.bytes.size())
                    break;
                else if (e.direction == Direction::In)
                    at -= e.bytes.size();
            }
            if (Clock::now() < answered + 5s)
                break;
            ASSERT_LT(Clock::now(), deadline) << "never stopped in time";
            corvant_->kill(SIGCONT);
        }
        corvant_->kill(SIGTERM); // delivered as it goes on, before any of its code runs
        corvant_->kill(SIGCONT);
        terminateCorvant();
    }

    // Messages are put on the phone once corvant has checked it: a read request an earlier
    // corvant left in the engine's shared section goes out at the first cycle and would take
    // the first message with it.
    void waitUntilChecked()
    {
        ASSERT_TRUE(waitFor([&] { return sim_.transcript().received().find("AT+CSQ") != std::string::npos; }, 30s))
            << sim_.transcript().received();
    }

    static bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds within)
    {
        const auto deadline = Clock::now() + within;
        while (!done()) {
            if (Clock::now() >= deadline)
                return false;
            std::this_thread::sleep_for(50ms); // polling a condition, bounded by the deadline
        }
        return true;
    }

    std::vector<SmsCommands::Handed> handed()
    {
        return sim_.withModule<SmsCommands>([](SmsCommands& m) { return m.handed; });
    }
    size_t stored()
    {
        return sim_.withModule<SmsCommands>([](SmsCommands& m) { return m.messages.size(); });
    }
    void inject(const IncomingSms& sms)
    {
        sim_.withModule<SmsCommands>([&](SmsCommands& m) { return m.receive(sms); });
    }

    std::string boxes() const { return readFile(logPath_); }
    std::string received() { return sim_.transcript().received(); }

    // A message of three parts (152 + 152 + 96 characters) to one recipient, in the outbox.
    void dropThreePartMessage()
    {
        mkdir((root_ + "sms_out").c_str(), 0755);
        std::string body;
        for (int i = 0; i < 400; ++i)
            body += static_cast<char>('a' + i / 152);
        std::ofstream(root_ + "sms_out/SMSthree.tmp", std::ios::binary)
            << "**Rufnummer: Anna [+491701111111]\r\n**TextBody:\r\n" << body << "\r\n*** End of Message ***\r\n";
    }

    // The recipient gets every part exactly once, all under one reference, and the outbox is
    // empty: no file left, none set aside, no record.
    void expectThreePartsOnceEach()
    {
        std::map<int, int> bySequence;
        std::set<int> references;
        for (const auto& part : handed()) {
            const auto pdu = torvane::phonesim::readHandedPdu(part.pdu);
            ASSERT_TRUE(pdu.has_value());
            const SubmitHeader h = readSubmit(pdu->tpdu);
            EXPECT_EQ(h.destination, "+491701111111");
            EXPECT_EQ(h.total, 3);
            ++bySequence[h.sequence];
            references.insert(h.reference);
        }
        EXPECT_EQ(bySequence, (std::map<int, int>{{1, 1}, {2, 1}, {3, 1}}));
        EXPECT_EQ(references.size(), 1u);
        EXPECT_TRUE(filesIn(root_ + "sms_out").empty());
    }

    PhoneSim sim_;
    std::string logPath_;
    std::string stderrPath_;
    std::string root_;
    std::unique_ptr<torvane::test::PeerProcess> corvant_;
};

TEST_F(SmsGatewayProcess, TwoRecipientsLongTextLeaveAsSixParts)
{
    mkdir((root_ + "sms_out").c_str(), 0755);
    std::string body;
    for (int i = 0; i < 400; ++i)
        body += static_cast<char>('a' + i % 26);
    std::ofstream(root_ + "sms_out/SMSmail.tmp", std::ios::binary)
        << "From: mail\r\n**Rufnummer: Anna [+491701111111]\r\n**Rufnummer: Bob [+491702222222]\r\n"
           "**Betreffzeile: \r\n**Priority Normal:\r\n**TextBody:\r\n"
        << body << "\r\n*** End of Message ***\r\n";
    startCorvant();
    ASSERT_TRUE(waitFor([&] { return handed().size() >= 6 && filesIn(root_ + "sms_out").empty(); }, 120s))
        << "parts handed over: " << handed().size() << "\n" << sim_.transcript().received();
    const auto parts = handed();
    ASSERT_EQ(parts.size(), 6u);
    std::map<std::string, std::vector<SubmitHeader>> byNumber;
    for (const auto& part : parts) {
        const auto pdu = torvane::phonesim::readHandedPdu(part.pdu);
        ASSERT_TRUE(pdu.has_value());
        EXPECT_EQ(pdu->messageType, 1);
        byNumber[readSubmit(pdu->tpdu).destination].push_back(readSubmit(pdu->tpdu));
    }
    ASSERT_EQ(byNumber.size(), 2u);
    for (const std::string number : {"+491701111111", "+491702222222"}) {
        const auto& list = byNumber[number];
        ASSERT_EQ(list.size(), 3u) << number;
        for (size_t i = 0; i < 3; ++i) {
            EXPECT_EQ(list[i].total, 3);
            EXPECT_EQ(list[i].sequence, 3 - static_cast<int>(i)) << "the last part goes first";
            EXPECT_EQ(list[i].reference, list[0].reference);
        }
    }
    EXPECT_NE(byNumber["+491701111111"][0].reference, byNumber["+491702222222"][0].reference);
}

TEST_F(SmsGatewayProcess, ThreePartsArriveAsOneFileAndLeaveThePhone)
{
    startCorvant();
    waitUntilChecked();
    const std::string texts[3] = {"first part ", "second part ", "third part"};
    for (int seq : {2, 3, 1}) {
        IncomingSms sms;
        sms.text = texts[seq - 1];
        sms.reference = 42;
        sms.total = 3;
        sms.sequence = seq;
        inject(sms);
    }
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_in").size() == 1 && stored() == 0; }, 90s))
        << "inbox files: " << filesIn(root_ + "sms_in").size() << ", on the phone: " << stored() << "\nboxes: " << boxes();
    const auto names = filesIn(root_ + "sms_in");
    const std::string bytes = readFile(root_ + "sms_in/" + names[0]);
    EXPECT_NE(bytes.find("**TextBody: \r\nfirst part second part third part\r\n"), std::string::npos) << bytes;
    EXPECT_NE(bytes.find("From: SMS User [SMS:+491701234567]"), std::string::npos);
    EXPECT_EQ(names[0].rfind("SMS", 0), 0u);
}

// No SMS folder set, in a home whose data folder does not exist yet: the spool is made below it
// and a received message lands there.
TEST_F(SmsGatewayProcess, WithNoFolderSetMessagesArriveBelowANewDataFolder)
{
    const std::string data = root_ + "new home/.local/share";
    auto profile = corvant::corvantProfile();
    profile.WriteProfileString(corvant::section::MapiServer, corvant::value::SpoolDir, "");
    const std::string saved = std::getenv("XDG_DATA_HOME") ? std::getenv("XDG_DATA_HOME") : "";
    setenv("XDG_DATA_HOME", data.c_str(), 1);
    startCorvant();
    setenv("XDG_DATA_HOME", saved.c_str(), 1);
    waitUntilChecked();
    inject({.text = "to a new home"});
    const std::string inbox = data + "/torvane/sms_in";
    ASSERT_TRUE(waitFor([&] { return filesIn(inbox).size() == 1 && stored() == 0; }, 60s))
        << "inbox files: " << filesIn(inbox).size() << ", on the phone: " << stored() << "\nboxes: " << boxes();
    struct stat outbox {};
    EXPECT_TRUE(stat((data + "/torvane/sms_out").c_str(), &outbox) == 0 && S_ISDIR(outbox.st_mode));
}

TEST_F(SmsGatewayProcess, UnwritableInboxKeepsTheMessageOnThePhone)
{
    // A plain file where the inbox folder should be: nothing can be created in it, even as root.
    std::ofstream(root_ + "sms_in") << "not a folder";
    startCorvant();
    waitUntilChecked();
    IncomingSms sms;
    sms.text = "keep me";
    inject(sms);
    ASSERT_TRUE(waitFor([&] { return count(sim_.transcript().received(), "AT^SMGL=0") >= 4; }, 90s))
        << sim_.transcript().received();
    EXPECT_EQ(stored(), 1u);
    EXPECT_EQ(sim_.transcript().received().find("AT+CMGD"), std::string::npos);
}

// The inbox cannot be written when corvant starts; the message waits on the phone. Once the inbox
// is writable the next read delivers it, once, without a restart.
TEST_F(SmsGatewayProcess, InboxWritableLaterDeliversTheMessageOnce)
{
    const std::string inbox = root_ + "sms_in";
    mkdir(inbox.c_str(), 0755);
    struct Release {
        std::string folder;
        ~Release() { setWritable(folder, true); }
    } release {inbox};
    if (setWritable(inbox, false))
        GTEST_SKIP() << "no way to make a folder read-only here";
    startCorvant();
    waitUntilChecked();
    inject({.text = "written later"});
    // The read that finds the message and cannot store it has ended when the one after next goes.
    const size_t reads = count(received(), "AT^SMGL=0");
    ASSERT_TRUE(waitFor([&] { return count(received(), "AT^SMGL=0") >= reads + 3; }, 60s)) << received();
    ASSERT_EQ(stored(), 1u);
    ASSERT_TRUE(setWritable(inbox, true));
    ASSERT_TRUE(waitFor([&] { return stored() == 0; }, 60s)) << boxes();
    const size_t after = count(received(), "AT^SMGL=0");
    ASSERT_TRUE(waitFor([&] { return count(received(), "AT^SMGL=0") >= after + 3; }, 60s));
    const auto names = filesIn(inbox);
    ASSERT_EQ(names.size(), 1u) << "delivered once";
    EXPECT_EQ(count(readFile(inbox + "/" + names[0]), "written later"), 2u) << "subject and body";
    EXPECT_EQ(count(received(), "AT+CMGD"), 1u);
    EXPECT_TRUE(boxes().empty()) << boxes();
}

// Characters of the extension table and accents, sent to the phone's own number: an outside
// decoder reads the PDUs the phone took as the text typed, a long text in parts cut between
// whole characters, and each copy the phone delivers back arrives in the inbox unchanged.
TEST_F(SmsGatewayProcess, ExtensionCharactersReachThePhoneAndComeBack)
{
    const std::string shortText = "Room [3] {ok} ~ \xE9_\xF1";
    // 165 septets: the bracket would end part 1 without its code, so it opens part 2.
    const std::string longText = std::string(151, 'x') + "[" + std::string(10, 'y') + "]";
    mkdir((root_ + "sms_out").c_str(), 0755);
    for (const auto& [name, text] : {std::pair{"SMSshort.tmp", shortText}, std::pair{"SMSlong.tmp", longText}})
        std::ofstream(root_ + "sms_out/" + name, std::ios::binary)
            << "**Rufnummer: Me [+491700000001]\r\n**TextBody:\r\n" << text << "\r\n*** End of Message ***\r\n";
    startCorvant();
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_in").size() == 2 && stored() == 0; }, 120s))
        << "parts handed over: " << handed().size() << ", inbox files: " << filesIn(root_ + "sms_in").size()
        << "\nboxes: " << boxes() << received();

    std::multiset<std::string> read;
    for (const auto& part : handed())
        read.insert(outsideDecode(part.pdu));
    EXPECT_EQ(read, (std::multiset<std::string>{"1 1\n" + shortText, "1 2\n" + std::string(151, 'x'),
                                                "2 2\n" + longText.substr(151)}));

    std::string inboxText;
    for (const std::string& name : filesIn(root_ + "sms_in"))
        inboxText += readFile(root_ + "sms_in/" + name);
    EXPECT_EQ(count(inboxText, "**TextBody: \r\n" + shortText + "\r\n"), 1u) << inboxText;
    EXPECT_EQ(count(inboxText, "**TextBody: \r\n" + longText + "\r\n"), 1u) << inboxText;
    EXPECT_TRUE(boxes().empty()) << boxes();
}

// Parts 1 and 2 are taken off the phone, corvant is killed, part 3 arrives: the restarted corvant
// has kept the first two and writes the message once, whole.
TEST_F(SmsGatewayProcess, ReceivedPartsSurviveSigtermBetweenThem)
{
    startCorvant();
    waitUntilChecked();
    const std::string texts[3] = {"first part ", "second part ", "third part"};
    auto part = [&](int sequence) {
        IncomingSms sms;
        sms.text = texts[sequence - 1];
        sms.reference = 42;
        sms.total = 3;
        sms.sequence = sequence;
        return sms;
    };
    inject(part(1));
    inject(part(2));
    ASSERT_TRUE(waitFor([&] { return stored() == 0; }, 60s)) << received();
    terminateCorvant();
    EXPECT_TRUE(filesIn(root_ + "sms_in").empty()) << "nothing written before the message is whole";
    inject(part(3));
    startCorvant();
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_in").size() == 1 && stored() == 0; }, 90s))
        << "inbox files: " << filesIn(root_ + "sms_in").size() << ", on the phone: " << stored();
    const auto names = filesIn(root_ + "sms_in");
    const std::string bytes = readFile(root_ + "sms_in/" + names[0]);
    EXPECT_NE(bytes.find("**TextBody: \r\nfirst part second part third part\r\n"), std::string::npos) << bytes;
    // Once the phone reports nothing more, the store is empty again.
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_in/parts").empty(); }, 60s));
    EXPECT_EQ(filesIn(root_ + "sms_in").size(), 1u);
}

// The phone takes part 3 and never answers for part 2; corvant is killed. Restarted, it goes on
// with part 2 under the same reference: the recipient gets each part once.
TEST_F(SmsGatewayProcess, SentPartsAreNotSentAgainAfterSigterm)
{
    dropThreePartMessage();
    sim_.addFault(*torvane::phonesim::parseFaultText("silent:+CMGS@2", nullptr));
    startCorvant();
    ASSERT_NO_FATAL_FAILURE(terminateWhileSendUnderWay(2));
    ASSERT_EQ(handed().size(), 1u);
    sim_.clearFaults();
    startCorvant();
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_out").empty(); }, 90s)) << received();
    expectThreePartsOnceEach();
    EXPECT_TRUE(boxes().empty()) << boxes();
    // This test process kept the engine's section alive: the new corvant found the killed one's
    // send under way and did not carry it out.
    EXPECT_NE(readFile(stderrPath_).find("request of job 4 dropped"), std::string::npos) << readFile(stderrPath_);
}

// The phone goes silent for 40 seconds after it took part 3: no try is used up while it does not
// answer, and the message goes on when it is back.
TEST_F(SmsGatewayProcess, SilentPhoneForFortySecondsThenBack)
{
    dropThreePartMessage();
    sim_.addFault(*torvane::phonesim::parseFaultText("silent:+CMGS@2", nullptr));
    startCorvant();
    ASSERT_TRUE(waitFor([&] { return count(received(), "AT+CMGS=") >= 2; }, 60s)) << received();
    sim_.clearFaults();
    sim_.addFault(*torvane::phonesim::parseFaultText("silent", nullptr)); // the phone is off
    const size_t mark = received().size();
    const auto silentSince = Clock::now();
    // Long enough that three tries would have been spent, and the engine has given the phone up
    // at least twice.
    ASSERT_TRUE(waitFor(
        [&] { return Clock::now() - silentSince >= 40s && count(received().substr(mark), "+++") >= 2; }, 120s));
    EXPECT_TRUE(filesIn(root_ + "sms_out").size() == 2u) << "the file and its record wait";
    sim_.clearFaults();
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_out").empty(); }, 90s)) << received();
    expectThreePartsOnceEach();
    EXPECT_TRUE(boxes().empty()) << boxes();
}

// Part 2 is refused twice with +CMS ERROR, then accepted: the message goes whole, each part once.
TEST_F(SmsGatewayProcess, PartRefusedTwiceThenAccepted)
{
    dropThreePartMessage();
    sim_.addFault(*torvane::phonesim::parseFaultText("cms:304:+CMGS@2*2", nullptr));
    startCorvant();
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_out").empty(); }, 90s)) << received();
    expectThreePartsOnceEach();
    EXPECT_EQ(count(received(), "AT+CMGS="), 5u) << "three parts and two refused tries";
    EXPECT_TRUE(boxes().empty()) << boxes();
}

// A message the engine cannot decode is listed first: it stays on the phone, traced once, and
// the two behind it arrive, each in one inbox file.
TEST_F(SmsGatewayProcess, UndecodableMessageBeforeTwoGoodOnes)
{
    startCorvant();
    waitUntilChecked();
    const std::string statusReport = "0006D60B911326880736F4111011719551401110117195714000";
    sim_.withModule<SmsCommands>([&](SmsCommands& m) {
        m.receive(statusReport);
        IncomingSms one;
        one.text = "good one";
        m.receive(one);
        IncomingSms two;
        two.text = "good two";
        return m.receive(two);
    });
    ASSERT_TRUE(waitFor([&] { return filesIn(root_ + "sms_in").size() == 2 && stored() == 1; }, 90s))
        << received();
    // Several polls later the unreadable one is still there and was traced only once.
    const size_t polls = count(received(), "AT^SMGL=0");
    ASSERT_TRUE(waitFor([&] { return count(received(), "AT^SMGL=0") >= polls + 3; }, 60s));
    EXPECT_EQ(filesIn(root_ + "sms_in").size(), 2u);
    std::string inboxText;
    for (const std::string& name : filesIn(root_ + "sms_in"))
        inboxText += readFile(root_ + "sms_in/" + name);
    EXPECT_EQ(count(inboxText, "good one"), 2u) << "subject and body of one file";
    EXPECT_EQ(count(inboxText, "good two"), 2u);
    const auto left = sim_.withModule<SmsCommands>([](SmsCommands& m) { return m.messages; });
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left.begin()->second.pdu, statusReport);
    EXPECT_EQ(count(readFile(stderrPath_), "cannot be decoded"), 1u) << readFile(stderrPath_);
}

} // namespace
