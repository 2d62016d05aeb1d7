// The read-phone command on the scripted device with the main window and the status window as
// fakes: the order of its steps, the grid instance it fills and shows, and its failure paths.
#include "organizer/link/MobileAccess.h"
#include "organizer/link/ReadMobile.h"

#include "LinkFixture.h"
#include "MainWindowFakes.h"
#include "QtPrinters.h"
#include "ScriptedCalendarPhone.h"

#include <algorithm>

namespace tessaro {
namespace {

using test::FakeMainWindow;
using test::FakeStatus;
using test::ScriptedCalendarPhone;

const QByteArray kMeeting =
    "BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:MEETING\r\nDTSTART:20260314T093000\r\n"
    "DESCRIPTION:Board\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";

class ReadMobileTest : public test::ScriptedLinkTest {
protected:
    void SetUp() override
    {
        ScriptedLinkTest::SetUp();
        PhoneEntryTable = EntryTable();
        MobileConnected = false;
        MobileEntriesRead = false;
        MobileEntryCount = 0;
        SetLocationRange(1, 30);
        OrganizerAvailable = false;
        OrganizerName.clear();
        OrganizerEntriesRead = false;
        OrganizerEntryCount = 0;
        ActiveGridIndexFG1 = 0;
        ActiveGridIndexFG2 = 1;
        phone = std::make_unique<ScriptedCalendarPhone>(*port);
        phone->objects = {{4, kMeeting}};
    }
    void TearDown() override
    {
        phone.reset();
        ScriptedLinkTest::TearDown();
    }

    QStringList commandsSent() const
    {
        QStringList out;
        for (const QByteArray& w : port->writes)
            if (w.startsWith("AT+CG") || w.startsWith("AT^SBNW=?"))
                out << QString::fromLatin1(w.trimmed());
        return out;
    }

    std::unique_ptr<ScriptedCalendarPhone> phone;
    FakeMainWindow window;
    FakeStatus status;
};

TEST_F(ReadMobileTest, FirstReadIdentifiesReadsAndSwapsTheHiddenInstanceIn)
{
    EXPECT_TRUE(ReadMobile(false));
    EXPECT_EQ(window.calls, (QStringList{
                                "SetBusyPointer",
                                "ClearGridInstance FG1(1)",
                                // identification on the open link
                                "SetMenus_Click",
                                "SetProgressStatus  0 0",
                                // the read's own status refresh
                                "SetMenus_Click",
                                "FillGridMobileEntry 9 4 5 8 into FG1(1)",
                                "GridHeadlines",
                                "ShowGridInstance FG1(1)",
                                "RefreshDateRange",
                                "SetMenus_Click",
                                "SelectFirstEntryRow FG1(1) 9",
                                "FG1_Click",
                                "SetNormalPointer",
                            }));
    EXPECT_EQ(ActiveGridIndexFG1, 1);
    EXPECT_EQ(window.filledCount, 1);
    EXPECT_EQ(commandsSent(), (QStringList{"AT+CGMI", "AT+CGMM", "AT^SBNW=?"}));
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_TRUE(MobileConnected);
    EXPECT_EQ(MobileEntryCount, 1);
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: 1/30"));
    EXPECT_FALSE(port->isOpen);
    EXPECT_EQ(status.log.first(), QStringLiteral("Start Torvane Appointments 0"));
    EXPECT_EQ(status.log.last(), QStringLiteral("Quit"));
    EXPECT_EQ(status.texts.first(), QStringLiteral("Please wait. Reading status from mobile!"));
    EXPECT_TRUE(status.texts.contains(QStringLiteral("Please wait. Reading entries from mobile!")));
    EXPECT_EQ(status.texts.last(), QStringLiteral("Please wait. Writing entries to grid!"));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(ReadMobileTest, SilentFlagGoesToTheStatusWindow)
{
    LanguageBase = 20000;
    EXPECT_TRUE(ReadMobile(true));
    EXPECT_EQ(status.log.first(), QStringLiteral("Start Torvane Termine 1"));
}

TEST_F(ReadMobileTest, ReadingAgainClearsThePhoneSideFirstAndAsksNothing)
{
    ASSERT_TRUE(ReadMobile(false));
    port->writes.clear();

    // Without Outlook entries the single-grid clear runs; with them the phone column goes.
    for (bool outlook : {false, true}) {
        OrganizerAvailable = outlook;
        OrganizerEntryCount = outlook ? 4 : 0;
        OrganizerEntriesRead = outlook;
        window.calls.clear();
        const int before = ActiveGridIndexFG1;
        EXPECT_TRUE(ReadMobile(false));
        EXPECT_EQ(ActiveGridIndexFG1, 1 - before);
        const QString cleared = outlook ? QStringLiteral("ClearEntriesInCol 9") : QStringLiteral("Menu_ClearAppSingle_Click");
        EXPECT_EQ(window.calls[2], cleared) << outlook;
        if (outlook) {
            const QStringList marks = window.callsStartingWith(QStringLiteral("FillGrid"));
            EXPECT_EQ(marks, (QStringList{QStringLiteral("FillGridMobileEntry 9 4 5 8 into FG1(%1)").arg(1 - before),
                                          "FillGridControll FG2(1) 2 4 9 5", "FillGridPicture FG2(1) 2 6 5"}));
        }
        EXPECT_EQ(MobileEntryCount, 1);
    }
    EXPECT_TRUE(commandsSent().isEmpty());
}

TEST_F(ReadMobileTest, ConnectedPhoneIsNotAskedAgain)
{
    bool connected = false;
    QString model, manufacturer;
    std::int16_t count = 0;
    ASSERT_TRUE(GetMobileInfo(connected, model, manufacturer, count));
    MobileConnected = connected;
    port->writes.clear();
    EXPECT_TRUE(ReadMobile(false));
    EXPECT_TRUE(commandsSent().isEmpty());
    EXPECT_TRUE(window.callsStartingWith(QStringLiteral("SetProgressStatus")).isEmpty());
}

TEST_F(ReadMobileTest, TimeOutTogglesBackAndResetsThePhoneSide)
{
    phone->silentLocations = {9};
    EXPECT_FALSE(ReadMobile(false));
    EXPECT_EQ(ActiveGridIndexFG1, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_TRUE(window.callsStartingWith(QStringLiteral("FillGridMobileEntry")).isEmpty());
    EXPECT_TRUE(window.callsStartingWith(QStringLiteral("ShowGridInstance")).isEmpty());
    EXPECT_EQ(window.calls.mid(window.calls.size() - 3),
              (QStringList{"SelectFirstEntryRow FG1(0) 9", "FG1_Click", "SetNormalPointer"}));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Mobile does not respond within timeout!\r\nPlease check mobile and cable!"));
    EXPECT_EQ(status.log.last(), QStringLiteral("Quit"));
}

TEST_F(ReadMobileTest, CancelledReadClearsTheTable)
{
    phone->objects[2] = kMeeting;
    status.goOn = [](int poll) { return poll != 12; };
    EXPECT_FALSE(ReadMobile(false));
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_EQ(ActiveGridIndexFG1, 0);
    EXPECT_EQ(resets, 1);
}

TEST_F(ReadMobileTest, NoLinkLeavesTheIndexToTheReset)
{
    phone.reset();
    EXPECT_FALSE(ReadMobile(false));
    EXPECT_EQ(ActiveGridIndexFG1, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_EQ(window.calls, (QStringList{"SetBusyPointer", "SelectFirstEntryRow FG1(0) 9", "FG1_Click",
                                         "SetNormalPointer"}));
    EXPECT_EQ(status.log.last(), QStringLiteral("Quit"));
}

TEST_F(ReadMobileTest, FailedIdentificationEndsEarlyWithTheShownInstance)
{
    phone->silentCommands = {"AT+CGMM\r"};
    EXPECT_FALSE(ReadMobile(false));
    EXPECT_EQ(ActiveGridIndexFG1, 0);
    EXPECT_FALSE(port->isOpen);
    EXPECT_TRUE(ReceiveRest.isEmpty());
    EXPECT_EQ(window.calls, (QStringList{"SetBusyPointer", "ClearGridInstance FG1(1)", "SetNormalPointer"}));
    EXPECT_EQ(status.log.last(), QStringLiteral("Quit"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].caption.endsWith(QStringLiteral(":ReadMobileInfo")));
    // Nothing of the range was read.
    EXPECT_EQ(std::count_if(port->writes.begin(), port->writes.end(),
                            [](const QByteArray& w) { return w.startsWith("AT^SBNR"); }),
              0);
}

TEST_F(ReadMobileTest, IdentifiedRangeSizesTheTable)
{
    phone->rangeLine = "^SBNW: \"vcs\",(1-50)";
    phone->objects[50] = kMeeting;
    phone->objects[50].replace("Board", "Last");
    EXPECT_TRUE(ReadMobile(false));
    EXPECT_EQ(PhoneEntryTable.UBound(), 50);
    EXPECT_EQ(PhoneEntryTable.Entries(50).Description, QStringLiteral("Last"));
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: 2/50"));
}

} // namespace
} // namespace tessaro
