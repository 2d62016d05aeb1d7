// The link against the simulated phone over a pseudo-terminal.
#include "organizer/link/OrgError.h"

#include "tools/phonesim/PortHolder.h"

#include <thread>

#include "QtPrinters.h"
#include "SimFixture.h"

namespace tessaro {
namespace {

using test::SimLinkTest;
using torvane::phonesim::Fault;
using torvane::phonesim::FaultKind;

const std::string kComName = "COM" + std::to_string(test::kSimPort);

using test::countOf;

TEST_F(SimLinkTest, OpensAndWakesThePhone)
{
    EXPECT_TRUE(InitComm());
    EXPECT_EQ(received(), std::string("\x1b" "ATE0+CMEE=2\r"));
    EXPECT_EQ(clock.nowMs(), 200);
    EXPECT_TRUE(boxes.boxes.empty());
    EXPECT_FALSE(LinkBusy);
    sim.withState([](auto& s) {
        EXPECT_FALSE(s.line.echo);
        EXPECT_EQ(s.line.cmee, 2);
    });
}

TEST_F(SimLinkTest, PortHeldForOneSecondOpensOnTheSeventhTry)
{
    torvane::phonesim::PortHolder holder;
    std::string error;
    ASSERT_TRUE(holder.hold(kComName, &error)) << error;
    // Waiting on a busy port needs no grace; the handshake after it does.
    clock.grace = std::chrono::milliseconds(0);
    clock.at(1000, [&] {
        holder.release();
        clock.grace = std::chrono::milliseconds(300);
    });
    EXPECT_TRUE(InitComm());
    // Tries at 0, 150, 317, 501, 702, 920 and 1155 ms: the seventh opens, then ESC and 200 ms.
    EXPECT_EQ(clock.nowMs(), 1155 + 200);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SimLinkTest, PortHeldPastTheLastTryGives1976)
{
    torvane::phonesim::PortHolder holder;
    ASSERT_TRUE(holder.hold(kComName));
    clock.grace = std::chrono::milliseconds(0);
    EXPECT_FALSE(InitComm());
    EXPECT_EQ(clock.nowMs(), 6720);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Number: -1976\r\nDescription: Error! The Port is not available! Failed to open port: 3"
                             "\r\nLocation: Tessaro:InitComm"));
    EXPECT_EQ(resets, 1);
    EXPECT_TRUE(received().empty());
}

TEST_F(SimLinkTest, SilentFirstHandshakeOpensOnTheSecond)
{
    Fault silent;
    silent.kind = FaultKind::Silent;
    silent.command = "E";
    silent.times = 1;
    sim.addFault(silent);
    EXPECT_TRUE(InitComm());
    EXPECT_EQ(countOf(received(), "ATE0+CMEE=2\r"), 2);
    EXPECT_EQ(countOf(received(), "\x1b"), 2);
    EXPECT_EQ(clock.nowMs(), 1400);
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SimLinkTest, SilentPhoneGives2000FromInitComm)
{
    Fault silent;
    silent.kind = FaultKind::Silent;
    sim.addFault(silent);
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        boxes.boxes.clear();
        const std::int64_t start = clock.nowMs();
        EXPECT_FALSE(InitComm());
        EXPECT_EQ(clock.nowMs() - start, 2400);
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: InitComm:InitComm"));
        const QString description =
            base == 10000 ? QStringLiteral("Mobile does not respond within timeout!\r\nPlease check mobile and cable!")
                          : QStringLiteral("Das Telefon hat in der vorgegebenen Zeit nicht reagiert!\r\n"
                                           "Bitte überprüfen Sie Telefon und Kabel!");
        EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Number: -2000\r\nDescription: ") + description +
                                           QStringLiteral("\r\nLocation: Tessaro:InitComm"));
        EXPECT_FALSE(ComDrvForm().MSComm1.PortOpen());
    }
    EXPECT_EQ(resets, 2);
}

TEST_F(SimLinkTest, ErrorAnswerGives1988AndTheNextCommandWorks)
{
    ASSERT_TRUE(InitComm());
    Fault cme;
    cme.kind = FaultKind::CmeError;
    cme.cmeError = 4;
    cme.command = "+CGMI";
    cme.times = 1;
    sim.addFault(cme);
    QByteArray answer;
    ComDrvSendeAnMs("AT+CGMI\r");
    try {
        ComDrvEmpfangeVonMs(answer, "\r\nOK\r\n");
        FAIL() << "no error";
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), -1988);
        EXPECT_EQ(err.source(), QStringLiteral("ComDrvEmpfangeVonMs"));
        EXPECT_TRUE(err.description().startsWith(QStringLiteral("Mobile message: ERROR\r\n\r\n\r\n+CME ERROR: ")))
            << err.description().toStdString();
    }
    ComDrvSendeAnMs("AT+CGMI\r");
    ComDrvEmpfangeVonMs(answer, "\r\nOK\r\n");
    EXPECT_TRUE(answer.contains("TORVANE")) << answer.toStdString();
}

TEST_F(SimLinkTest, SilentCommandTimesOutWith2000)
{
    ASSERT_TRUE(InitComm());
    Fault silent;
    silent.kind = FaultKind::Silent;
    silent.command = "+CGMM";
    sim.addFault(silent);
    const std::int64_t start = clock.nowMs();
    ComDrvSendeAnMs("AT+CGMM\r");
    QByteArray answer;
    try {
        ComDrvEmpfangeVonMs(answer, "OK");
        FAIL();
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), -2000);
        EXPECT_EQ(err.description(),
                  QStringLiteral("Mobile does not respond within timeout!\r\nPlease check mobile and cable!"));
    }
    EXPECT_EQ(clock.nowMs() - start, 7500);
}

TEST_F(SimLinkTest, IdentificationAnswersArriveWhole)
{
    ASSERT_TRUE(InitComm());
    QByteArray answer;
    ComDrvSendeAnMs("AT^SBNW=?\r");
    ComDrvEmpfangeVonMs(answer, "\r\nOK\r\n");
    EXPECT_TRUE(answer.contains("^SBNW: \"vcs\",(1-50)")) << answer.toStdString();
}

// A slow phone answers the first wake-up after the link gave up on it; that answer comes in
// while the second pass lets the phone settle after ESC. Only the answer to the second pass's
// own command may open the link, or every later exchange is one answer behind.
TEST_F(SimLinkTest, LateAnswerDuringTheWakeUpIsNotTakenForTheHandshake)
{
    Fault late;
    late.kind = FaultKind::Delay;
    late.command = "E";
    late.delayMs = 1500;
    late.times = 1;
    sim.addFault(late);
    // Pass one: ESC at 0, the command at 200, its time-out at 1200; pass two settles 1200-1400.
    // Just inside that pause, hold the link until the late "OK" is on the line.
    bool lateAnswerOnTheLine = false;
    clock.at(1201, [&] {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (countOf(sim.transcript().sent(), "OK") < 1 && std::chrono::steady_clock::now() < deadline)
            std::this_thread::yield();
        lateAnswerOnTheLine = countOf(sim.transcript().sent(), "OK") == 1;
    });
    ASSERT_TRUE(InitComm());
    ASSERT_TRUE(lateAnswerOnTheLine);
    EXPECT_EQ(countOf(received(), "ATE0+CMEE=2\r"), 2);

    QByteArray answer;
    ComDrvSendeAnMs("AT+CGMI\r");
    ComDrvEmpfangeVonMs(answer, "\r\nOK\r\n");
    EXPECT_TRUE(answer.contains("TORVANE")) << answer.toStdString();
    ComDrvSendeAnMs("AT^SBNW=?\r");
    ComDrvEmpfangeVonMs(answer, "\r\nOK\r\n");
    EXPECT_TRUE(answer.contains("(1-50)")) << answer.toStdString();
}

TEST_F(SimLinkTest, PortHolderLetsGoAfterItsTime)
{
    torvane::phonesim::PortHolder holder;
    ASSERT_TRUE(holder.holdFor("COM" + std::to_string(test::kSimPort), std::chrono::milliseconds(100)));
    EXPECT_FALSE(torvane::serial::SerialPort::open(test::kSimPort).ok());
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    while (holder.holding() && std::chrono::steady_clock::now() < deadline)
        std::this_thread::yield();
    EXPECT_FALSE(holder.holding());
    EXPECT_TRUE(torvane::serial::SerialPort::open(test::kSimPort).ok());
}

} // namespace
} // namespace tessaro
