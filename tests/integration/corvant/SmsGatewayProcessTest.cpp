// The SMS gateway end to end: the real corvant program with the simulated phone, the spool
// folders in this test's private folder, the host's timers shortened.
#include "engine/zeldll.h"
#include "mainprog/core/SuiteSettings.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/SmsCommands.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <dirent.h>
#include <fstream>
#include <functional>
#include <sstream>
#include <sys/stat.h>
#include <thread>

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
        corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
        ASSERT_TRUE(corvant_->started());
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

    PhoneSim sim_;
    std::string logPath_;
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

} // namespace
