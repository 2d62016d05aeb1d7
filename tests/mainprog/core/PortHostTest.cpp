// The engine host's pump against a fake engine and a fake port: when the port opens and closes,
// how long a command waits for DSR, which lines reach the engine, and what is written.
#include "CorvantFakes.h"

#include "mainprog/core/PortHost.h"

#include <gtest/gtest.h>

using namespace corvant;
using corvant::test::FakeEngine;
using corvant::test::FakePort;
using torvane::serial::ModemCts;
using torvane::serial::ModemDcd;
using torvane::serial::ModemDsr;

namespace {

class PumpTest : public ::testing::Test {
protected:
    PumpTest()
        : host(engine, port, [this] { return portName; })
    {
        host.setReaderStart([this] {
            ++readerStarts;
            return readerStartWorks;
        });
        host.setTracing(true);
        host.setTraceSink([this](const std::string& text) { trace.push_back(text); });
        host.reader().setDeliver([this] { host.OnLineReceived(); });
    }

    // The pump steps of timer ticks.
    void ticks(int n)
    {
        for (int i = 0; i < n; ++i)
            host.CycleEngine(nullptr);
    }

    // Opens the port through a first command written at once (the phone has DSR), then lets
    // the engine be idle for the rest of this call.
    void openWithFirstCommand()
    {
        engine.queueJob("AT\r");
        host.CycleEngine(nullptr);
        ASSERT_TRUE(port.isOpen());
        port.writes.clear();
    }

    FakeEngine engine;
    FakePort port;
    std::string portName = "COM1";
    PortHost host;
    int readerStarts = 0;
    bool readerStartWorks = true;
    std::vector<std::string> trace;
};

TEST_F(PumpTest, PortStaysClosedWhileTheEngineHasNoJob)
{
    ticks(10);
    EXPECT_EQ(port.opens, 0);
    EXPECT_EQ(engine.cycles.size(), 10u);
    EXPECT_EQ(engine.cycles.back().portState, PORT_UNKNOWN);
}

TEST_F(PumpTest, CommandOpensThePortAndIsWrittenAtOnceWhenDsrIsOn)
{
    engine.queueJob("ATE1Q0V1\r");
    host.CycleEngine(nullptr);

    EXPECT_EQ(port.opens, 1);
    EXPECT_EQ(port.openedName, "COM1");
    EXPECT_EQ(port.writes, std::vector<std::string>({"ATE1Q0V1\r"}));
    EXPECT_EQ(host.portState(), PORT_DSR_ON);
    EXPECT_EQ(host.dsrWaitCount(), 0);
    EXPECT_EQ(host.idleGraceCount(), IDLE_GRACE_CALLS);
    EXPECT_EQ(engine.txBuffer[0], 0) << "a written command is emptied";
    EXPECT_EQ(readerStarts, 1);
    EXPECT_TRUE(port.dtr);
}

TEST_F(PumpTest, EmptyCommandOpensThePortToo)
{
    engine.queueJob("");
    host.CycleEngine(nullptr);
    EXPECT_TRUE(port.isOpen());
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(PumpTest, OpeningSetsUpThePhoneLine)
{
    engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    EXPECT_EQ(port.inputQueue, 1000u);
    EXPECT_EQ(port.outputQueue, 400u);
    EXPECT_TRUE(port.purged);
    EXPECT_EQ(port.timeouts.multiplierMs, 1);
    EXPECT_EQ(port.timeouts.constantMs, 10);
    ASSERT_TRUE(port.applied.has_value());
    EXPECT_EQ(port.applied->baudRate, 19200);
    EXPECT_EQ(port.applied->dataBits, 8);
    EXPECT_EQ(port.applied->parity, torvane::serial::Parity::None);
    EXPECT_EQ(port.applied->stopBits, torvane::serial::StopBits::One);
    EXPECT_EQ(port.applied->dtrControl, torvane::serial::LineControl::Enable);
    EXPECT_EQ(port.applied->rtsControl, torvane::serial::LineControl::Enable);
    EXPECT_FALSE(port.applied->ctsOutputFlow);
    EXPECT_FALSE(port.applied->xonXoffInput);
    EXPECT_FALSE(port.applied->xonXoffOutput);
    EXPECT_EQ(host.display().handle, 7);
}

TEST_F(PumpTest, PortNameIsReadAgainAtEveryOpening)
{
    openWithFirstCommand();
    host.ClosePort();
    portName = "COM3";
    engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    EXPECT_EQ(port.openedName, "COM3");
}

// Without DSR the command waits five pump calls: the opening one and four more. The engine is
// not cycled meanwhile, and lines that arrive are dropped.
struct NoDsrCase {
    unsigned lines;
    int portState;
};

class PumpWithoutDsr : public PumpTest, public ::testing::WithParamInterface<NoDsrCase> {};

TEST_P(PumpWithoutDsr, CommandIsWrittenOnTheFifthCallAfterTheOpening)
{
    port.modemLines = GetParam().lines;
    engine.queueJob("AT+CGMI\r");
    host.CycleEngine(nullptr); // opens
    EXPECT_TRUE(port.isOpen());
    EXPECT_EQ(host.portState(), GetParam().portState);
    host.CycleEngine("OK");
    host.CycleEngine(nullptr);
    host.CycleEngine("+CGMI: X");
    EXPECT_TRUE(port.writes.empty());
    host.CycleEngine(nullptr); // the fifth
    EXPECT_EQ(port.writes, std::vector<std::string>({"AT+CGMI\r"}));
    EXPECT_EQ(host.dsrWaitCount(), 0);
    ASSERT_EQ(engine.cycles.size(), 1u) << "no cycle while waiting";

    host.CycleEngine("OK");
    ASSERT_EQ(engine.cycles.size(), 2u);
    EXPECT_EQ(engine.cycles[1].line, "OK");
    EXPECT_EQ(engine.cycles[1].portState, GetParam().portState);
}

INSTANTIATE_TEST_SUITE_P(ModemLines, PumpWithoutDsr,
                         ::testing::Values(NoDsrCase {0, PORT_OPEN}, NoDsrCase {ModemCts, PORT_NO_DSR},
                                           NoDsrCase {ModemCts | ModemDcd, PORT_NO_DSR}));

TEST_F(PumpTest, ModemStatusThatCannotBeReadCountsAsNoLines)
{
    port.modemLines = std::nullopt;
    engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    EXPECT_EQ(host.portState(), PORT_OPEN);
    EXPECT_TRUE(port.writes.empty());
}

TEST_F(PumpTest, DsrComingUpDuringTheWaitWritesTheCommandThen)
{
    port.modemLines = 0u;
    engine.queueJob("AT\r");
    ticks(2);
    EXPECT_TRUE(port.writes.empty());
    port.modemLines = unsigned(ModemDsr);
    host.CycleEngine(nullptr);
    EXPECT_EQ(port.writes, std::vector<std::string>({"AT\r"}));
    EXPECT_EQ(host.portState(), PORT_DSR_ON);
    EXPECT_EQ(host.dsrWaitCount(), 0);
}

struct OpenPortCase {
    unsigned lines;
    int portState;
};

class PumpOnOpenPort : public PumpTest, public ::testing::WithParamInterface<OpenPortCase> {};

TEST_P(PumpOnOpenPort, CommandIsWrittenAtOnceWithTheStateFound)
{
    openWithFirstCommand();
    port.modemLines = GetParam().lines;
    engine.queueJob("AT+CPIN?\r");
    host.CycleEngine("OK");
    EXPECT_EQ(port.writes, std::vector<std::string>({"AT+CPIN?\r"}));
    EXPECT_EQ(host.portState(), GetParam().portState);
    EXPECT_EQ(host.dsrWaitCount(), 0);
    EXPECT_EQ(port.opens, 1);
}

INSTANTIATE_TEST_SUITE_P(ModemLines, PumpOnOpenPort,
                         ::testing::Values(OpenPortCase {0, PORT_OPEN}, OpenPortCase {ModemCts, PORT_NO_DSR},
                                           OpenPortCase {ModemDsr, PORT_DSR_ON}));

TEST_F(PumpTest, PortClosesOnTheThirdCallWithoutAJobAfterAnOpening)
{
    openWithFirstCommand();
    ticks(2);
    EXPECT_TRUE(port.isOpen());
    host.CycleEngine(nullptr);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PumpTest, IdleGrantIsNotRenewedWhileThePortStaysOpen)
{
    openWithFirstCommand();
    ticks(2); // the grant is used up
    engine.queueJob("AT+CBC\r");
    host.CycleEngine(nullptr); // written on the open port
    ASSERT_TRUE(port.isOpen());
    host.CycleEngine(nullptr);
    EXPECT_FALSE(port.isOpen()) << "the first idle call closes it";
}

// A kick starts a request at once, but only the timer's and the lines' steps count down the DSR
// wait (the opening kick is not one of its five calls) and the idle grace.
TEST_F(PumpTest, KicksStartRequestsButLeaveTheWaitsToTheTimer)
{
    port.modemLines = 0u;
    engine.queueJob("AT\r");
    for (int i = 0; i < 9; ++i)
        host.OnEngineKick(); // the first opens
    ASSERT_TRUE(port.isOpen());
    ticks(4);
    EXPECT_TRUE(port.writes.empty());
    ticks(1);
    EXPECT_EQ(port.writes, std::vector<std::string>({"AT\r"}));
    EXPECT_EQ(engine.cycles.size(), 1u) << "no cycle while waiting";

    for (int i = 0; i < 8; ++i)
        host.OnEngineKick();
    ticks(2);
    EXPECT_TRUE(port.isOpen()) << "kicks without a job use up no idle call";
    ticks(1);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PumpTest, ClosedPortIsOpenedAgainForTheNextCommand)
{
    openWithFirstCommand();
    ticks(3);
    ASSERT_FALSE(port.isOpen());
    engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    EXPECT_EQ(port.opens, 2);
    EXPECT_EQ(readerStarts, 1) << "one reader for the life of the process";
    EXPECT_EQ(port.writes, std::vector<std::string>({"AT\r"}));
}

struct OpenFailureCase {
    bool accessDenied;
    int portState;
};

class PumpOpenFailure : public PumpTest, public ::testing::WithParamInterface<OpenFailureCase> {};

TEST_P(PumpOpenFailure, FailedOpeningIsPassedToTheEngineAndRetriedAfterFiveCalls)
{
    port.openFailure = PortOpenError {GetParam().accessDenied, 13};
    for (int i = 0; i < 6; ++i)
        engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    EXPECT_EQ(host.portState(), GetParam().portState);
    EXPECT_EQ(host.display().openError, 13);
    ticks(4); // the command is "written" on the fifth call and lost: the port is closed
    EXPECT_EQ(host.dsrWaitCount(), 0);
    EXPECT_EQ(port.opens, 1);
    EXPECT_TRUE(port.writes.empty());

    host.CycleEngine(nullptr);
    ASSERT_EQ(engine.cycles.size(), 2u);
    EXPECT_EQ(engine.cycles[1].portState, GetParam().portState);
    EXPECT_EQ(port.opens, 2) << "the next command tries again";
}

INSTANTIATE_TEST_SUITE_P(Failures, PumpOpenFailure,
                         ::testing::Values(OpenFailureCase {true, PORT_ACCESS_DENIED},
                                           OpenFailureCase {false, PORT_OPEN_FAILED}));

TEST_F(PumpTest, OpenPortResults)
{
    EXPECT_EQ(host.OpenPort(), OPEN_OK);
    EXPECT_EQ(host.portState(), PORT_OPEN);
    host.ClosePort();

    port.timeoutsAccepted = false;
    EXPECT_EQ(host.OpenPort(), OPEN_SETTINGS_REFUSED);
    EXPECT_EQ(host.portState(), PORT_OPEN_FAILED);
    EXPECT_TRUE(port.isOpen()) << "the port stays open with what it has";
    host.ClosePort();

    port.timeoutsAccepted = true;
    port.settingsReadable = false;
    EXPECT_EQ(host.OpenPort(), OPEN_STATE_UNREADABLE);
    EXPECT_EQ(host.portState(), PORT_OPEN_FAILED);
    host.ClosePort();

    port.settingsReadable = true;
    port.settingsAccepted = false;
    EXPECT_EQ(host.OpenPort(), OPEN_SETTINGS_REFUSED);
    host.ClosePort();

    port.openFailure = PortOpenError {false, 2};
    EXPECT_EQ(host.OpenPort(), OPEN_FAILED);
    EXPECT_FALSE(port.isOpen());
}

TEST_F(PumpTest, ReaderThatCannotBeStartedLeavesThePortClosed)
{
    readerStartWorks = false;
    EXPECT_EQ(host.OpenPort(), OPEN_NO_READER);
    EXPECT_FALSE(port.isOpen());
    EXPECT_EQ(host.portState(), PORT_OPEN_FAILED);
    readerStartWorks = true;
    EXPECT_EQ(host.OpenPort(), OPEN_OK);
    EXPECT_EQ(readerStarts, 2);
}

TEST_F(PumpTest, PortOpenedWithRefusedSettingsIsUsedAsItIs)
{
    port.settingsAccepted = false;
    engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    EXPECT_EQ(port.writes, std::vector<std::string>({"AT\r"})) << "DSR is on, so the command goes out";
    EXPECT_EQ(readerStarts, 0);
}

TEST_F(PumpTest, WritePortResults)
{
    char text[16] = "AT\r";
    EXPECT_EQ(host.WritePort(text), WRITE_PORT_CLOSED);
    EXPECT_STREQ(text, "AT\r");

    ASSERT_EQ(host.OpenPort(), OPEN_OK);
    char empty[4] = "";
    EXPECT_EQ(host.WritePort(empty), WRITE_OK);
    EXPECT_TRUE(port.writes.empty());

    EXPECT_EQ(host.WritePort(text), WRITE_OK);
    EXPECT_EQ(text[0], 0);
    EXPECT_EQ(port.writes.back(), "AT\r");

    char longer[16] = "AT+CSQ\r";
    port.writeAccepts = 3;
    port.errorFlags = torvane::serial::ErrorOverrun;
    EXPECT_EQ(host.WritePort(longer), WRITE_FAILED);
    EXPECT_STREQ(longer, "AT+CSQ\r") << "a text not written whole is kept";
    EXPECT_EQ(host.display().writeErrors, unsigned(torvane::serial::ErrorOverrun));
}

TEST_F(PumpTest, TraceShowsOpeningWritesAndClosing)
{
    openWithFirstCommand();
    ticks(3);
    EXPECT_EQ(trace, std::vector<std::string>({"Open...", "AT\r", "...Close"}));

    trace.clear();
    host.setTracing(false);
    openWithFirstCommand();
    EXPECT_TRUE(trace.empty());
}

TEST_F(PumpTest, ReceivedLinesReachTheEngineInOrder)
{
    openWithFirstCommand();
    engine.queueNoJob(5);
    port.incoming = "OK\r\n\r\n+CSQ: 20,99\r\n";
    EXPECT_TRUE(host.reader().pollOnce());
    ASSERT_EQ(engine.cycles.size(), 3u);
    EXPECT_EQ(engine.cycles[1].line, "OK");
    EXPECT_EQ(engine.cycles[2].line, "+CSQ: 20,99");
    EXPECT_EQ(trace.back(), "+CSQ: 20,99");
}

TEST_F(PumpTest, LinesArrivingWhileTheCommandWaitsForDsrAreDropped)
{
    port.modemLines = 0u;
    engine.queueJob("AT\r");
    host.CycleEngine(nullptr);
    port.incoming = "RING\r\n";
    host.reader().pollOnce();
    EXPECT_EQ(engine.cycles.size(), 1u);
}

TEST_F(PumpTest, ReaderIdlesWhileThePortIsClosed)
{
    port.incoming = "OK\r";
    EXPECT_FALSE(host.reader().pollOnce());
    EXPECT_TRUE(engine.cycles.empty());
    EXPECT_EQ(port.incoming, "OK\r") << "nothing was read";
}

TEST_F(PumpTest, ReaderShowsModemLinesErrorFlagsAndReturnedReads)
{
    ASSERT_EQ(host.OpenPort(), OPEN_OK);
    port.modemLines = unsigned(ModemDsr | ModemCts);
    port.errorFlags = torvane::serial::ErrorFrame;
    host.reader().pollOnce();
    EXPECT_EQ(host.display().readErrors, unsigned(torvane::serial::ErrorFrame));
    EXPECT_EQ(host.display().modem, 10000u + (ModemDsr | ModemCts));

    port.readFails = true;
    port.readFailFlags = torvane::serial::ErrorBreak;
    host.reader().pollOnce();
    EXPECT_EQ(host.display().modem, unsigned(ModemDsr | ModemCts)) << "the read did not return";
    EXPECT_EQ(host.display().readErrors, unsigned(torvane::serial::ErrorBreak)) << "flags read again after it";
}

} // namespace
