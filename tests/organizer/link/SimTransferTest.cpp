// The phone's object store through the link: block writes, block reads, deletes, the pending
// upload and the re-entry guard, against the simulated phone.
#include "organizer/link/Frontend.h"
#include "organizer/link/ObjectTransfer.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/TextRoutines.h"

#include "QtPrinters.h"
#include "SimFixture.h"

#include <QTimer>

namespace tessaro {
namespace {

using test::SimLinkTest;
using test::countOf;
using torvane::phonesim::HeaderFault;
using torvane::phonesim::ObjectStoreCommands;

QByteArray bytesOf(int size, int seed = 0)
{
    QByteArray b(size, '\0');
    for (int i = 0; i < size; ++i)
        b[i] = char((i * 7 + seed) & 0xff);
    return b;
}

std::string hexOf(const QByteArray& b)
{
    return BytesToHexText(b).toStdString();
}

class SimTransferTest : public SimLinkTest {
protected:
    void SetUp() override
    {
        SimLinkTest::SetUp();
        ASSERT_TRUE(InitComm());
        sim.transcript().clear();
    }

    void putObject(int location, const QByteArray& bytes)
    {
        store([&](ObjectStoreCommands& m) { m.objects["vcs"][location] = bytes.toStdString(); });
    }
    QByteArray objectAt(int location)
    {
        return store([&](ObjectStoreCommands& m) {
            const auto& byLocation = m.objects["vcs"];
            const auto it = byLocation.find(location);
            return it == byLocation.end() ? QByteArray() : QByteArray::fromStdString(it->second);
        });
    }
    int readError(int location)
    {
        QByteArray data;
        try {
            EmpfangeDatenobjektVonMs(data, "\"vcs\"", std::int16_t(location));
        } catch (const OrgError& err) {
            return err.number();
        }
        return 0;
    }
};

TEST_F(SimTransferTest, WritesInBlocksOf150Bytes)
{
    struct Case {
        int size;
        std::vector<std::pair<int, int>> blocks; // (from, length)
    };
    const Case cases[] = {{150, {{0, 150}}}, {151, {{0, 150}, {150, 1}}}, {301, {{0, 150}, {150, 150}, {300, 1}}}};
    for (const Case& c : cases) {
        sim.transcript().clear();
        const QByteArray data = bytesOf(c.size, c.size);
        SendeFeldAnMs(data, "vcs", 5);
        std::string expected = "AT^SBNW?\r";
        const int n = int(c.blocks.size());
        for (int k = 1; k <= n; ++k) {
            const auto [from, length] = c.blocks[std::size_t(k - 1)];
            expected += "AT^SBNW=vcs,5," + std::to_string(k) + "," + std::to_string(n) + "\r";
            expected += hexOf(data.mid(from, length)) + "\x1a";
        }
        EXPECT_EQ(received(), expected) << c.size;
        EXPECT_EQ(objectAt(5), data) << c.size;
        EXPECT_FALSE(FrontendBusy);
        EXPECT_TRUE(ComDrvForm().MSComm1.PortOpen());
    }
}

TEST_F(SimTransferTest, ReadsOneAndTwoBlockObjects)
{
    for (int size : {1, 150, 151, 300}) {
        const QByteArray data = bytesOf(size, 3);
        putObject(7, data);
        QByteArray read;
        EmpfangeDatenobjektVonMs(read, "\"vcs\"", 7);
        EXPECT_EQ(read, data) << size;
    }
    EXPECT_EQ(countOf(received(), "AT^SBNR=\"vcs\",7\r"), 4);
}

TEST_F(SimTransferTest, EmptyLocationReadsAsEmpty)
{
    QByteArray read;
    EmpfangeDatenobjektVonMs(read, "\"vcs\"", 9);
    EXPECT_EQ(read, QByteArray("E\0M\0P\0T\0Y\0", 10));
    EXPECT_EQ(WideBytesToAnsi(read), QByteArray("EMPTY"));
}

TEST_F(SimTransferTest, WrongBlockHeadersAreRefused)
{
    putObject(7, bytesOf(200));
    const std::pair<HeaderFault, int> cases[] = {
        {HeaderFault::WrongBlockNumber, -1994}, {HeaderFault::WrongLocation, -1995}, {HeaderFault::WrongType, -1996}};
    for (const auto& [fault, number] : cases) {
        store([fault = fault](ObjectStoreCommands& m) { m.headerFault = fault; });
        EXPECT_EQ(readError(7), number);
    }
    store([](ObjectStoreCommands& m) { m.headerFault = HeaderFault::None; });
    EXPECT_EQ(readError(7), 0);
}

TEST_F(SimTransferTest, DeleteEmptiesTheLocation)
{
    putObject(5, bytesOf(10));
    RecordLoeschen("vcs", 5);
    EXPECT_EQ(received(), "AT^SBNW=vcs,5,0\r");
    EXPECT_TRUE(objectAt(5).isEmpty());
    EXPECT_FALSE(FrontendBusy);
}

TEST_F(SimTransferTest, PendingUploadIsResetBeforeWriting)
{
    store([](ObjectStoreCommands& m) { m.pending = ObjectStoreCommands::Upload{"vcs", 5, 2, 3, "x"}; });
    const QByteArray data = bytesOf(20);
    SendeFeldAnMs(data, "vcs", 6);
    EXPECT_EQ(received(), "AT^SBNW?\rAT^SBNW=\"vcs\",5\rAT^SBNW?\rAT^SBNW=vcs,6,1,1\r" + hexOf(data) + "\x1a");
    EXPECT_EQ(objectAt(6), data);
}

TEST_F(SimTransferTest, StuckUploadGives1975AndClosesThePort)
{
    store([](ObjectStoreCommands& m) {
        m.pending = ObjectStoreCommands::Upload{"vcs", 5, 2, 3, "x"};
        m.stuckUpload = true;
    });
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        try {
            SendeFeldAnMs(bytesOf(20), "vcs", 6);
            FAIL();
        } catch (const OrgError& err) {
            EXPECT_EQ(err.number(), -1975);
            EXPECT_EQ(err.source(), QStringLiteral("Tessaro:CheckMobileWrite"));
            EXPECT_EQ(err.description(),
                      base == 10000
                          ? QStringLiteral("A data upload is already active and cannot be reset by the application.")
                          : QStringLiteral("Es ist ein Uploadvorgang aktiv, der vom Programm nicht zurückgesetzt werden kann."));
        }
        EXPECT_FALSE(FrontendBusy);
        EXPECT_FALSE(ComDrvForm().MSComm1.PortOpen());
    }
    EXPECT_TRUE(objectAt(6).isEmpty());
}

TEST_F(SimTransferTest, GuardedOperationReopensAClosedLink)
{
    CloseComm();
    const QByteArray data = bytesOf(3);
    SendeFeldAnMs(data, "vcs", 8);
    EXPECT_EQ(objectAt(8), data);
    EXPECT_EQ(countOf(received(), "ATE0+CMEE=2\r"), 1);
}

TEST_F(SimTransferTest, SecondOperationFromAnEventHandlerIsRefused)
{
    bool handlerRan = false;
    bool portOpenAfterRefusal = false;
    QString refusal;
    int refusalNumber = 0;
    // Posted now, delivered while the write waits on the phone.
    QTimer::singleShot(0, [&] {
        handlerRan = true;
        try {
            RecordLoeschen("vcs", 9);
        } catch (const OrgError& err) {
            refusalNumber = err.number();
            refusal = err.source() + QLatin1Char('|') + err.description();
        }
        portOpenAfterRefusal = ComDrvForm().MSComm1.PortOpen() && FrontendBusy;
    });
    const QByteArray data = bytesOf(400);
    putObject(9, bytesOf(5));
    SendeFeldAnMs(data, "vcs", 4);
    ASSERT_TRUE(handlerRan);
    EXPECT_EQ(refusalNumber, -1998);
    EXPECT_EQ(refusal, QStringLiteral("BeginFunc|Error! Reentrant call!\r\nRecordLoeschen"));
    // The refused call left the running write alone: it finished on the open port.
    EXPECT_TRUE(portOpenAfterRefusal);
    EXPECT_EQ(objectAt(4), data);
    EXPECT_EQ(objectAt(9), bytesOf(5));
    EXPECT_FALSE(FrontendBusy);
    EXPECT_EQ(countOf(received(), "AT^SBNW=vcs,9,0"), 0);
}

} // namespace
} // namespace tessaro
