#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PhoneEntry.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <functional>

namespace tessaro {
namespace {

PhoneEntry sample()
{
    PhoneEntry e;
    e.AAlarmSet = FlagTrue;
    e.AAlarm = 1.5;
    e.IsAnniversary = FlagTrue;
    e.DAlarmSet = FlagTrue;
    e.DAlarm = 2.5;
    e.Description = QStringLiteral("Text");
    e.DtStart = 3.5;
    e.DtStartSet = FlagTrue;
    e.Location = QStringLiteral("4");
    e.IsSerie = FlagTrue;
    e.IsMemo = FlagTrue;
    e.IsMeeting = FlagTrue;
    e.IsPhoneCall = FlagTrue;
    e.RRule = QStringLiteral("W1");
    e.WeekdayMask = 8;
    e.StartTime = 5.25;
    e.LocationIndex = 4;
    e.Summary = QStringLiteral("Sum");
    e.DisplayText = QStringLiteral("Text");
    return e;
}

TEST(PhoneEntryEquals, EveryComparedFieldMatters)
{
    const std::pair<const char*, std::function<void(PhoneEntry&)>> changes[] = {
        {"LocationIndex", [](PhoneEntry& e) { e.LocationIndex = 5; }},
        {"AAlarm", [](PhoneEntry& e) { e.AAlarm += 1.0 / 86400; }},
        {"AAlarmSet", [](PhoneEntry& e) { e.AAlarmSet = 0; }},
        {"IsAnniversary", [](PhoneEntry& e) { e.IsAnniversary = 0; }},
        {"DAlarm", [](PhoneEntry& e) { e.DAlarm = 0; }},
        {"DAlarmSet", [](PhoneEntry& e) { e.DAlarmSet = 1; }},
        {"Description", [](PhoneEntry& e) { e.Description = QStringLiteral("text"); }},
        {"DtStart", [](PhoneEntry& e) { e.DtStart = 0; }},
        {"DtStartSet", [](PhoneEntry& e) { e.DtStartSet = 0; }},
        {"SpareDate", [](PhoneEntry& e) { e.SpareDate = 1; }},
        {"Location", [](PhoneEntry& e) { e.Location = QStringLiteral("04"); }},
        {"IsSerie", [](PhoneEntry& e) { e.IsSerie = 0; }},
        {"IsMeeting", [](PhoneEntry& e) { e.IsMeeting = 0; }},
        {"IsMemo", [](PhoneEntry& e) { e.IsMemo = 0; }},
        {"IsPhoneCall", [](PhoneEntry& e) { e.IsPhoneCall = 0; }},
        {"RRule", [](PhoneEntry& e) { e.RRule = QStringLiteral("D1"); }},
        {"StartTime", [](PhoneEntry& e) { e.StartTime = 5.5; }},
        {"Summary", [](PhoneEntry& e) { e.Summary = QStringLiteral("sum"); }},
        {"DisplayText", [](PhoneEntry& e) { e.DisplayText.clear(); }},
    };
    EXPECT_TRUE(PhoneEntryEquals(sample(), sample()));
    for (const auto& [name, change] : changes) {
        PhoneEntry b = sample();
        change(b);
        EXPECT_FALSE(PhoneEntryEquals(sample(), b)) << name;
    }
    PhoneEntry otherMask = sample();
    otherMask.WeekdayMask = 64;
    EXPECT_TRUE(PhoneEntryEquals(sample(), otherMask));
}

TEST(ClearEntryRecord, KeepsSummaryAndFreesTheLocation)
{
    PhoneEntry e = sample();
    ClearEntryRecord(e);
    PhoneEntry expected;
    expected.Summary = QStringLiteral("Sum");
    EXPECT_TRUE(PhoneEntryEquals(e, expected));
    EXPECT_EQ(e.LocationIndex, -1);
    EXPECT_EQ(e.WeekdayMask, 0);
    EXPECT_EQ(e.SpareDate, 0);

    CurrentEntry = sample();
    ClearCurrentEntry();
    EXPECT_TRUE(PhoneEntryEquals(CurrentEntry, expected));
}

class PhoneTableTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FirstLocation = 1;
        LastLocation = 5;
        PhoneEntryTable.Redim(1, 5);
        for (int loc : {2, 4}) {
            PhoneEntry e = sample();
            e.Location = QString::number(loc);
            e.LocationIndex = std::int16_t(loc);
            PhoneEntryTable.Entries(loc) = e;
        }
        PhoneEntryTable.Count = 2;
        MobileEntryCount = 2;
        MobileEntriesRead = true;
        MobileConnected = true;
        OrganizerServices s;
        s.showMobileStatus = [this] { ++statusRefreshes; };
        setOrganizerServices(s);
    }
    void TearDown() override { setOrganizerServices({}); }

    int statusRefreshes = 0;
};

TEST_F(PhoneTableTest, RemoveTableEntryClearsAndCountsOff)
{
    EXPECT_TRUE(RemoveTableEntry(PhoneEntryTable, QStringLiteral("4")));
    EXPECT_TRUE(PhoneEntryTable.Entries(4).Location.isEmpty());
    EXPECT_EQ(PhoneEntryTable.Entries(4).Summary, QStringLiteral("Sum"));
    EXPECT_EQ(PhoneEntryTable.Count, 1);
    EXPECT_EQ(MobileEntryCount, 1);
    EXPECT_EQ(statusRefreshes, 1);
}

TEST_F(PhoneTableTest, RemoveTableEntryOfUnknownLocationChangesNothing)
{
    EXPECT_FALSE(RemoveTableEntry(PhoneEntryTable, QStringLiteral("3")));
    EXPECT_FALSE(RemoveTableEntry(PhoneEntryTable, QStringLiteral("")));
    EXPECT_FALSE(RemoveTableEntry(PhoneEntryTable, QStringLiteral("04")));
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(MobileEntryCount, 2);
    EXPECT_EQ(statusRefreshes, 0);
}

TEST_F(PhoneTableTest, LookupsScanTheRangeInAscendingOrder)
{
    std::int16_t index = 0;
    EXPECT_TRUE(GetMobileEntryIndex(PhoneEntryTable, QStringLiteral("4"), index));
    EXPECT_EQ(index, 4);
    PhoneEntry probe = PhoneEntryTable.Entries(4);
    EXPECT_TRUE(FindEqualPhoneEntry(PhoneEntryTable, probe, index));
    EXPECT_EQ(index, 4);
    probe.Description = QStringLiteral("other");
    EXPECT_FALSE(FindEqualPhoneEntry(PhoneEntryTable, probe, index));
    EXPECT_EQ(index, -1);
    PhoneEntryTable.Count = 0;
    EXPECT_FALSE(GetMobileEntryIndex(PhoneEntryTable, QStringLiteral("4"), index));
    EXPECT_EQ(index, -1);
}

TEST_F(PhoneTableTest, ClearEntryTableResetsThePhoneSide)
{
    ClearEntryTable();
    for (int loc = 1; loc <= 5; ++loc)
        EXPECT_TRUE(PhoneEntryTable.Entries(loc).Location.isEmpty()) << loc;
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_EQ(MobileEntryCount, 0);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_FALSE(MobileConnected);
}

} // namespace
} // namespace tessaro
