// The organizer run in the test's own process: its application object with the real windows on
// the offscreen platform (or a virtual X display), its link on the platform's serial ports and
// the real clock, message boxes answered by the message service's script and recorded. The
// simulated phone answers as COM1 of the test's private config folder. Between tests every
// process-wide piece of the organizer is put back as a fresh program has it.
#pragma once

#include "organizer/TessaroApp.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/Frontend.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/VCalCodec.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/sync/TIVOutlook.h"
#include "organizer/ui/Status_Anzeige.h"

#include "platform/outlook/NameSpace.h"
#include "platform/registry/Registry.h"
#include "platform/serial/SerialPortName.h"
#include "platform/ui/msgservice/MessageService.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneSim.h"

#include <QApplication>
#include <QLabel>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>

namespace tessaro::test {

using Clock = std::chrono::steady_clock;

// Lets events run until `done` holds or the time is up.
inline bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds within)
{
    const auto deadline = Clock::now() + within;
    while (!done()) {
        if (Clock::now() >= deadline)
            return false;
        QApplication::processEvents(QEventLoop::AllEvents, 20);
    }
    return true;
}

// Puts the organizer's process-wide state back to a fresh program's.
inline void resetOrganizer()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    resetMain_Form();
    ResetStartupState();
    ComDrvUnload();
    LanguageBase = 10000;
    ComPort = 1;
    ComTimeout = 7500;
    Infrared = 0;
    InfraredDelay = 700;
    IrdaEffectiveDelay = 1;
    TransferPause = 0;
    DumpFlag = false;
    CallerFlag = false;
    CallerName.clear();
    LinkBusy = false;
    FrontendBusy = false;
    ReceiveRest.clear();
    OrganizerEntriesRead = false;
    OrganizerEntryCount = 0;
    ActiveGridIndexFG1 = 0;
    ActiveGridIndexFG2 = 0;
    MobileConnected = false;
    MobileEntriesRead = false;
    MobileEntryCount = 0;
    MobileManufacturer.clear();
    MobileModel.clear();
    FirstLocation = 1;
    LastLocation = 30;
    MobileCapacity = 30;
    PhoneEntryTable = EntryTable();
    OutlookApp.reset();
    OutlookOptions = torvane::outlook::ApplicationOptions();
}

// What the status window was asked to do, passed on to the real one.
class StatusRecorder : public StatusDisplay {
public:
    explicit StatusRecorder(Status_Anzeige& real) : m_real(real) { m_previous = setStatusDisplay(this); }
    ~StatusRecorder() override { setStatusDisplay(m_previous); }
    StatusRecorder(const StatusRecorder&) = delete;
    StatusRecorder& operator=(const StatusRecorder&) = delete;

    void Start(const QString& caption, bool silent) override
    {
        m_real.Start(caption, silent);
        log << QStringLiteral("Start ") + caption;
    }
    void SetText(const QString& text) override
    {
        m_real.SetText(text);
        const bool shown = m_real.window() && m_real.window()->isVisible();
        log << QStringLiteral("SetText %1 %2").arg(text, shown ? QStringLiteral("shown") : QStringLiteral("hidden"));
    }
    bool GetState() override { return m_real.GetState(); }
    void Quit() override
    {
        m_real.Quit();
        log << QStringLiteral("Quit");
    }

    QStringList log;

private:
    Status_Anzeige& m_real;
    StatusDisplay* m_previous = nullptr;
};

class TessaroAppTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetOrganizer();
        // The settings an earlier test's program saved (its port among them) are not this one's.
        RegDeleteKey(HKEY_CURRENT_USER, "Software\\Torvane\\Tessaro\\Settings");
        auto& boxes = torvane::ui::MessageService::instance();
        boxes.setScripted(true);
        boxes.clearAnswers();
        boxes.clearShown();
    }

    void TearDown() override
    {
        recorder.reset();
        app.reset();
        sim.stop();
        resetOrganizer();
    }

    bool startPhone()
    {
        std::string error;
        const bool ok = sim.start(torvane::serial::portLinkFolder() + "/COM1", &error);
        EXPECT_TRUE(ok) << error;
        return ok;
    }

    // Creates the organizer and runs its start-up; the end it asks for is recorded.
    bool startOrganizer(const QString& commandLine)
    {
        app = std::make_unique<TessaroApp>();
        app->setEndHandler([this] { ++ends; });
        QObject::connect(app.get(), &TessaroApp::started, [this] { ++startups; });
        recorder = std::make_unique<StatusRecorder>(app->statusWindow());
        return app->start(commandLine);
    }

    bool waitUntilUp() { return waitFor([this] { return startups > 0; }, std::chrono::seconds(30)); }

    static std::vector<torvane::ui::ShownBox> boxes() { return torvane::ui::MessageService::instance().shown(); }

    static QString panel(const QString& key) { return Main_Form().TivStatusBar.panel(key).text(); }

    // A memo at `hour` of `day` on the simulated phone, at `location`.
    void putOnPhone(int location, QDate day, int hour, const char* text)
    {
        PhoneEntry e;
        e.StartTime = e.DtStart = makeVbDate(day.year(), day.month(), day.day(), hour);
        e.DtStartSet = FlagTrue;
        e.Description = QLatin1String(text);
        e.IsMemo = FlagTrue;
        const std::string object = VCalTextToBytes(BuildVCalText(e)).toStdString();
        sim.withModule<torvane::phonesim::ObjectStoreCommands>([&](auto& store) {
            store.objects["vcs"][location] = torvane::phonesim::ObjectStoreCommands::phoneForm(object);
        });
    }

    // Appointments saved in the desktop calendar file, as another program would.
    static void putInCalendar(const std::vector<std::pair<QDateTime, const char*>>& appointments)
    {
        std::optional<outlook::Application> calendar = outlook::Application::create();
        ASSERT_TRUE(calendar);
        outlook::Items items =
            calendar->GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(outlook::CalendarFolder).Items();
        for (const auto& [start, subject] : appointments) {
            outlook::AppointmentItem item = items.Add(outlook::AppointmentItemType);
            item.setSubject(QLatin1String(subject));
            item.setStart(start);
            item.Save();
        }
    }

    torvane::phonesim::PhoneSim sim;
    std::unique_ptr<TessaroApp> app;
    std::unique_ptr<StatusRecorder> recorder;
    int ends = 0;
    int startups = 0;
};

} // namespace tessaro::test
