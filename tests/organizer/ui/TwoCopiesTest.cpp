// Two copies of the organizer: the first runs in the test's process, the second is the real
// program started beside it. A second copy wakes the first and ends; "tessaro kill" ends the
// first, which saves its settings; KILL with no copy running ends at once and saves nothing;
// other commands are refused; a KILL during a slow phone read waits for the read, the close box
// during a slow write for the write; a runtime folder that is not the user's own private one
// keeps nobody from starting.
#include "TessaroAppFixture.h"

#include "organizer/link/ReadMobile.h"
#include "organizer/ui/MainWindow.h"

#include "platform/dde/Dde.h"
#include "platform/registry/Registry.h"
#include "support/BadRuntimeFolder.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/PhoneFault.h"

#include <QFile>
#include <QTimer>

#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <future>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
using torvane::test::PeerProcess;

const char* const kSettingsKey = "Software\\Torvane\\Tessaro\\Settings";

class TwoCopiesTest : public TessaroAppTest {
protected:
    void SetUp() override
    {
        TessaroAppTest::SetUp();
        // The second copy answers its boxes from an empty script and writes them down.
        const QString folder = qEnvironmentVariable("TORVANE_TEST_TMP");
        ASSERT_FALSE(folder.isEmpty()) << "run through tests/isolate.sh";
        m_log = folder + QStringLiteral("/second.log");
        QFile::remove(m_log);
        // Each test starts without saved settings.
        RegDeleteKey(HKEY_CURRENT_USER, kSettingsKey);
        QFile script(folder + QStringLiteral("/second.script"));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        setenv("TORVANE_UI_SCRIPT", script.fileName().toLocal8Bit().constData(), 1);
        setenv("TORVANE_UI_LOG", m_log.toLocal8Bit().constData(), 1);
    }

    // Runs the program with these arguments while this process serves its events; its exit code.
    std::optional<int> runSecondCopy(const std::vector<std::string>& args)
    {
        PeerProcess second(TESSARO_PROGRAM, args);
        if (!second.started())
            return std::nullopt;
        std::optional<int> code;
        waitFor([&] { return (code = second.waitExit(0ms)).has_value(); }, 30s);
        return code;
    }

    // What the second copy showed.
    QByteArray secondCopyBoxes() const
    {
        QFile log(m_log);
        return log.open(QIODevice::ReadOnly) ? log.readAll() : QByteArray();
    }

    static std::optional<DWORD> savedWidth()
    {
        return torvane::registry::readDword(HKEY_CURRENT_USER, kSettingsKey, "Width");
    }

private:
    QString m_log;
};

TEST_F(TwoCopiesTest, ASecondCopyBringsTheFirstToTheFrontAndEnds)
{
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    ASSERT_TRUE(waitUntilUp());
    app->window()->showMinimized();
    ASSERT_TRUE(waitFor([&] { return app->window()->isMinimized(); }, 5s));

    EXPECT_EQ(runSecondCopy({}), 0);
    EXPECT_EQ(app->activations(), 1);
    EXPECT_TRUE(waitFor([&] { return !app->window()->isMinimized() && app->window()->isVisible(); }, 5s));
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(secondCopyBoxes().isEmpty()) << secondCopyBoxes().toStdString();
    // The first copy still serves the topic; the second never took it.
    EXPECT_TRUE(torvane::dde::sourceRunning(QStringLiteral("Tessaro"), QStringLiteral("DDE")));
    EXPECT_FALSE(savedWidth()) << "nobody saved settings";
    // Started by the suite, a second copy loads its window (to hide a tool) before it ends.
    EXPECT_EQ(runSecondCopy({"CALLER=Qbr"}), 0);
    EXPECT_FALSE(savedWidth()) << "a second copy that loaded its window saved its settings";
}

TEST_F(TwoCopiesTest, KillInAnyCaseEndsTheFirstWhichSavesItsSettings)
{
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    ASSERT_TRUE(waitUntilUp());
    ASSERT_FALSE(savedWidth());
    EXPECT_EQ(runSecondCopy({"kill"}), 0);
    EXPECT_TRUE(waitFor([&] { return ends == 1; }, 10s));
    const auto width = savedWidth();
    ASSERT_TRUE(width) << "the first copy saves its settings as it ends";
    EXPECT_EQ(int(*width), int(Main_Form().Form.width()));
    EXPECT_TRUE(secondCopyBoxes().isEmpty()) << secondCopyBoxes().toStdString();
}

TEST_F(TwoCopiesTest, OtherCommandsAreRefusedAndChangeNothing)
{
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    const auto ask = [](const char* command) {
        auto answer = std::async(std::launch::async, [command] {
            return torvane::dde::execute(QStringLiteral("Tessaro"), QStringLiteral("DDE"), QString::fromLatin1(command));
        });
        waitFor([&] { return answer.wait_for(0ms) == std::future_status::ready; }, 10s);
        return answer.get();
    };
    EXPECT_EQ(ask("OPEN"), torvane::dde::ExecuteResult::Refused);
    EXPECT_EQ(ask("KILL NOW"), torvane::dde::ExecuteResult::Refused);
    EXPECT_EQ(ask(""), torvane::dde::ExecuteResult::Refused);
    EXPECT_FALSE(KillPending);
    ASSERT_TRUE(waitUntilUp());
    EXPECT_EQ(ends, 0);
    EXPECT_TRUE(app->window()->isVisible());
}

TEST_F(TwoCopiesTest, KillWithNoCopyRunningEndsAtOnceAndSavesNothing)
{
    const auto started = Clock::now();
    EXPECT_EQ(runSecondCopy({"KILL"}), 0);
    EXPECT_LT(Clock::now() - started, 10s);
    EXPECT_FALSE(savedWidth());
    EXPECT_TRUE(secondCopyBoxes().isEmpty()) << secondCopyBoxes().toStdString();
    EXPECT_FALSE(torvane::dde::sourceRunning(QStringLiteral("Tessaro"), QStringLiteral("DDE")));
}

TEST_F(TwoCopiesTest, KillDuringASlowPhoneReadIsCarriedOutAfterTheRead)
{
    ASSERT_TRUE(startPhone());
    torvane::phonesim::Fault slow;
    slow.kind = torvane::phonesim::FaultKind::Delay;
    slow.command = "+CGMM";
    // Long enough that the second copy (a whole program start, slow on a loaded machine) has
    // sent its KILL and ended while the phone still holds the answer back; the link waits
    // longer than that for it.
    slow.delayMs = 20000;
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, kSettingsKey, "ComTimeout", 30000), ERROR_SUCCESS);
    slow.times = 1;
    sim.addFault(slow);
    ASSERT_TRUE(startOrganizer(QStringLiteral("NOORG")));
    bool endedDuringRead = true;
    app->setEndHandler([&] {
        ++ends;
        endedDuringRead = StartupProbeBusy || LinkBusy;
    });
    // The read runs inside the start-up step, in events this process handles; the KILL is sent
    // from there once the phone is slow to answer, and the second copy watched from there too.
    std::unique_ptr<PeerProcess> second;
    std::optional<int> secondExit;
    bool readRanWhenSecondEnded = false;
    QTimer watch;
    watch.setInterval(10);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!second && StartupProbeBusy && sim.transcript().received().find("AT+CGMM\r") != std::string::npos)
            second = std::make_unique<PeerProcess>(TESSARO_PROGRAM, std::vector<std::string>{"KILL"});
        if (second && !secondExit && (secondExit = second->waitExit(0ms)))
            readRanWhenSecondEnded = StartupProbeBusy && ends == 0;
    });
    watch.start();
    ASSERT_TRUE(waitFor([&] { return ends == 1 && secondExit; }, 60s)) << "ends " << ends;
    ASSERT_TRUE(second);
    EXPECT_EQ(secondExit, 0);
    EXPECT_TRUE(readRanWhenSecondEnded) << "the KILL was taken while the read still ran";
    EXPECT_FALSE(endedDuringRead);
    EXPECT_TRUE(MobileConnected) << "the read ran to its end";
    EXPECT_EQ(LastLocation, 50);
    EXPECT_NE(sim.transcript().received().find("AT^SBNW=?\r"), std::string::npos);
    EXPECT_TRUE(savedWidth());
}

TEST_F(TwoCopiesTest, TheCloseBoxDuringASlowPhoneWriteEndsTheProgramAfterTheWrite)
{
    putInCalendar({{QDateTime(QDate::currentDate().addDays(1), QTime(18, 0)), "Yoga"}});
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    ASSERT_TRUE(ReadMobile(true));
    ReadOutlook(true);
    // The phone holds back its answer to the block of the entry copied to it.
    sim.addFault(*torvane::phonesim::parseFaultText("delay:2000:^SBNW@2*1", nullptr));
    bool endedDuringWrite = true;
    app->setEndHandler([&] { ++ends, endedDuringWrite = CommandBusy || LinkBusy || FrontendBusy; });
    bool closed = false;
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [&] {
        if (!closed && sim.transcript().received().find("AT^SBNW=vcs") != std::string::npos) {
            closed = true;
            app->window()->close();
            EXPECT_EQ(ends, 0) << "the program ended in the middle of the write";
        }
    });
    closer.start(10);
    controls::Grid& grid = VisibleFG2();
    grid.userSelect(grid.fixedRows(), ColSyncPicture);
    grid.userDoubleClick();
    EXPECT_TRUE(closed) << "the write never waited for the phone";
    ASSERT_TRUE(waitFor([&] { return ends == 1; }, 20s));
    EXPECT_FALSE(endedDuringWrite);
    EXPECT_EQ(MobileEntryCount, 1) << "the write was cut off";
    EXPECT_TRUE(savedWidth());
}

using torvane::test::BadFolder;

class BadRuntimeFolderTest : public TwoCopiesTest, public ::testing::WithParamInterface<BadFolder> {};

// Started where the runtime folder is not the user's own private one, the organizer comes up, says
// in its link's error box why it cannot take the phone's port, and nothing in or behind that
// folder changes.
TEST_P(BadRuntimeFolderTest, TheOrganizerStartsAndLeavesTheFolderAlone)
{
    const std::string base = qEnvironmentVariable("TORVANE_TEST_TMP").toStdString() + "/bad-" + GetParam().name;
    ASSERT_EQ(::mkdir(base.c_str(), 0700), 0);
    if (!GetParam().make(base + "/torvane"))
        GTEST_SKIP() << "this user cannot give a folder away";
    const auto state = [&] {
        std::string lines;
        for (const auto& entry : std::filesystem::recursive_directory_iterator(base)) {
            struct stat st {};
            ::lstat(entry.path().c_str(), &st);
            lines += entry.path().string() + " " + std::to_string(st.st_mode) + " " + std::to_string(st.st_uid) + '\n';
        }
        return lines;
    };
    const std::string before = state();
    ASSERT_TRUE(startPhone());
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    setenv("XDG_RUNTIME_DIR", base.c_str(), 1);
    PeerProcess organizer(TESSARO_PROGRAM, {"NOORG"});
    setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    EXPECT_TRUE(waitFor([&] { return secondCopyBoxes().contains("InitComm"); }, 60s))
        << secondCopyBoxes().toStdString();
    EXPECT_TRUE(secondCopyBoxes().contains(QByteArray(base.c_str()) + "/torvane " + GetParam().reason + GetParam().remedy))
        << secondCopyBoxes().toStdString();
    EXPECT_FALSE(organizer.waitExit(0ms)) << "the organizer ended";
    EXPECT_EQ(state(), before);
}

INSTANTIATE_TEST_SUITE_P(Kinds, BadRuntimeFolderTest, ::testing::ValuesIn(torvane::test::kBadFolders),
                         [](const auto& info) { return std::string(info.param.name); });

} // namespace
} // namespace tessaro::test
