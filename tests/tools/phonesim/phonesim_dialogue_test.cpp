// The simulated phone's dialogues as a program sees them through the port layer.
#include "SimLink.h"

#include "tools/phonesim/CmeError.h"

#include <gtest/gtest.h>

using namespace torvane::phonesim;
using namespace simtest;

namespace {

class DialogueTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_link.ok()) << m_link.error(); }

    PhoneSim m_sim;
    SimLink m_link {m_sim};
};

struct Exchange {
    const char* send;
    const char* answer; // every byte back, echo included
};

void expectDialogue(SimLink& link, std::initializer_list<Exchange> steps)
{
    for (const Exchange& step : steps)
        EXPECT_EQ(link.command(step.send), step.answer) << "after " << step.send;
}

TEST_F(DialogueTest, StatusCheckOfARegisteredPhoneWithItsSimReady)
{
    expectDialogue(m_link, {
                               {"ATE1Q0V1", "ATE1Q0V1\r\r\nOK\r\n"},
                               {"AT+CGMI", "AT+CGMI\r\r\nTORVANE\r\n\r\nOK\r\n"},
                               {"AT+CGMM", "AT+CGMM\r\r\nTV-35\r\n\r\nOK\r\n"},
                               {"AT+CPIN?", "AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n"},
                               {"AT+CREG?", "AT+CREG?\r\r\n+CREG: 0,1\r\n\r\nOK\r\n"},
                               {"AT+CBC", "AT+CBC\r\r\n+CBC: 0,80\r\n\r\nOK\r\n"},
                               {"AT+CSQ", "AT+CSQ\r\r\n+CSQ: 20,99\r\n\r\nOK\r\n"},
                           });
}

struct PinCase {
    SimLock lock;
    int attempts;
    const char* cpin;
    const char* spic;
};

class PinStateTest : public DialogueTest, public testing::WithParamInterface<PinCase> {};

TEST_P(PinStateTest, PinStateAndAttemptsLeftAreReported)
{
    m_sim.withState([](PhoneState& s) {
        s.sim.lock = GetParam().lock;
        s.sim.pinAttempts = s.sim.pin2Attempts = GetParam().attempts;
        s.sim.pukAttempts = 10;
    });
    EXPECT_EQ(m_link.command("AT+CPIN?"), std::string("AT+CPIN?\r\r\n") + GetParam().cpin + "\r\n\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT^SPIC"), std::string("AT^SPIC\r\r\n") + GetParam().spic + "\r\n\r\nOK\r\n");
}

INSTANTIATE_TEST_SUITE_P(States, PinStateTest,
                         testing::Values(PinCase {SimLock::Ready, 3, "+CPIN: READY", "^SPIC: 3"},
                                         PinCase {SimLock::SimPin, 3, "+CPIN: SIM PIN", "^SPIC: 3"},
                                         PinCase {SimLock::SimPin, 2, "+CPIN: SIM PIN", "^SPIC: 2"},
                                         PinCase {SimLock::SimPuk, 0, "+CPIN: SIM PUK", "^SPIC: 10"},
                                         PinCase {SimLock::SimPin2, 1, "+CPIN: SIM PIN2", "^SPIC: 1"}));

TEST_F(DialogueTest, WrongPinsLowerTheCountUntilThePukIsWanted)
{
    m_sim.withState([](PhoneState& s) { s.sim.lock = SimLock::SimPin; });
    m_link.command("ATE0+CMEE=1");
    for (int left : {2, 1, 0}) {
        EXPECT_EQ(m_link.command("AT+CPIN=0000"), "\r\n+CME ERROR: 16\r\n");
        if (left > 0) {
            EXPECT_EQ(m_link.command("AT^SPIC"), "\r\n^SPIC: " + std::to_string(left) + "\r\n\r\nOK\r\n");
        }
    }
    EXPECT_EQ(m_link.command("AT+CPIN?"), "\r\n+CPIN: SIM PUK\r\n\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT^SPIC"), "\r\n^SPIC: 10\r\n\r\nOK\r\n");
    // The PUK alone is not enough: it must come with a new PIN.
    EXPECT_EQ(m_link.command("AT+CPIN=\"12345678\""), "\r\n+CME ERROR: 12\r\n");
    EXPECT_EQ(m_link.command("AT+CPIN=\"12345678\",\"9999\""), "\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT+CPIN?"), "\r\n+CPIN: READY\r\n\r\nOK\r\n");
    const PhoneState s = m_sim.state();
    EXPECT_EQ(s.sim.pin, "9999");
    EXPECT_EQ(s.sim.pinAttempts, 3);
}

TEST_F(DialogueTest, RightPinUnlocksAndRefillsTheCount)
{
    m_sim.withState([](PhoneState& s) {
        s.sim.lock = SimLock::SimPin;
        s.sim.pinAttempts = 2;
    });
    EXPECT_EQ(m_link.command("AT+CPIN=1234"), "AT+CPIN=1234\r\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT+CPIN?"), "AT+CPIN?\r\r\n+CPIN: READY\r\n\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT^SPIC"), "AT^SPIC\r\r\n^SPIC: 3\r\n\r\nOK\r\n");
    // A PIN for a SIM that wants none is not allowed; without AT+CMEE that is a plain ERROR.
    EXPECT_EQ(m_link.command("AT+CPIN=1234"), "AT+CPIN=1234\r\r\nERROR\r\n");
}

TEST_F(DialogueTest, RegistrationStates)
{
    for (const auto& [reg, text] : {std::pair {Registration::Home, "+CREG: 0,1"},
                                    std::pair {Registration::Roaming, "+CREG: 0,5"},
                                    std::pair {Registration::Searching, "+CREG: 0,2"}}) {
        m_sim.withState([reg = reg](PhoneState& s) { s.network.registration = reg; });
        EXPECT_EQ(m_link.command("AT+CREG?"), std::string("AT+CREG?\r\r\n") + text + "\r\n\r\nOK\r\n");
    }
}

TEST_F(DialogueTest, EchoFollowsEInPlainAndCombinedCommands)
{
    expectDialogue(m_link, {
                               // Echo is on: the command that turns it off is still echoed.
                               {"ATE0+CMEE=2", "ATE0+CMEE=2\r\r\nOK\r\n"},
                               {"AT", "\r\nOK\r\n"},
                               // Echo is off: the command that turns it on is not echoed.
                               {"ATE1Q0V1", "\r\nOK\r\n"},
                               {"AT", "AT\r\r\nOK\r\n"},
                               {"ATE0", "ATE0\r\r\nOK\r\n"},
                               {"at+cgmi", "\r\nTORVANE\r\n\r\nOK\r\n"},
                               {"ATE", "\r\nOK\r\n"},
                               {"ATE1", "\r\nOK\r\n"},
                               {"ATE7", "ATE7\r\r\nERROR\r\n"},
                           });
    EXPECT_EQ(m_sim.state().line.cmee, 2);
}

TEST_F(DialogueTest, ErrorFormsFollowCmee)
{
    m_link.command("ATE0");
    expectDialogue(m_link, {
                               {"AT+CMEE=0", "\r\nOK\r\n"},
                               {"AT+CPIN=1", "\r\nERROR\r\n"},
                               {"AT+CMEE=1", "\r\nOK\r\n"},
                               {"AT+CPIN=1", "\r\n+CME ERROR: 3\r\n"},
                               {"AT+CMEE?", "\r\n+CMEE: 1\r\n\r\nOK\r\n"},
                               {"AT+CMEE=2", "\r\nOK\r\n"},
                               {"AT+CPIN=1", "\r\n+CME ERROR: operation not allowed\r\n"},
                               // Unknown commands and bad syntax are plain errors in every form.
                               {"AT+NOSUCH", "\r\nERROR\r\n"},
                               {"AT+CPIN=\"12", "\r\nERROR\r\n"},
                               {"AT+CMEE=3", "\r\n+CME ERROR: operation not supported\r\n"},
                           });
}

TEST_F(DialogueTest, CmeeAndEchoPersistAcrossLinks)
{
    m_link.command("ATE0+CMEE=2");
    m_link.port().close();
    ASSERT_TRUE(m_link.reopen()) << m_link.error();
    EXPECT_EQ(m_link.command("AT+CPIN=1"), "\r\n+CME ERROR: operation not allowed\r\n");
}

TEST_F(DialogueTest, QuietAndNumericResults)
{
    m_link.command("ATE0");
    EXPECT_EQ(m_link.command("ATV0"), "0\r");
    m_link.send("AT+CGMI\r");
    EXPECT_EQ(m_link.readUntil([](const std::string& t) { return t.size() >= 11; }), "TORVANE\r\n0\r");
    m_link.send("AT+FOO\r");
    EXPECT_EQ(m_link.readUntil([](const std::string& t) { return t.size() >= 2; }), "4\r");
    m_link.send("ATQ1V1\rAT+CSQ\r");
    // Quiet: information lines only, no result codes.
    EXPECT_EQ(m_link.readUntil([](const std::string& t) { return t.find("99\r\n") != std::string::npos; }),
              "\r\n+CSQ: 20,99\r\n");
    // ATZ brings back echo and result codes; it was itself received without echo.
    EXPECT_EQ(m_link.command("ATZ"), "\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT"), "AT\r\r\nOK\r\n");
}

TEST_F(DialogueTest, CtrlZEscAndBackspaceClearATypedLine)
{
    m_link.command("ATE0");
    // What the status check sends to get out of a prompt the phone might still be in.
    m_link.send(std::string("AT+CG\x1a") + "AT\r");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\nOK\r\n");
    m_link.send(std::string("AT+CS\x1b") + "AT+CBC\r");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\n+CBC: 0,80\r\n\r\nOK\r\n");
    m_link.send("AT+CSX\bQ\r\n");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\n+CSQ: 20,99\r\n\r\nOK\r\n");
}

TEST_F(DialogueTest, PlusPlusPlusIsAnsweredAfterItsGuardTime)
{
    m_sim.setEscapeGuard(std::chrono::milliseconds(100));
    m_link.command("ATE0");
    const auto start = Clock::now();
    m_link.send("+++");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\nOK\r\n");
    EXPECT_GE(Clock::now() - start, std::chrono::milliseconds(100));
    // "+++" followed by more is not an escape but part of a line.
    EXPECT_EQ(m_link.command("+++AT"), "\r\nOK\r\n");
}

// A module as the engine and organizer issues add theirs: a command with a "> " prompt.
class NoteModule : public PhoneModule {
public:
    QString key() const override { return "note"; }
    void addCommands(CommandTable& table) override
    {
        table.add("+TNOTE", [this](CommandContext&, const AtCommand& cmd) {
            if (cmd.form != AtForm::Set)
                return CommandResult::error();
            return CommandResult::prompt([this](CommandContext& ctx, const std::string& data, bool submitted) {
                if (!submitted)
                    return CommandResult::ok();
                notes.push_back(data);
                ctx.info("+TNOTE: " + std::to_string(notes.size()));
                return CommandResult::ok();
            });
        });
    }
    std::vector<std::string> notes;
};

TEST_F(DialogueTest, PromptTakesDataUpToCtrlZAndEscCancelsIt)
{
    m_sim.addModule(std::make_unique<NoteModule>());
    m_link.command("ATE0");
    EXPECT_EQ(m_link.command("AT+TNOTE=1"), "\r\n> ");
    m_link.send("two\r\nlines\x1a");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\n+TNOTE: 1\r\n\r\nOK\r\n");
    EXPECT_EQ(m_link.command("AT+TNOTE=2"), "\r\n> ");
    m_link.send("dropped\x1b");
    EXPECT_EQ(m_link.readUntil(hasFinalResult), "\r\nOK\r\n");
    const auto notes = m_sim.withModule<NoteModule>([](NoteModule& m) { return m.notes; });
    EXPECT_EQ(notes, std::vector<std::string> {"two\r\nlines"});
}

TEST_F(DialogueTest, TranscriptHoldsEveryByteInAndOut)
{
    std::string read;
    read += m_link.command("ATE1Q0V1");
    read += m_link.command("AT+CGMI;+CGMM");
    EXPECT_TRUE(waitFor([&] { return m_sim.transcript().sent().size() >= read.size(); }));
    EXPECT_EQ(m_sim.transcript().received(), "ATE1Q0V1\rAT+CGMI;+CGMM\r");
    EXPECT_EQ(m_sim.transcript().sent(), read);
}

} // namespace
