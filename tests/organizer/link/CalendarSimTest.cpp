// The phone calendar against the simulated phone over a pseudo-terminal: identification, and a
// full read of a phone whose entries the organizer's own writer put there.
#include "organizer/link/MobileAccess.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/VCalCodec.h"

#include "MainWindowFakes.h"
#include "QtPrinters.h"
#include "SimFixture.h"

namespace tessaro {
namespace {

using test::SimLinkTest;
using test::countOf;

void resetPhoneSide()
{
    PhoneEntryTable = EntryTable();
    MobileConnected = false;
    MobileEntriesRead = false;
    MobileEntryCount = 0;
    ActiveGridIndexFG1 = 0;
    SetLocationRange(1, 30);
}

class CalendarSimTest : public SimLinkTest {
protected:
    void SetUp() override
    {
        SimLinkTest::SetUp();
        resetPhoneSide();
    }

    test::FakeMainWindow window;
    test::FakeStatus status;
};

TEST_F(CalendarSimTest, IdentifiesThePhone)
{
    EXPECT_TRUE(GetMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount));
    EXPECT_EQ(received(), std::string("\x1b" "ATE0+CMEE=2\rAT+CGMI\rAT+CGMM\rAT^SBNW=?\r"));
    EXPECT_TRUE(MobileConnected);
    // The maker's name keeps its O; only the closing OK goes.
    EXPECT_EQ(MobileManufacturer, QStringLiteral("TORVANE"));
    EXPECT_EQ(MobileModel, QStringLiteral("TV-35"));
    EXPECT_EQ(FirstLocation, 1);
    EXPECT_EQ(LastLocation, 50);
    EXPECT_EQ(MobileCapacity, 50);
    EXPECT_FALSE(ComDrvForm().MSComm1.PortOpen());
    EXPECT_TRUE(boxes.boxes.empty());

    ShowMobileStatus();
    EXPECT_EQ(window.panels[PanelMobile], QStringLiteral("TORVANE TV-35"));
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: ?/50"));
}

enum Category { Misc, Meeting, Anniversary, PhoneCall };

// Location n holds category n % 4, alarms (n / 4) % 4 (none, display, audio, both) and series
// rule (n / 16) % 4 (none, daily, weekly, yearly); every fifth location stays empty.
PhoneEntry entryFor(int location)
{
    static const char* const rules[] = {nullptr, "D1", "W1", "Y1"};
    const int category = location % 4;
    const int alarms = (location / 4) % 4;
    const char* rule = rules[(location / 16) % 4];
    PhoneEntry e;
    e.StartTime = makeVbDate(2026, 3, 1 + location % 28, 8 + location % 10, location % 60, 0);
    e.IsMemo = category == Misc ? FlagTrue : FlagFalse;
    e.IsMeeting = category == Meeting ? FlagTrue : FlagFalse;
    e.IsAnniversary = category == Anniversary ? FlagTrue : FlagFalse;
    e.IsPhoneCall = category == PhoneCall ? FlagTrue : FlagFalse;
    if (alarms & 1) {
        e.DAlarmSet = FlagTrue;
        e.DAlarm = e.StartTime - 1.0 / 24;
    }
    if (alarms & 2) {
        e.AAlarmSet = FlagTrue;
        e.AAlarm = e.StartTime - 0.5 / 24;
    }
    if (rule) {
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(rule);
    }
    e.Description = QStringLiteral("Entry %1 ").arg(location) + QChar(0xE4) + QChar(0xDF);
    if (category == PhoneCall || location % 3 == 0)
        e.Summary = QStringLiteral("+49 89 %1").arg(location);
    e.LocationIndex = std::int16_t(location);
    return e;
}

TEST_F(CalendarSimTest, ReadsFiftyLocationsWrittenByTheWriter)
{
    int written = 0;
    for (int location = 1; location <= 50; ++location) {
        if (location % 5 == 0)
            continue;
        ASSERT_TRUE(SendSingleEntry(entryFor(location))) << location;
        ++written;
    }
    CloseComm();
    sim.transcript().clear();

    EXPECT_TRUE(ReadMobile(false));
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();
    EXPECT_EQ(countOf(received(), "AT^SBNR=\"vcs\","), 50);
    EXPECT_EQ(PhoneEntryTable.Count, written);
    EXPECT_EQ(MobileEntryCount, written);
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: 40/50"));
    EXPECT_EQ(window.filledCount, written);
    EXPECT_EQ(status.texts.size(), 50 + 3);

    for (int location = 1; location <= 50; ++location) {
        const PhoneEntry& read = PhoneEntryTable.Entries(location);
        if (location % 5 == 0) {
            EXPECT_TRUE(read.Location.isEmpty()) << location;
            continue;
        }
        const PhoneEntry w = entryFor(location);
        EXPECT_EQ(read.Location, QString::number(location));
        EXPECT_EQ(read.LocationIndex, location);
        EXPECT_EQ(read.DtStart, w.StartTime) << location;
        EXPECT_EQ(read.IsMemo, w.IsMemo) << location;
        EXPECT_EQ(read.IsMeeting, w.IsMeeting) << location;
        EXPECT_EQ(read.IsAnniversary, w.IsAnniversary) << location;
        EXPECT_EQ(read.IsPhoneCall, w.IsPhoneCall) << location;
        EXPECT_EQ(read.DAlarmSet, w.DAlarmSet) << location;
        EXPECT_EQ(read.AAlarmSet, w.AAlarmSet) << location;
        if (w.DAlarmSet) {
            EXPECT_EQ(vbDateSeconds(read.DAlarm), vbDateSeconds(w.DAlarm)) << location;
        }
        if (w.AAlarmSet) {
            EXPECT_EQ(vbDateSeconds(read.AAlarm), vbDateSeconds(w.AAlarm)) << location;
        }
        EXPECT_EQ(read.IsSerie, w.IsSerie) << location;
        EXPECT_EQ(read.RRule, w.RRule) << location;
        EXPECT_EQ(read.Description, w.Description) << location;
        EXPECT_EQ(read.Summary, w.Summary) << location;
        EXPECT_EQ(read.DisplayText, w.Description) << location;
    }
}

} // namespace
} // namespace tessaro
