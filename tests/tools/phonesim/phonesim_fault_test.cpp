// Every way the simulated phone can be told to misbehave, seen through the port layer.
#include "SimLink.h"

#include "tools/phonesim/SmsCommands.h"

#include <gtest/gtest.h>

using namespace torvane::phonesim;
using namespace torvane::serial;
using namespace simtest;

namespace {

class FaultTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_link.ok()) << m_link.error();
        m_link.command("ATE0");
    }

    Fault fault(FaultKind kind, std::string command, int times = -1)
    {
        Fault f;
        f.kind = kind;
        f.command = std::move(command);
        f.times = times;
        return f;
    }

    // True once the phone has taken in (and so handled) everything sent so far.
    bool phoneHasRead(const std::string& tail)
    {
        return waitFor([&] {
            const std::string in = m_sim.transcript().received();
            return in.size() >= tail.size() && in.compare(in.size() - tail.size(), std::string::npos, tail) == 0;
        });
    }

    PhoneSim m_sim;
    SimLink m_link {m_sim};
};

TEST_F(FaultTest, SilentCommandGetsNoAnswerWhileOthersDo)
{
    m_sim.addFault(fault(FaultKind::Silent, "+CSQ"));
    m_link.send("AT+CSQ\rAT+CBC\r");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\n+CBC: 0,80\r\n\r\nOK\r\n");
}

TEST_F(FaultTest, SilentPhoneNeitherEchoesNorAnswersUntilTheFaultIsCleared)
{
    m_link.command("ATE1");
    m_sim.addFault(fault(FaultKind::Silent, ""));
    m_link.send("ATE1Q0V1\r");
    ASSERT_TRUE(phoneHasRead("ATE1Q0V1\r"));
    m_sim.clearFaults();
    // The first thing read is the answer to the command after the fault: nothing came before it.
    EXPECT_EQ(m_link.command("AT"), "AT\r\r\nOK\r\n");
}

TEST_F(FaultTest, DelayedAnswerComesLateAndWhole)
{
    Fault delay = fault(FaultKind::Delay, "+CGMI");
    delay.delayMs = 300;
    m_sim.addFault(delay);
    const auto start = Clock::now();
    EXPECT_EQ(m_link.command("AT+CGMI"), "\r\nTORVANE\r\n\r\nOK\r\n");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(300));
    const auto again = Clock::now();
    EXPECT_EQ(m_link.command("AT+CGMM"), "\r\nTV-35\r\n\r\nOK\r\n");
    EXPECT_LT(Clock::now() - again, std::chrono::milliseconds(300));
}

TEST_F(FaultTest, ChosenCommandAnswersErrorOrCmeError)
{
    m_sim.addFault(fault(FaultKind::Error, "+CGMM"));
    Fault cme = fault(FaultKind::CmeError, "AT+CPIN?", 1);
    cme.cmeError = 10;
    m_sim.addFault(cme);
    EXPECT_EQ(m_link.command("AT+CGMM"), "\r\nERROR\r\n");
    EXPECT_EQ(m_link.command("AT+CGMI"), "\r\nTORVANE\r\n\r\nOK\r\n");
    // Given as asked even with AT+CMEE=0, and only as often as asked.
    EXPECT_EQ(m_link.command("AT+CPIN?"), "\r\n+CME ERROR: 10\r\n");
    EXPECT_EQ(m_link.command("AT+CPIN?"), "\r\n+CPIN: READY\r\n\r\nOK\r\n");
    // "+CGMM" hits only that command, not one whose name begins with it.
    EXPECT_EQ(m_link.command("AT+CGMI;+CGMM"), "\r\nTORVANE\r\n\r\nERROR\r\n");
}

TEST_F(FaultTest, SmsRefusalFromAChosenCommandOn)
{
    m_sim.withModule<SmsCommands>([](SmsCommands& s) {
        s.receive(IncomingSms{});
        return s.receive(IncomingSms{});
    });
    // The first AT+CMGD passes; the next two are refused, the fourth passes again.
    const auto f = parseFaultText("cms:310:+CMGD@2*2", nullptr);
    ASSERT_TRUE(f);
    m_sim.addFault(*f);
    const std::string refused = "\r\n+CMS ERROR: 310\r\n";
    EXPECT_EQ(m_link.command("AT+CMGD=1"), "\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT+CGMI"), "\r\nTORVANE\r\n\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT+CMGD=2"), refused);
    EXPECT_EQ(m_link.command("AT+CMGD=2"), refused);
    EXPECT_EQ(m_link.command("AT+CMGD=2"), "\r\nOK\r\n");
}

TEST_F(FaultTest, SilenceFromTheSecondLineOnLeavesTheFirstAnswered)
{
    m_link.command("ATE1");
    Fault off = fault(FaultKind::Silent, "");
    off.from = 2;
    m_sim.addFault(off);
    EXPECT_EQ(m_link.command("AT"), "AT\r\r\nOK\r\n");
    m_link.send("AT+CSQ\r");
    ASSERT_TRUE(phoneHasRead("AT+CSQ\r"));
    m_sim.clearFaults();
    EXPECT_EQ(m_link.command("AT"), "AT\r\r\nOK\r\n") << "neither echo nor answer came before";
}

TEST_F(FaultTest, GarbledAnswerHasItsBytesCorrupted)
{
    Fault g = fault(FaultKind::Garble, "+CGMI", 1);
    g.garbleEvery = 1;
    m_sim.addFault(g);
    std::string expected = "\r\nTORVANE\r\n\r\nOK\r\n";
    for (char& c : expected)
        c = char(c ^ 0x55);
    m_link.send("AT+CGMI\r");
    EXPECT_EQ(m_link.readUntil([&](const std::string& t) { return t.size() >= expected.size(); }), expected);
    EXPECT_EQ(m_link.command("AT+CGMI"), "\r\nTORVANE\r\n\r\nOK\r\n");
}

TEST_F(FaultTest, DroppedLineHangsUpAndComesBackOnTheSameLink)
{
    m_link.command("AT+CMEE=2");
    Fault drop = fault(FaultKind::DropLine, "+CREG?", 1);
    drop.delayMs = 100;
    m_sim.addFault(drop);
    m_link.send("AT+CREG?\r");
    m_link.readUntil([](const std::string&) { return false; });
    EXPECT_EQ(m_link.lastReadError(), SerialErrorCode::LineDropped);
    auto lines = m_link.port().modemStatus();
    ASSERT_TRUE(lines);
    EXPECT_FALSE(lines->dsr());

    ASSERT_TRUE(waitFor([&] { return m_sim.lineCount() == 2; }));
    ASSERT_TRUE(m_link.reopen()) << m_link.error();
    EXPECT_EQ(m_link.command("AT+CREG?"), "\r\n+CREG: 0,1\r\n\r\nOK\r\n");
    // The phone's settings outlive the line.
    EXPECT_EQ(m_link.command("AT+CPIN=1"), "\r\n+CME ERROR: operation not allowed\r\n");
}

TEST_F(FaultTest, DropLineOnRequestAfterWhatIsBeingSent)
{
    m_sim.dropLine();
    m_link.readUntil([](const std::string&) { return false; });
    EXPECT_EQ(m_link.lastReadError(), SerialErrorCode::LineDropped);
    ASSERT_TRUE(waitFor([&] { return m_sim.lineCount() == 2; }));
    ASSERT_TRUE(m_link.reopen()) << m_link.error();
    EXPECT_EQ(m_link.command("AT"), "\r\nOK\r\n");
}

TEST(FaultText, ProgramFaultTextsBecomeFaults)
{
    struct Case {
        const char* text;
        FaultKind kind;
        const char* command;
        int delayMs;
        int cme;
        int times;
        int from = 1;
    };
    for (const Case& c : {Case {"silent", FaultKind::Silent, "", 0, 0, -1},
                          Case {"silent:+CSQ", FaultKind::Silent, "+CSQ", 0, 0, -1},
                          Case {"delay:500:+CGMI", FaultKind::Delay, "+CGMI", 500, 0, -1},
                          Case {"error:+CPIN?*2", FaultKind::Error, "+CPIN?", 0, 0, 2},
                          Case {"cme:10:+CPIN?", FaultKind::CmeError, "+CPIN?", 0, 10, -1},
                          Case {"drop", FaultKind::DropLine, "", 0, 0, -1},
                          Case {"drop:2000:+CREG?", FaultKind::DropLine, "+CREG?", 2000, 0, -1},
                          Case {"garble:+CGMI*1", FaultKind::Garble, "+CGMI", 0, 0, 1},
                          Case {"cms:304:+CMGS@2*3", FaultKind::CmsError, "+CMGS", 0, 304, 3, 2},
                          Case {"silent@4", FaultKind::Silent, "", 0, 0, -1, 4}}) {
        std::string error;
        const auto f = parseFaultText(c.text, &error);
        ASSERT_TRUE(f) << c.text << ": " << error;
        EXPECT_EQ(f->kind, c.kind) << c.text;
        EXPECT_EQ(f->command, c.command) << c.text;
        EXPECT_EQ(f->delayMs, c.delayMs) << c.text;
        EXPECT_EQ(f->cmeError, c.cme) << c.text;
        EXPECT_EQ(f->times, c.times) << c.text;
        EXPECT_EQ(f->from, c.from) << c.text;
    }
    for (const char* bad : {"", "loud", "delay", "delay:x", "cme", "cme:x:+CSQ", "error:+CSQ*0", "silent:+CSQ:extra",
                            "drop:x", "cms:+CMGS", "silent@0", "silent@x*2"}) {
        std::string error;
        EXPECT_FALSE(parseFaultText(bad, &error)) << bad;
        EXPECT_NE(error.find("bad fault"), std::string::npos) << bad;
    }
}

} // namespace
