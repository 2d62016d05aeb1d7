// Deleting rows and entries, clearing sides and grids, and the reset after a failed link.
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/SyncInstall.h"

#include "SyncTestSupport.h"

namespace tessaro {
namespace {

using test::at;
using test::vb;

class DeletingTest : public test::SyncTest {
protected:
    // Two appointments, three phone entries; the dentist is on both sides.
    void SetUp() override
    {
        SyncTest::SetUp();
        addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
        addAppointment(QStringLiteral("Board"), at(2026, 3, 11, 14, 0));
        addPhoneEntry(1, vb(2026, 3, 10, 9, 30), QStringLiteral("Dentist"));
        addPhoneEntry(2, vb(2026, 3, 12, 8, 0), QStringLiteral("Gym"));
        addPhoneEntry(5, vb(2026, 3, 13, 8, 0), QStringLiteral("Call"));
        readBothSides();
        phone.held = {{1, {}}, {2, {}}, {5, {}}};
    }

    void select(controls::Grid& g, int row, int column)
    {
        g.setRow(row);
        g.setCol(column);
    }
};

TEST_F(DeletingTest, ARowGoesInItsOwnGridAndOnlyItsSideInTheOther)
{
    ASSERT_EQ(fg1().rows(), 7);
    // The appointment's row goes; the phone row that showed it keeps its phone side.
    select(fg2(), 2, 4);
    EXPECT_TRUE(DeleteGridEntry(fg2(), 4));
    EXPECT_EQ(column(fg2(), 4), QStringList({"Board"}));
    EXPECT_EQ(rows(fg1())[0].pcText, "");
    EXPECT_EQ(rows(fg1())[0].id, "");
    EXPECT_EQ(column(fg1(), 5), QStringList({"l", "l", "l"}));
    EXPECT_EQ(fg2().rows(), 7);

    // A phone row in a grid of seven rows: a blank row comes first, so seven rows stay.
    select(fg1(), 3, 9);
    EXPECT_TRUE(DeleteGridEntry(fg1(), 9));
    EXPECT_EQ(column(fg1(), 9), QStringList({"Dentist", "Call"}));
    EXPECT_EQ(fg1().rows(), 7);
    EXPECT_TRUE(window.calls.contains("TIVResize"));

    // Any other column changes nothing but the selection.
    select(fg1(), 3, 0);
    EXPECT_TRUE(DeleteGridEntry(fg1(), 0));
    EXPECT_EQ(column(fg1(), 9), QStringList({"Dentist", "Call"}));
    EXPECT_EQ(fg1().row(), 2);
    EXPECT_EQ(fg1().col(), 0);
}

TEST_F(DeletingTest, APhoneEntryGoesOnlyOnceThePhoneConfirmed)
{
    for (bool calendarShown : {true, false}) {
        SCOPED_TRACE(calendarShown);
        OrganizerEntriesRead = calendarShown;
        phone.refusedDeletes = {phone.deletes + 1};
        select(fg2(), 2, 9);
        EXPECT_FALSE(DeleteSelectedMobileEntry(fg2(), PhoneEntryTable));
        EXPECT_EQ(PhoneEntryTable.Count, 3);
        EXPECT_EQ(column(fg1(), 8), QStringList({"1", "2", "5"}));
        EXPECT_EQ(rows(fg2())[0].location, "1");
    }
    OrganizerEntriesRead = true;
    const int before = phone.deletes;
    select(fg2(), 2, 9);
    EXPECT_TRUE(DeleteSelectedMobileEntry(fg2(), PhoneEntryTable));
    // One delete on the phone; its row in FG1 gone, its cells in FG2 emptied.
    EXPECT_EQ(phone.deletes - before, 1);
    EXPECT_EQ(phone.held.count(1), 0u);
    EXPECT_EQ(PhoneEntryTable.Count, 2);
    EXPECT_EQ(MobileEntryCount, 2);
    EXPECT_EQ(column(fg1(), 8), QStringList({"2", "5"}));
    EXPECT_EQ(column(fg2(), 9), QStringList({"", ""}));
    EXPECT_EQ(column(fg2(), 5), QStringList({"r", "r"}));
}

TEST_F(DeletingTest, DeletingEverythingGivesAFailedLocationOneMoreTry)
{
    phone.refusedDeletes = {5};
    EXPECT_TRUE(DeleteAllMobileEntries(PhoneEntryTable));
    EXPECT_EQ(phone.calls.mid(4, 3), QStringList({"delete 5", "InitComm", "delete 5"}));
    EXPECT_EQ(phone.deletes, 31);
    EXPECT_TRUE(phone.held.empty());
    EXPECT_TRUE(MobileEntriesRead);
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_TRUE(column(fg1(), 9).isEmpty());
    EXPECT_EQ(column(fg2(), 9), QStringList({"", ""}));
}

TEST_F(DeletingTest, ASecondFailureEndsTheRunAndHoldsWhatIsLeft)
{
    phone.held[7] = {};
    phone.refusedDeletes = {3, 4};
    EXPECT_FALSE(DeleteAllMobileEntries(PhoneEntryTable));
    EXPECT_EQ(phone.calls.last(), "delete 3");
    EXPECT_FALSE(MobileEntriesRead);
    // Location 3 on may still hold objects: no write may take them, the deleted ones are free.
    std::int16_t slot = 0;
    std::int32_t location = 0;
    EXPECT_TRUE(FindFreeMobileSlot(PhoneEntryTable, slot));
    EXPECT_EQ(slot, 1);
    PhoneEntryTable.Entries(1).Location = QStringLiteral("1");
    PhoneEntryTable.Entries(2).Location = QStringLiteral("2");
    PhoneEntryTable.Count = 2;
    EXPECT_FALSE(FindFreeMobileSlot(PhoneEntryTable, slot));
    EXPECT_FALSE(FindFreeMobileLocation(PhoneEntryTable, location));
}

TEST_F(DeletingTest, ClearingTheCalendarSideLeavesThePhoneTable)
{
    EXPECT_TRUE(ClearEntriesInCol(PhoneEntryTable, 4));
    EXPECT_TRUE(rows(fg2()).empty());
    EXPECT_EQ(column(fg1(), 4), QStringList({"", "", ""}));
    EXPECT_EQ(column(fg1(), 9), QStringList({"Dentist", "Gym", "Call"}));
    EXPECT_EQ(PhoneEntryTable.Count, 3);
    EXPECT_FALSE(OrganizerEntriesRead);
    EXPECT_EQ(OrganizerEntryCount, 0);
    // Appointments removed by id: every row that shows it.
    readBothSides();
    const QString id = rows(fg2())[0].id;
    EXPECT_FALSE(DeleteOrgEntryByID(id));
    EXPECT_EQ(column(fg2(), 4), QStringList({"Board"}));
    EXPECT_EQ(rows(fg1())[0].id, "");
}

TEST_F(DeletingTest, ClearingBothGridsSwapsInEmptyTwins)
{
    // The phone was read but holds nothing: its grid stays as it is.
    MobileEntryCount = 0;
    EXPECT_TRUE(ClearBothGrids());
    EXPECT_EQ(ActiveGridIndexFG1, 0);
    EXPECT_EQ(ActiveGridIndexFG2, 1);
    EXPECT_TRUE(rows(fg2()).empty());
    EXPECT_TRUE(fg2().isVisible());
    EXPECT_FALSE(Main_Form().FG2[0].isVisible());
    EXPECT_FALSE(OrganizerEntriesRead);
    EXPECT_EQ(column(fg1(), 9).size(), 3);

    MobileEntryCount = 3;
    EXPECT_TRUE(ClearBothGrids());
    EXPECT_EQ(ActiveGridIndexFG1, 1);
    EXPECT_TRUE(rows(fg1()).empty());
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_TRUE(window.calls.contains("GridHeadlines"));
}

TEST_F(DeletingTest, LookUpsByDayAndByEntryID)
{
    // The range's days count whole: its last day at any time, not the day after.
    setRange(QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_TRUE(IsDateInRange(QStringLiteral("31.03.26 23:59")));
    EXPECT_TRUE(IsDateInRange(QStringLiteral("01.03.26")));
    EXPECT_FALSE(IsDateInRange(QStringLiteral("01.04.26")));
    EXPECT_FALSE(IsDateInRange(vb(2026, 2, 28, 23, 59, 59)));

    const QString id = rows(fg2())[1].id;
    select(fg2(), 6, 0);
    EXPECT_TRUE(FindGridRowByEntryID(fg2(), id));
    EXPECT_EQ(fg2().row(), 3);
    EXPECT_EQ(fg2().col(), 4);
    // Blank rows hold no id: nothing is found and the selection stays.
    controls::Grid& blank = Main_Form().FG2[1];
    select(blank, 5, 2);
    EXPECT_FALSE(FindGridRowByEntryID(blank, id));
    EXPECT_FALSE(FindGridRowByEntryID(blank, QString()));
    EXPECT_EQ(blank.row(), 5);
    EXPECT_EQ(blank.col(), 2);
    EXPECT_EQ(GetMinGridRows(blank), GridRowCountFG2);
    EXPECT_EQ(GetIdColumn(9), 8);
    EXPECT_EQ(GetHiddenColumn(4), 2);
}

TEST_F(DeletingTest, AFailedLinkResetsThePhoneSide)
{
    // The link's reset reaches the synchronisation once it is installed.
    ResetMobileState();
    EXPECT_TRUE(window.calls.contains("ClearMobileCol_Click"));
    EXPECT_EQ(PhoneEntryTable.Count, 0);
    EXPECT_FALSE(MobileEntriesRead);
    EXPECT_FALSE(MobileConnected);
    EXPECT_EQ(window.panels[QStringLiteral("MobileStatus")], "offline");
}

} // namespace
} // namespace tessaro
