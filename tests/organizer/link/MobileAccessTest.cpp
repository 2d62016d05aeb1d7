// The phone as a calendar on the scripted device: identification and its cleaning, the location
// range, reading one location and all of them under the status window, deleting, the status
// panels.
#include "organizer/link/MobileAccess.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/ObjectTransfer.h"

#include "LinkFixture.h"
#include "MainWindowFakes.h"
#include "QtPrinters.h"
#include "ScriptedCalendarPhone.h"

#include <numeric>

namespace tessaro {
namespace {

using test::FakeMainWindow;
using test::FakeStatus;
using test::ScriptedCalendarPhone;

QByteArray vcs(const char* category, const char* start, const char* extraLines)
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\nCATEGORIES:") + category +
           "\r\nDTSTART:" + start + "\r\n" + extraLines + "END:VEVENT\r\nEND:VCALENDAR\r\n";
}

void resetPhoneSide()
{
    PhoneEntryTable = EntryTable();
    MobileConnected = false;
    MobileEntriesRead = false;
    MobileEntryCount = 0;
    FirstLocation = 1;
    LastLocation = 30;
    MobileCapacity = 30;
    MobileManufacturer.clear();
    MobileModel.clear();
}

class MobileAccessTest : public test::ScriptedLinkTest {
protected:
    void SetUp() override
    {
        ScriptedLinkTest::SetUp();
        resetPhoneSide();
    }

    // Writes the identification into the globals, as start-up does.
    bool identify()
    {
        return GetMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount);
    }

    // Opens the link to the phone of the test and forgets what the opening wrote.
    void openPhoneLink()
    {
        ASSERT_TRUE(InitComm());
        port->writes.clear();
        ReceiveRest.clear();
    }

    QByteArrayList sent() const { return QByteArrayList(port->writes.begin(), port->writes.end()); }

    FakeMainWindow window;
    FakeStatus status;
};

TEST(IdentCleaning, RemovesLineEndsAndTheOAndKAtTheEnds)
{
    const std::pair<QByteArray, QString> cases[] = {
        {"\r\nTORVANE\r\n\r\nOK\r\n", QStringLiteral("TORVANE")},
        {"\r\nTOKO VK-2\r\n\r\nOK\r\n", QStringLiteral("TOKO VK-2")},
        {"\r\nK45\r\n\r\nOK\r\n", QStringLiteral("45")},
        {"\r\nTV-35\r\n\r\nOK\r\n", QStringLiteral("TV-35")},
        {"\r\nnokia ok\r\n\r\nOK\r\n", QStringLiteral("nokia ok")},
        {"\r\n^SBNW: \"vcs\",(1-50)\r\n\r\nOK\r\n", QStringLiteral("^SBNW: \"vcs\",(1-50)")},
        {"\r\nOK\r\n", QString()},
    };
    for (const auto& [answer, cleaned] : cases)
        EXPECT_EQ(CleanIdentAnswer(answer), cleaned) << answer.toStdString();
}

TEST(VcsRange, TakesTheVcsRangeOrNothing)
{
    struct Case {
        const char* cleaned;
        bool found;
        int first, last;
    };
    const Case cases[] = {
        {"^SBNW: \"vcs\",(1-50)", true, 1, 50},
        {"^SBNW: \"mid\",(1-5)^SBNW: \"vcs\",(3-12)", true, 3, 12},
        {"^SBNW: \"vcs\",( 7 - 7 )", true, 7, 7},
        {"^SBNW: \"vcs\",(0-32767)", true, 0, 32767},
        {"", false, 0, 0},
        {"^SBNW: \"mid\",(1-5)", false, 0, 0},
        {"^SBNW: vcs,(1-50)", false, 0, 0},
        {"1-50", false, 0, 0},
        {"^SBNW: \"vcs\",(50-1)", false, 0, 0},
        {"^SBNW: \"vcs\",(1)", false, 0, 0},
        {"^SBNW: \"vcs\",(-50)", false, 0, 0},
        {"^SBNW: \"vcs\",(1-)", false, 0, 0},
        {"^SBNW: \"vcs\",(1-32768)", false, 0, 0},
        {"^SBNW: \"vcs\",(99999999999-1)", false, 0, 0},
    };
    for (const Case& c : cases) {
        std::int16_t first = -7;
        std::int16_t last = -7;
        EXPECT_EQ(ParseVcsRange(QString::fromLatin1(c.cleaned), first, last), c.found) << c.cleaned;
        EXPECT_EQ(first, c.found ? c.first : -7) << c.cleaned;
        EXPECT_EQ(last, c.found ? c.last : -7) << c.cleaned;
    }
}

TEST_F(MobileAccessTest, IdentifiesThePhoneAndItsRange)
{
    ScriptedCalendarPhone phone(*port);
    phone.rangeLine = "^SBNW: \"vcs\",(1-50)";
    EXPECT_TRUE(identify());
    EXPECT_EQ(sent(), (QByteArrayList{"\x1b", "ATE0+CMEE=2\r", "AT+CGMI\r", "AT+CGMM\r", "AT^SBNW=?\r"}));
    EXPECT_TRUE(MobileConnected);
    EXPECT_EQ(MobileManufacturer, QStringLiteral("TORVANE"));
    EXPECT_EQ(MobileModel, QStringLiteral("45"));
    EXPECT_EQ(FirstLocation, 1);
    EXPECT_EQ(LastLocation, 50);
    EXPECT_EQ(MobileCapacity, 50);
    EXPECT_EQ(PhoneEntryTable.LBound(), 1);
    EXPECT_EQ(PhoneEntryTable.UBound(), 50);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_FALSE(port->isOpen);
    EXPECT_TRUE(boxes.boxes.empty());
}

// A phone that names no calendar range (a bare range of something else included), or one that
// is none, keeps the range 1 to 30, and the table follows the range whatever it was before.
TEST_F(MobileAccessTest, AnswerWithoutAUsableRangeKeeps1To30)
{
    for (const QByteArray& line : {QByteArray(), QByteArray("^SBNW: \"mid\",(1-5)"),
                                   QByteArray("^SBNW: \"vcs\",(40-10)"), QByteArray("^SBNW: \"vcs\",(x)"),
                                   QByteArray("1-50")}) {
        SetLocationRange(5, 50);
        ScriptedCalendarPhone phone(*port);
        phone.rangeLine = line;
        EXPECT_TRUE(identify()) << line.toStdString();
        EXPECT_EQ(FirstLocation, 1) << line.toStdString();
        EXPECT_EQ(LastLocation, 30) << line.toStdString();
        EXPECT_EQ(MobileCapacity, 30) << line.toStdString();
        EXPECT_EQ(PhoneEntryTable.LBound(), 1) << line.toStdString();
        EXPECT_EQ(PhoneEntryTable.UBound(), 30) << line.toStdString();
    }
}

TEST_F(MobileAccessTest, NoPhoneGives1To30AndNotConnected)
{
    SetLocationRange(1, 50);
    MobileConnected = true;
    // Opens, but nothing answers the wake-up.
    EXPECT_FALSE(identify());
    EXPECT_FALSE(MobileConnected);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_EQ(FirstLocation, 1);
    EXPECT_EQ(LastLocation, 30);
    EXPECT_EQ(MobileCapacity, 30);
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(port->isOpen);
}

TEST_F(MobileAccessTest, FailedQuestionShowsTheBoxAndClosesThePort)
{
    ScriptedCalendarPhone phone(*port);
    phone.silentCommands = {"AT+CGMM\r"};
    bool connected = true;
    QString model = QStringLiteral("old");
    QString manufacturer;
    std::int16_t count = 9;
    EXPECT_FALSE(GetMobileInfo(connected, model, manufacturer, count));
    EXPECT_FALSE(connected);
    EXPECT_EQ(model, QStringLiteral("old"));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].caption.endsWith(QStringLiteral(":GetMobileInfo")));
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Number: -2000\r\n")));
    EXPECT_FALSE(port->isOpen);
    EXPECT_TRUE(ReceiveRest.isEmpty());
}

// The phone test asks again while the grid shows the phone's entries: they stay read and counted.
TEST_F(MobileAccessTest, IdentifyingAgainKeepsTheEntriesRead)
{
    ScriptedCalendarPhone phone(*port);
    phone.objects = {{3, vcs("MEETING", "20260314T093000", "")}, {9, vcs("MISCELLANEOUS", "20260315T100000", "")}};
    ASSERT_TRUE(identify());
    openPhoneLink();
    ASSERT_TRUE(GetMobileEntries());
    ASSERT_EQ(MobileEntryCount, 2);

    // Into the globals, as start-up passes them.
    EXPECT_TRUE(identify());
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(MobileEntryCount, 2);
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(PhoneEntryTable.Entries(9).Location, QStringLiteral("9"));

    // Into a caller's own values.
    bool connected = false;
    QString model;
    QString manufacturer;
    std::int16_t count = -1;
    EXPECT_TRUE(GetMobileInfo(connected, model, manufacturer, count));
    EXPECT_TRUE(connected);
    EXPECT_EQ(manufacturer + QLatin1Char(' ') + model, QStringLiteral("TORVANE 45"));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(MobileEntryCount, 2);
    EXPECT_EQ(resets, 0);

    // A phone whose range changed: the entries belong to the old range and go, grid and all.
    phone.rangeLine = "^SBNW: \"vcs\",(1-40)";
    EXPECT_TRUE(GetMobileInfo(connected, model, manufacturer, count));
    EXPECT_EQ(count, 0);
    EXPECT_EQ(resets, 1);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_EQ(MobileEntryCount, 0);
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_EQ(PhoneEntryTable.UBound(), 40);
    EXPECT_TRUE(PhoneEntryTable.Entries(9).Location.isEmpty());
}

TEST_F(MobileAccessTest, ReadMobileInfoAsksOnTheOpenLinkAndLeavesItOpen)
{
    ScriptedCalendarPhone phone(*port);
    phone.rangeLine = "^SBNW: \"vcs\",(1-50)";
    openPhoneLink();
    EXPECT_TRUE(ReadMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount));
    EXPECT_EQ(sent(), (QByteArrayList{"AT+CGMI\r", "AT+CGMM\r", "AT^SBNW=?\r"}));
    EXPECT_TRUE(port->isOpen);
    EXPECT_EQ(LastLocation, 50);

    // A failure keeps the defaults and tells it.
    phone.silentCommands = {"AT^SBNW=?\r"};
    EXPECT_FALSE(ReadMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount));
    EXPECT_EQ(FirstLocation, 1);
    EXPECT_EQ(LastLocation, 30);
    EXPECT_EQ(MobileCapacity, 30);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].caption.endsWith(QStringLiteral(":ReadMobileInfo")));
}

TEST_F(MobileAccessTest, SingleLocationGivesTheTextOrEmpty)
{
    ScriptedCalendarPhone phone(*port);
    const QByteArray latin1 = vcs("MEETING", "20260314T093000", "DESCRIPTION:J\xfcrgen\r\n");
    phone.objects = {{4, latin1}, {5, EmptyObjectBytes()}};
    openPhoneLink();
    QString text;
    EXPECT_TRUE(GetSingleMobileEntry(text, 4));
    EXPECT_EQ(text, QString::fromLatin1(latin1));
    EXPECT_TRUE(text.contains(QStringLiteral("J") + QChar(0xfc) + QStringLiteral("rgen")));
    // What the phone sends for an empty location, and a location it has nothing at.
    for (std::int16_t location : {std::int16_t(5), std::int16_t(6)}) {
        EXPECT_TRUE(GetSingleMobileEntry(text, location));
        EXPECT_EQ(text, QStringLiteral("EMPTY"));
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(MobileAccessTest, TimedOutLocationShowsTheShortBoxInEitherLanguage)
{
    ScriptedCalendarPhone phone(*port);
    phone.silentLocations = {4};
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        boxes.boxes.clear();
        openPhoneLink();
        QString text = QStringLiteral("before");
        EXPECT_FALSE(GetSingleMobileEntry(text, 4));
        ASSERT_EQ(boxes.boxes.size(), 1u);
        EXPECT_EQ(boxes.boxes[0].style, vbOKOnly);
        EXPECT_EQ(boxes.boxes[0].caption, AppTitle);
        EXPECT_EQ(boxes.boxes[0].text, base == 10000 ? QStringLiteral("Mobile does not respond within timeout!\r\n"
                                                                      "Please check mobile and cable!")
                                                     : QStringLiteral("Das Telefon hat in der vorgegebenen Zeit nicht "
                                                                      "reagiert!\r\nBitte überprüfen Sie Telefon und "
                                                                      "Kabel!"));
        // The answer the phone may still send goes with the closed port.
        EXPECT_FALSE(port->isOpen);
        EXPECT_TRUE(ReceiveRest.isEmpty());
    }
}

// The phone answers a read after the link gave up on it. That answer must not pass for the answer
// to the next command.
TEST_F(MobileAccessTest, LateAnswerIsNotTakenForTheNextRead)
{
    port->purgesAtOpen = true;
    ScriptedCalendarPhone phone(*port);
    phone.objects = {{5, vcs("MEETING", "20260314T093000", "DESCRIPTION:five\r\n")},
                     {6, vcs("MEETING", "20260314T093000", "DESCRIPTION:six\r\n")}};
    phone.silentLocations = {5};
    openPhoneLink();
    QString text;
    const std::int64_t asked = clock.nowMs();
    ASSERT_FALSE(GetSingleMobileEntry(text, 5));
    ASSERT_EQ(clock.nowMs(), asked + 7500);
    // Location 5's answer comes a second late, while the user reads the box.
    phone.silentLocations.clear();
    port->answer("\r\n^SBNR: \"vcs\",5,1,1\r\n" + phone.objects[5].toHex().toUpper() + "\r\n\r\nOK\r\n");

    // The next read opens the link again and gets its own location.
    ASSERT_TRUE(InitComm());
    EXPECT_TRUE(GetSingleMobileEntry(text, 6));
    EXPECT_TRUE(text.contains(QStringLiteral("DESCRIPTION:six"))) << text.toStdString();
    EXPECT_EQ(boxes.boxes.size(), 1u);
}

TEST_F(MobileAccessTest, BrokenBlocksShowTheErrorBoxAndDropTheRest)
{
    ScriptedCalendarPhone phone(*port);
    openPhoneLink();
    // Two blocks announced, one sent, then the phone goes on talking.
    phone.silentLocations = {8};
    port->respond = [this](const QByteArray&) {
        port->answer("\r\n^SBNR: \"vcs\",8,2,2\r\n00\r\n\r\nOK\r\n+CIEV: 1\r\n");
    };
    QString text;
    EXPECT_FALSE(GetSingleMobileEntry(text, 8));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: EmpfangeDatenobjektVonMs:GetSingleMobileEntry"));
    EXPECT_FALSE(port->isOpen);
    EXPECT_TRUE(ReceiveRest.isEmpty());
}

class EntriesReadTest : public MobileAccessTest {
protected:
    void SetUp() override
    {
        MobileAccessTest::SetUp();
        phone = std::make_unique<ScriptedCalendarPhone>(*port);
        ASSERT_TRUE(identify());
        openPhoneLink();
    }
    void TearDown() override
    {
        phone.reset();
        MobileAccessTest::TearDown();
    }

    std::unique_ptr<ScriptedCalendarPhone> phone;
};

TEST_F(EntriesReadTest, ThirtyLocationsWithThreeEntries)
{
    phone->objects = {{2, vcs("MEETING", "20260314T093000", "SUMMARY:Board\r\n")},
                      {17, vcs("ANNIVERSARY", "20260401T000000", "DESCRIPTION:Anna\r\nRRULE:Y1\r\n")},
                      {30, vcs("PHONE CALL", "20260402T081500", "DESCRIPTION:Call\r\nSUMMARY:+4989123\r\n")}};
    EXPECT_TRUE(GetMobileEntries());
    EXPECT_EQ(PhoneEntryTable.Count, 3);
    EXPECT_EQ(MobileEntryCount, 3);
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: 3/30"));
    EXPECT_EQ(window.panels[PanelMobile], QStringLiteral("TORVANE 45"));

    std::vector<int> expected(30);
    std::iota(expected.begin(), expected.end(), 1);
    EXPECT_EQ(phone->reads, expected);
    EXPECT_EQ(status.polls, 30);
    ASSERT_EQ(status.texts.size(), 30);
    EXPECT_EQ(status.texts[4], QStringLiteral("Search for entry 5 / 30"));

    for (int location : {2, 17, 30}) {
        const PhoneEntry& e = PhoneEntryTable.Entries(location);
        EXPECT_EQ(e.Location, QString::number(location));
        EXPECT_EQ(e.LocationIndex, location);
    }
    EXPECT_EQ(PhoneEntryTable.Entries(2).IsMeeting, FlagTrue);
    EXPECT_EQ(PhoneEntryTable.Entries(17).RRule, QStringLiteral("Y1"));
    EXPECT_EQ(PhoneEntryTable.Entries(30).Summary, QStringLiteral("+4989123"));
    EXPECT_TRUE(PhoneEntryTable.Entries(3).Location.isEmpty());
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(EntriesReadTest, EntryWithoutSummaryKeepsNoneOfTheLastOne)
{
    phone->objects = {{1, vcs("MEETING", "20260314T093000", "DESCRIPTION:First\r\nSUMMARY:Leaky\r\n")},
                      {2, vcs("MISCELLANEOUS", "20260315T093000", "DESCRIPTION:Second\r\n")}};
    EXPECT_TRUE(GetMobileEntries());
    EXPECT_EQ(PhoneEntryTable.Entries(2).Summary, QString());
    EXPECT_EQ(PhoneEntryTable.Entries(2).DisplayText, QStringLiteral("Second"));
    EXPECT_EQ(PhoneEntryTable.Entries(1).Summary, QStringLiteral("Leaky"));
}

TEST_F(EntriesReadTest, CancelAtLocation12ClearsTheTable)
{
    for (int location : {3, 8, 15})
        phone->objects[location] = vcs("MEETING", "20260314T093000", "DESCRIPTION:x\r\n");
    phone->objects[8] = vcs("MEETING", "20260314T100000", "DESCRIPTION:y\r\n");
    status.goOn = [](int poll) { return poll != 12; };
    EXPECT_FALSE(GetMobileEntries());
    EXPECT_EQ(phone->reads.size(), 11u);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_EQ(MobileEntryCount, 0);
    EXPECT_TRUE(PhoneEntryTable.Entries(3).Location.isEmpty());
    EXPECT_TRUE(PhoneEntryTable.Entries(8).Location.isEmpty());
    EXPECT_EQ(window.panels[PanelEntryCounter], QStringLiteral("Mobile Entries occupied: ?"));
}

TEST_F(EntriesReadTest, TimeOutAtOneLocationShowsTheShortBoxAndClearsTheTable)
{
    phone->objects[2] = vcs("MEETING", "20260314T093000", "DESCRIPTION:x\r\n");
    phone->silentLocations = {7};
    EXPECT_FALSE(GetMobileEntries());
    EXPECT_EQ(phone->reads.back(), 7);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Mobile does not respond within timeout!\r\nPlease check mobile and cable!"));
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_TRUE(PhoneEntryTable.Entries(2).Location.isEmpty());
}

TEST_F(EntriesReadTest, UnreadableEntriesAreSkipped)
{
    phone->objects = {{1, vcs("MEETING", "20260314T093000", "DESCRIPTION:Same\r\n")},
                      {2, vcs("NONSENSE", "20260314T093000", "")},
                      {3, vcs("MEETING", "20260314T093000", "DESCRIPTION:Same\r\n")},
                      {4, vcs("MEETING", "20260314T093000", "DESCRIPTION:Other\r\n")}};
    EXPECT_TRUE(GetMobileEntries());
    EXPECT_EQ(PhoneEntryTable.Count, 3);
    // The bad category shows the parser's box; the read goes on.
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].text.startsWith(QStringLiteral("Number: -1981")));
    EXPECT_TRUE(PhoneEntryTable.Entries(2).Location.isEmpty());
    EXPECT_EQ(PhoneEntryTable.Entries(3).Location, QStringLiteral("3"));
}

TEST_F(EntriesReadTest, UnreadableLocationsAreNotFreeForAWrite)
{
    // Only the first location holds an object, and it cannot be read: the table counts nothing.
    phone->objects = {{1, vcs("NONSENSE", "20260314T093000", "")},
                      {3, vcs("MEETING", "20260314T093000", "DESCRIPTION:x\r\n")}};
    ASSERT_TRUE(GetMobileEntries());
    phone->objects.erase(3);
    ASSERT_TRUE(GetMobileEntries());
    ASSERT_EQ(PhoneEntryTable.Count, 0);
    std::int16_t slot = 0;
    std::int32_t location = 0;
    EXPECT_TRUE(FindFreeMobileSlot(PhoneEntryTable, slot));
    EXPECT_TRUE(FindFreeMobileLocation(PhoneEntryTable, location));
    EXPECT_EQ(slot, 2);
    EXPECT_EQ(location, 2);

    // Read again once the object is gone, the location is free.
    phone->objects.clear();
    ASSERT_TRUE(GetMobileEntries());
    EXPECT_TRUE(FindFreeMobileSlot(PhoneEntryTable, slot));
    EXPECT_EQ(slot, 1);
}

TEST_F(EntriesReadTest, ReadingAgainForgetsEntriesThatAreGone)
{
    phone->objects = {{5, vcs("MEETING", "20260314T093000", "DESCRIPTION:x\r\n")}};
    ASSERT_TRUE(GetMobileEntries());
    phone->objects.clear();
    EXPECT_TRUE(GetMobileEntries());
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    std::int16_t index = 0;
    EXPECT_FALSE(GetMobileEntryIndex(PhoneEntryTable, QStringLiteral("5"), index));
    EXPECT_TRUE(PhoneEntryTable.Entries(5).Location.isEmpty());
}

TEST_F(MobileAccessTest, RemoveEntryFromMobile)
{
    ScriptedCalendarPhone phone(*port);
    phone.objects = {{5, vcs("MEETING", "20260314T093000", "")}};
    EXPECT_TRUE(RemoveEntryFromMobile(-1));
    EXPECT_TRUE(port->writes.empty());

    EXPECT_TRUE(RemoveEntryFromMobile(5));
    EXPECT_EQ(port->writes.back(), QByteArray("AT^SBNW=vcs,5,0\r"));
    EXPECT_EQ(phone.objects.count(5), 0u);

    phone.silentCommands = {"AT^SBNW=vcs,6,0\r"};
    EXPECT_FALSE(RemoveEntryFromMobile(6));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_TRUE(boxes.boxes[0].caption.endsWith(QStringLiteral(":RemoveEntryFromMobile")));
    EXPECT_FALSE(port->isOpen);
}

TEST_F(MobileAccessTest, StatusPanelsInEveryState)
{
    struct Case {
        std::int16_t base;
        bool connected, read;
        const char* mobile;
        const char* picture;
        const char* state;
        const char* counter;
    };
    const Case cases[] = {
        {10000, true, true, "TORVANE 45", "ImageHandy_gruen", "connected", "Mobile Entries occupied: 12/50"},
        {10000, true, false, "TORVANE 45", "ImageHandy_gruen", "connected", "Mobile Entries occupied: ?/50"},
        {10000, false, false, "No mobile", "ImageHandy_grau", "offline", "Mobile Entries occupied: ?"},
        {20000, true, true, "TORVANE 45", "ImageHandy_gruen", "verbunden", "Telefoneinträge belegt: 12/50"},
        {20000, false, true, "Kein Telefon", "ImageHandy_grau", "nicht verbunden", "Telefoneinträge belegt: ?"},
    };
    MobileManufacturer = QStringLiteral("TORVANE");
    MobileModel = QStringLiteral("45");
    MobileEntryCount = 12;
    MobileCapacity = 50;
    for (const Case& c : cases) {
        LanguageBase = c.base;
        MobileConnected = c.connected;
        MobileEntriesRead = c.read;
        window.calls.clear();
        ShowMobileStatus();
        EXPECT_EQ(window.panels[PanelMobile], QString::fromUtf8(c.mobile));
        EXPECT_EQ(window.pictures[PanelMobile], QString::fromUtf8(c.picture));
        EXPECT_EQ(window.panels[PanelMobileStatus], QString::fromUtf8(c.state));
        EXPECT_EQ(window.panels[PanelEntryCounter], QString::fromUtf8(c.counter));
        EXPECT_EQ(window.calls, QStringList{QStringLiteral("SetMenus_Click")});
    }
}

} // namespace
} // namespace tessaro
