// Corvant's "Appointments" button starts the organizer by the command line in its setting
// TerminPrg, and Corvant's exit ends it by the one in TerminPrgTrm ("tessaro CALLER=Qbr" and
// "tessaro KILL", as the demo profile sets them). Started so, the organizer talks to the phone
// on Corvant's port and in the suite's language. Corvant runs in this process with the real
// engine; the organizer is the real program; the phone is simulated on COM1.
#include "mainprog/CCorvantApp.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/core/SuiteSettings.h"
#include "mainprog/engine/ZelEngine.h"
#include "mainprog/ui/CCorvantView.h"
#include "mainprog/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "platform/registry/Registry.h"
#include "platform/serial/SerialPortName.h"
#include "platform/ui/msgservice/MessageService.h"
#include "tools/phonesim/PhoneSim.h"

#include "OrganizerProgram.h"

#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace std::chrono_literals;

namespace {

using tessaro::test::organizerRunning;
using tessaro::test::waitFor;

// This process serves Corvant's events while it waits.
void serveCorvant()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    messaging::dispatchMessages(20);
}

bool windowTitled(const char* caption)
{
    return FindWindowByTitlePrefix(caption, int(std::strlen(caption)) + 1) != 0;
}

TEST(CorvantStartsTessaro, AppointmentsButtonStartsItOnCorvantsPortAndCorvantsExitEndsIt)
{
    torvane::phonesim::PhoneSim sim;
    std::string error;
    ASSERT_TRUE(sim.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
    const char* suite = "Software\\Torvane\\Quorvane PRO\\Settings";
    // The build folder's path may hold blanks; quoted, it stays the program's name.
    const std::string program = std::string("\"") + TESSARO_PROGRAM + "\"";
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, suite, "TerminPrg", program + " CALLER=Qbr"),
              ERROR_SUCCESS);
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, suite, "TerminPrgTrm", program + " KILL"),
              ERROR_SUCCESS);
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, suite, "KONF_COMPORT", "COM1"), ERROR_SUCCESS);
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, suite, "TessaroSprache", 7), ERROR_SUCCESS);
    // The organizer's own port setting says otherwise; started by Corvant it takes Corvant's.
    ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "ComPort", 4),
              ERROR_SUCCESS);
    tessaro::test::ChildBoxes organizerBoxes(QStringLiteral("organizer"));
    const tessaro::test::EndOrganizerAtExit endOrganizer;

    auto& boxes = torvane::ui::MessageService::instance();
    boxes.setScripted(true);
    corvant::ZelEngine engine;
    corvant::HostTimers timers;
    timers.pumpMs = 100;
    timers.pollMs = 60000; // no status check of Corvant's while the organizer asks the phone
    corvant::CCorvantApp corvantApp(engine, timers);
    ASSERT_TRUE(corvantApp.InitInstance());

    const corvant::ButtonRect& appointments = corvant::kButtonRects[0];
    ASSERT_EQ(corvant::kButtonCommands[0], corvant::ID_APPOINTMENTS);
    QTest::mouseClick(&corvantApp.mainFrame()->view(), Qt::LeftButton, {},
                      QPoint((appointments.left + appointments.right) / 2, (appointments.top + appointments.bottom) / 2));

    // The organizer comes up in German, the suite's language, and asks the phone on COM1.
    ASSERT_TRUE(waitFor([] { return windowTitled("Torvane Termine"); }, 60s, serveCorvant))
        << organizerBoxes.shown().toStdString();
    const auto identityRead = [&] { return sim.transcript().received().find("AT^SBNW=?\r") != std::string::npos; };
    ASSERT_TRUE(waitFor(identityRead, 60s, serveCorvant))
        << sim.transcript().received();
    EXPECT_NE(sim.transcript().received().find("ATE0+CMEE=2\r"), std::string::npos);
    EXPECT_TRUE(organizerRunning());

    // Corvant ends: its exit runs TerminPrgTrm, which ends the organizer.
    corvantApp.ExitInstance();
    EXPECT_TRUE(waitFor([] { return !organizerRunning(); }, 60s, serveCorvant));
    EXPECT_TRUE(waitFor([] { return !windowTitled("Torvane Termine"); }, 30s, serveCorvant));
    EXPECT_TRUE(organizerBoxes.shown().isEmpty()) << organizerBoxes.shown().toStdString();
    // The organizer saved its settings as it ended: the port it was given.
    EXPECT_EQ(torvane::registry::readDword(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings", "ComPort"), 1u);
    sim.stop();
}

} // namespace
