// The simulated phone's pieces on their own: command-line parser, line reader, output pacing
// and fault matching, with time given by the test.
#include "tools/phonesim/AtCommand.h"
#include "tools/phonesim/AtLineReader.h"
#include "tools/phonesim/InputQueue.h"
#include "tools/phonesim/OutputQueue.h"
#include "tools/phonesim/PhoneEngine.h"
#include "tools/phonesim/PhoneFault.h"
#include "tools/phonesim/StandardModules.h"

#include <gtest/gtest.h>

using namespace torvane::phonesim;
using namespace std::chrono_literals;

namespace {

std::string describe(const AtCommandLine& line)
{
    if (!line.isCommand)
        return "not a command";
    if (line.syntaxError)
        return "syntax error";
    std::string out;
    for (const AtCommand& c : line.commands) {
        static const char* forms[] = {"action", "set", "query", "test"};
        out += (out.empty() ? "" : " | ") + c.name + " " + forms[int(c.form)] + (c.args.empty() ? "" : " [" + c.args + "]");
    }
    return out.empty() ? "empty" : out;
}

TEST(CommandLine, CutsLinesIntoCommands)
{
    const std::pair<const char*, const char*> cases[] = {
        {"AT", "empty"},
        {"ATE1Q0V1", "E set [1] | Q set [0] | V set [1]"},
        {"ATE0+CMEE=2", "E set [0] | +CMEE set [2]"},
        {"at+cpin?", "+CPIN query"},
        {"AT+CPIN=\"1234\",\"5678\"", "+CPIN set [\"1234\",\"5678\"]"},
        {"AT+CREG?;+CBC;+CSQ", "+CREG query | +CBC action | +CSQ action"},
        {"AT+CGMI+CGMM", "+CGMI action | +CGMM action"},
        {"AT^SPIC", "^SPIC action"},
        {"AT+CMEE=?", "+CMEE test"},
        {"AT+X=\"a;b\";+Y", "+X set [\"a;b\"] | +Y action"},
        {"ATS0=1S7?", "S0 set [1] | S7 query"},
        {"AT&F E", "&F action | E action"},
        {"ATD+4930123;", "D set [+4930123;]"},
        {"noise AT+CSQ", "+CSQ action"},
        {"+++AT", "empty"},
        {"hello", "not a command"},
        {"A", "not a command"},
        {"AT+CPIN=\"12", "syntax error"},
        {"AT#", "syntax error"},
        {"AT+", "syntax error"},
    };
    for (const auto& [line, expected] : cases)
        EXPECT_EQ(describe(parseCommandLine(line)), expected) << line;
    EXPECT_EQ(parseCommandLine("at+cpin=\"abc\"").commands.at(0).text, "+CPIN=\"abc\"");
}

TEST(CommandLine, ArgumentsLoseQuotesAndOuterBlanks)
{
    EXPECT_EQ(*atArguments("\"1234\", \"5678\""), (std::vector<std::string> {"1234", "5678"}));
    EXPECT_EQ(*atArguments("1, ,\" a \""), (std::vector<std::string> {"1", "", " a "}));
    EXPECT_EQ(*atArguments(""), std::vector<std::string> {});
    EXPECT_FALSE(atArguments("\"open"));
    EXPECT_EQ(atNumber("42"), 42);
    EXPECT_FALSE(atNumber(""));
    EXPECT_FALSE(atNumber("4x"));
    EXPECT_FALSE(atNumber("1234567890"));
}

TEST(LineReader, CommandLinesPromptsAndEscapes)
{
    AtLineReader reader;
    reader.setEscapeGuard(100ms);
    const SimClock::time_point t0 {};
    std::vector<LineEvent> events;
    const auto feed = [&](std::string_view bytes, SimClock::time_point at) {
        for (char c : bytes)
            if (auto e = reader.feed(c, at))
                events.push_back(*e);
    };
    feed("AT\r\n\r", t0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].text, "AT");

    feed("+++", t0);
    EXPECT_FALSE(reader.poll(t0 + 99ms));
    EXPECT_EQ(reader.nextDeadline(), t0 + 100ms);
    auto escape = reader.poll(t0 + 100ms);
    ASSERT_TRUE(escape);
    EXPECT_EQ(escape->kind, LineEvent::Kind::Escape);
    EXPECT_FALSE(reader.nextDeadline());

    reader.beginPrompt();
    feed("a\rb\x1a", t0);
    ASSERT_EQ(events.size(), 2u);
    EXPECT_EQ(events[1].kind, LineEvent::Kind::PromptSubmit);
    EXPECT_EQ(events[1].text, "a\rb");
    EXPECT_FALSE(reader.inPrompt());
    reader.beginPrompt();
    feed("x\x1b", t0);
    EXPECT_EQ(events.at(2).kind, LineEvent::Kind::PromptAbort);

    feed(std::string(AtLineReader::kMaxCommandLine + 10, 'A') + "\r", t0);
    ASSERT_EQ(events.size(), 4u);
    EXPECT_TRUE(events[3].overflow);
    EXPECT_EQ(events[3].text.size(), AtLineReader::kMaxCommandLine);
}

TEST(OutputQueue, UnpacedBytesGoAtOnceInOrderAfterTheirReleaseTime)
{
    OutputQueue q;
    const SimClock::time_point t0 {};
    q.push("late", t0 + 50ms);
    q.push("after", t0); // never overtakes the answer before it
    EXPECT_EQ(q.due(t0, 100), "");
    EXPECT_EQ(q.nextEvent(t0), t0 + 50ms);
    EXPECT_EQ(q.due(t0 + 50ms, 100), "lateafter");
    q.consumed(6);
    EXPECT_EQ(q.due(t0 + 50ms, 100), "ter");
}

TEST(OutputQueue, PacedBytesFollowTheBaudRate)
{
    OutputQueue q;
    q.setBaudRate(19200); // 520833 ns a byte
    const SimClock::time_point t0 {};
    q.push(std::string(100, 'x'), t0);
    EXPECT_EQ(q.due(t0, 100).size(), 1u);
    q.consumed(1);
    EXPECT_EQ(q.due(t0, 100).size(), 0u);
    EXPECT_EQ(q.nextEvent(t0), t0 + 520833ns);
    // 10 ms later the line has had time for 19 more bytes.
    EXPECT_EQ(q.due(t0 + 10ms, 100).size(), 19u);
    q.consumed(19);
    EXPECT_EQ(q.due(t0 + 10ms, 100).size(), 0u);
    // A line that stood idle does not send its missed bytes in a burst.
    q.consumed(80);
    EXPECT_TRUE(q.empty());
    q.push("yy", t0 + 1s);
    EXPECT_EQ(q.due(t0 + 1s, 100).size(), 1u);
}

TEST(OutputQueue, HangUpComesAfterTheBytesBeforeIt)
{
    OutputQueue q;
    const SimClock::time_point t0 {};
    q.push("OK", t0);
    q.pushHangUp(t0, 250ms);
    q.push("never", t0);
    EXPECT_FALSE(q.takeHangUp(t0));
    EXPECT_EQ(q.due(t0, 100), "OK");
    q.consumed(2);
    EXPECT_EQ(q.takeHangUp(t0), 250ms);
    EXPECT_EQ(q.due(t0, 100), "never");
}

TEST(InputQueue, ByteIsReceivedOnceItsBitsCrossedTheLine)
{
    InputQueue q;
    const SimClock::time_point t0 {};
    q.push("AT", t0); // unpaced: at once
    EXPECT_EQ(q.arrived(t0), "AT");
    EXPECT_FALSE(q.nextEvent());

    q.setBaudRate(19200); // 520833 ns a byte
    q.push("AT\r", t0);
    EXPECT_EQ(q.arrived(t0), "");
    EXPECT_EQ(q.nextEvent(), t0 + 520833ns);
    EXPECT_EQ(q.arrived(t0 + 520833ns), "A");
    // Bytes written while the line is busy queue behind the last one.
    q.push("x", t0 + 1ms);
    EXPECT_EQ(q.arrived(t0 + 4 * 520833ns - 1ns), "T\r");
    EXPECT_EQ(q.arrived(t0 + 4 * 520833ns), "x");
    // A line that stood idle starts the next byte afresh.
    q.push("yz", t0 + 1s);
    EXPECT_EQ(q.arrived(t0 + 1s + 520832ns), "");
    EXPECT_EQ(q.arrived(t0 + 2s), "yz");
    EXPECT_TRUE(q.empty());
}

TEST(FaultMatch, CommandPatterns)
{
    const auto cmd = [](const char* line) { return parseCommandLine(line).commands.at(0); };
    const auto hits = [&](const char* pattern, const char* line) {
        Fault f;
        f.command = pattern;
        return faultMatches(f, cmd(line));
    };
    EXPECT_TRUE(hits("", "AT+CSQ"));
    EXPECT_TRUE(hits("+CPIN", "AT+CPIN?"));
    EXPECT_TRUE(hits("+CPIN", "AT+CPIN=1234"));
    EXPECT_TRUE(hits("AT+CPIN?", "at+cpin?"));
    EXPECT_FALSE(hits("+CPIN?", "AT+CPIN=1234"));
    EXPECT_FALSE(hits("+CGM", "AT+CGMI"));
    EXPECT_TRUE(hits("E", "ATE0"));
    EXPECT_FALSE(hits("E", "AT+CSQ"));
}

} // namespace

// The escape "+++" on the engine's own clock: answered after the guard time, but not by a phone
// that has gone silent (a check that escapes and restarts must then run into its deadline).
TEST(PhoneEngineEscape, AnsweredAfterTheGuardUnlessThePhoneIsSilent)
{
    for (const bool silent : {false, true}) {
        PhoneEngine engine(standardModules());
        engine.reader().setEscapeGuard(100ms);
        if (silent) {
            Fault fault;
            fault.kind = FaultKind::Silent;
            engine.addFault(fault);
        }
        const SimClock::time_point start{};
        engine.receive("+++", start);
        engine.tick(start + 1s);
        const std::string answer = engine.output().due(start + 2s, 100);
        // Echo is on by default, so the normal phone echoes the escape before its answer.
        EXPECT_EQ(answer, silent ? "" : "+++\r\nOK\r\n") << (silent ? "silent" : "normal");
    }
}
