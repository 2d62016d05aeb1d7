// The link's opening, sending and receiving on a scripted device with the test's clock.
#include "organizer/link/OrgError.h"

#include "LinkFixture.h"
#include "QtPrinters.h"

namespace tessaro {
namespace {

using test::ScriptedLinkTest;
using Status = SerialBackend::OpenStatus;

const QByteArray kEsc(1, '\x1b');
const QByteArray kHandshake("ATE0+CMEE=2\r");

OrgError receiveError(const QByteArray& token)
{
    QByteArray answer;
    try {
        ComDrvEmpfangeVonMs(answer, token);
    } catch (const OrgError& err) {
        return err;
    }
    return OrgError(0, QString(), QString());
}

TEST_F(ScriptedLinkTest, PortInUseForOneSecondOpensOnTheSeventhTry)
{
    answerHandshake();
    port->openResult = [this] { return clock.nowMs() < 1000 ? Status::InUse : Status::Opened; };
    EXPECT_TRUE(InitComm());
    EXPECT_EQ(port->openTimes, (std::vector<std::int64_t>{0, 150, 317, 501, 702, 920, 1155}));
    EXPECT_EQ(port->openedPort, 3);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(LinkBusy);
}

TEST_F(ScriptedLinkTest, PortInUsePastTheLastTryFailsWith1976)
{
    port->openResult = [] { return Status::InUse; };
    EXPECT_FALSE(InitComm());
    ASSERT_EQ(port->openTimes.size(), 21u);
    EXPECT_EQ(port->openTimes.back(), 6230);
    EXPECT_EQ(clock.nowMs(), 6720);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: InitComm:InitComm"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Number: -1976\r\nDescription: Error! The Port is not available! Failed to open port: 3"
                             "\r\nLocation: Tessaro:InitComm"));
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(LinkBusy);
    EXPECT_TRUE(port->writes.empty());
}

TEST_F(ScriptedLinkTest, OtherOpenErrorsEndAtOnceWithThePortText)
{
    port->openResult = [] { return Status::NotFound; };
    EXPECT_FALSE(InitComm());
    EXPECT_EQ(port->openTimes.size(), 1u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Number: 8002\r\nDescription: Invalid port number\r\n"
                                                  "Error! The Port is not available! Failed to open port: 3"
                                                  "\r\nLocation: Tessaro:InitComm"));
    EXPECT_EQ(resets, 1);
}

TEST_F(ScriptedLinkTest, SilentFirstHandshakeIsForgiven)
{
    int handshakes = 0;
    port->respond = [&](const QByteArray& data) {
        if (data == kHandshake && ++handshakes == 2)
            port->answer("\r\nOK\r\n");
    };
    EXPECT_TRUE(InitComm());
    EXPECT_EQ(port->writes, (std::vector<QByteArray>{kEsc, kHandshake, kEsc, kHandshake}));
    EXPECT_EQ(port->writeTimes, (std::vector<std::int64_t>{0, 200, 1200, 1400}));
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_EQ(ComDrvForm().Timer1.Interval(), 7500);
    EXPECT_EQ(ComDrvForm().IrDaTimer.Interval(), IrdaEffectiveDelay);
}

TEST_F(ScriptedLinkTest, ErrorAnswerToTheHandshakeEndsTheOpening)
{
    port->respond = [&](const QByteArray& data) {
        if (data == kHandshake)
            port->answer("\r\nERROR\r\n");
    };
    EXPECT_FALSE(InitComm());
    EXPECT_EQ(port->writes.size(), 2u);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(
        QStringLiteral("Number: -1988\r\nDescription: Mobile message: ERROR\r\n\r\nERROR\r\n")));
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: ComDrvEmpfangeVonMs:InitComm"));
}

TEST_F(ScriptedLinkTest, OpenPortIsTakenAsItIs)
{
    openLink();
    const std::int64_t start = clock.nowMs();
    EXPECT_TRUE(InitComm());
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(clock.nowMs(), start);

    // Over infrared the open link still waits the infrared delay, without a handshake.
    Infrared = 1;
    ComDrvForm().IrDaTimer.setInterval(700, clock.nowMs());
    EXPECT_TRUE(InitComm());
    EXPECT_TRUE(port->writes.empty());
    EXPECT_EQ(clock.nowMs(), start + 700);
}

TEST_F(ScriptedLinkTest, InfraredOpeningWaitsTheDelayFirst)
{
    Infrared = 1;
    IrdaEffectiveDelay = 700;
    answerHandshake();
    EXPECT_TRUE(InitComm());
    ASSERT_EQ(port->writeTimes.size(), 2u);
    EXPECT_EQ(port->writeTimes[0], 700);
    EXPECT_EQ(port->writeTimes[1], 900);
}

TEST_F(ScriptedLinkTest, AnswerRunsToTheEndAndTheRestWaits)
{
    openLink();
    port->answer("text\r\nOK\r\nfurther");
    QByteArray answer;
    ComDrvEmpfangeVonMs(answer, "OK");
    EXPECT_EQ(answer, QByteArray("text\r\nOK\r\nfurther"));
    EXPECT_EQ(ReceiveRest, QByteArray("\r\nfurther"));
    port->answer("\r\nOK\r\n");
    ComDrvEmpfangeVonMs(answer, "OK");
    EXPECT_EQ(answer, QByteArray("\r\nfurther\r\nOK\r\n"));
    EXPECT_EQ(ReceiveRest, QByteArray("\r\n"));
}

TEST_F(ScriptedLinkTest, AnswerArrivingInPiecesIsCollected)
{
    openLink();
    const std::int64_t t = clock.nowMs();
    port->answerAt(t + 100, "\r\n^SBNW: \"vcs\",(1-");
    port->answerAt(t + 200, "50)\r\n\r\nO");
    port->answerAt(t + 300, "K\r\n");
    bool busySeen = false;
    clock.onPass = [&] { busySeen = busySeen || LinkBusy; };
    QByteArray answer;
    ComDrvEmpfangeVonMs(answer, "\r\nOK\r\n");
    EXPECT_EQ(answer, QByteArray("\r\n^SBNW: \"vcs\",(1-50)\r\n\r\nOK\r\n"));
    EXPECT_TRUE(busySeen);
    EXPECT_FALSE(LinkBusy);
}

TEST_F(ScriptedLinkTest, ErrorAnswerRaises1988AndIsNotLeftBehind)
{
    openLink();
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        port->answer("\r\n+CME ERROR: 4\r\n");
        const OrgError err = receiveError("OK");
        EXPECT_EQ(err.number(), -1988);
        EXPECT_EQ(err.source(), QStringLiteral("ComDrvEmpfangeVonMs"));
        EXPECT_EQ(err.description(), (base == 10000 ? QStringLiteral("Mobile message") : QStringLiteral("Meldung vom Telefon")) +
                                         QStringLiteral(": ERROR\r\n\r\n+CME ERROR: 4\r\n"));
        // The error answer went with the error: the next exchange on the open port works.
        EXPECT_TRUE(ReceiveRest.isEmpty());
        port->answer("\r\nOK\r\n");
        QByteArray answer;
        EXPECT_NO_THROW(ComDrvEmpfangeVonMs(answer, "OK"));
        EXPECT_EQ(answer, QByteArray("\r\nOK\r\n"));
        ReceiveRest.clear();
    }
}

TEST_F(ScriptedLinkTest, ErrorAnswerShowsWhatArrivesWhileDraining)
{
    openLink();
    port->answer("\r\nERR");
    port->answerAt(clock.nowMs() + 5, "OR");
    port->answerAt(clock.nowMs() + 10, ": tail\r\n");
    const OrgError err = receiveError("OK");
    EXPECT_EQ(err.number(), -1988);
    EXPECT_EQ(err.description(), QStringLiteral("Mobile message: ERROR\r\n\r\nERROR: tail\r\n"));
}

TEST_F(ScriptedLinkTest, SilenceTimesOutAfterComTimeout)
{
    openLink();
    ComTimeout = 3000;
    const std::int64_t start = clock.nowMs();
    const OrgError err = receiveError("OK");
    EXPECT_EQ(err.number(), -2000);
    EXPECT_EQ(err.source(), QStringLiteral("ComDrvEmpfangeVonMs"));
    EXPECT_EQ(clock.nowMs() - start, 3000);
    EXPECT_FALSE(LinkBusy);
    EXPECT_FALSE(ComDrvForm().Timer1.Enabled());
}

TEST_F(ScriptedLinkTest, TokenArrivingInTheSamePassAsTheTickCounts)
{
    openLink();
    // The answer comes just before the deadline: the pass that finds it also sees the tick.
    port->answerAt(clock.nowMs() + 7499, "\r\nOK\r\n");
    QByteArray answer;
    EXPECT_NO_THROW(ComDrvEmpfangeVonMs(answer, "OK"));
    EXPECT_TRUE(TimeoutFlag);
    EXPECT_EQ(answer, QByteArray("\r\nOK\r\n"));
}

TEST_F(ScriptedLinkTest, SendWaitsForRoomInTheOutputBuffer)
{
    openLink();
    port->queued = 510;
    const std::int64_t start = clock.nowMs();
    clock.at(start + 300, [this] { port->queued = 0; });
    ComDrvSendeAnMs("AT+CGMI\r");
    ASSERT_EQ(port->writeTimes.size(), 1u);
    EXPECT_EQ(port->writeTimes[0], start + 300);
}

TEST_F(ScriptedLinkTest, TextLongerThanTheOutputBufferTimesOut)
{
    openLink();
    const std::int64_t start = clock.nowMs();
    try {
        ComDrvSendeAnMs(QByteArray(ComDrvForm().MSComm1.OutBufferSize() + 1, 'A'));
        FAIL();
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), -2000);
        EXPECT_EQ(err.source(), QStringLiteral("ComDrvSendeAnMs"));
    }
    EXPECT_EQ(clock.nowMs() - start, 7500);
    EXPECT_TRUE(port->writes.empty());
    EXPECT_FALSE(LinkBusy);
}

TEST_F(ScriptedLinkTest, ClosedPortFailsWithTheControlsError)
{
    try {
        ComDrvSendeAnMs("AT\r");
        FAIL();
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), CommErrPortNotOpen);
    }
    EXPECT_FALSE(LinkBusy);
    EXPECT_FALSE(ComDrvForm().Timer1.Enabled());
    CloseComm();
    openLink();
    CloseComm();
    EXPECT_FALSE(port->isOpen);
}

} // namespace
} // namespace tessaro
