// The calendar as a whole and one appointment at a time: reading the range through the hidden
// twin, a new appointment in the calendar's window, and an opened one brought up to date.
#include "organizer/link/OrgError.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/TIVOutlook.h"

#include "platform/outlook/NameSpace.h"

#include "SyncTestSupport.h"

#include <QFile>

#include <csignal>
#include <sys/resource.h>

namespace tessaro {
namespace {

using test::at;
using test::vb;

class OutlookAccessTest : public test::SyncTest {
protected:
    int calendarSize()
    {
        outlook::Items items = calendarItems();
        int n = 0;
        for (auto i = items.Find(QStringLiteral("[Start]>=\"01.01.00 00:00\" and [Start] <=\"31.12.29 23:59\"")); i;
             i = items.FindNext())
            ++n;
        return n;
    }
    // The user changes the appointment in its window and saves it, a while later.
    void userSaves(const std::function<void(outlook::AppointmentItem&)>& edit)
    {
        appointmentWindow = [this, edit](outlook::AppointmentItem& item) {
            now = now.addSecs(90);
            edit(item);
            item.Save();
        };
    }
};

TEST_F(OutlookAccessTest, ReadingTheCalendarFillsTheHiddenTwinAndSwapsIt)
{
    addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
    ReadOutlook(false);
    EXPECT_EQ(ActiveGridIndexFG2, 1);
    EXPECT_TRUE(Main_Form().FG2[1].isVisible());
    EXPECT_FALSE(Main_Form().FG2[0].isVisible());
    EXPECT_EQ(column(fg2(), 4), QStringList({"Dentist"}));
    // Only the calendar's side is loaded: no row is offered for copying.
    EXPECT_EQ(column(fg2(), 5), QStringList({"g"}));
    EXPECT_EQ(status.log.first(), "Start Torvane Appointments 0");
    EXPECT_EQ(status.log.last(), "Quit");
    EXPECT_EQ(fg2().col(), 4);
    EXPECT_EQ(fg2().row(), 2);
    EXPECT_TRUE(window.calls.contains("FG2_Click 1"));
    EXPECT_EQ(lastCall(), "TIVResize");
    EXPECT_EQ(fg2().textMatrix(1, 4), "01.03.26 to 31.03.26");
}

TEST_F(OutlookAccessTest, AnEmptyReadStillRecomputesTheMarksButMatchesNothing)
{
    addPhoneEntry(1, vb(2026, 3, 10, 9, 30), QStringLiteral("Dentist"));
    ReadOutlook(true);
    FillGridMobileEntry(PhoneEntryTable, 9, 4, 5, 8);
    fg1().setTextMatrix(2, 3, QStringLiteral("stale id"));
    fg1().setTextMatrix(2, 4, QStringLiteral("stale text"));
    ReadOutlook(true);
    // The PC cells of the phone grid are emptied and the mark computed again.
    EXPECT_EQ(rows(fg1())[0].pcText, "");
    EXPECT_EQ(column(fg1(), 5), QStringList({"l"}));
}

TEST_F(OutlookAccessTest, AFailedReadLeavesTheShownGridAndClosesTheStatusWindow)
{
    QFile bad(calendarPath);
    ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
    bad.write("not a calendar");
    bad.close();
    ReadOutlook(false);
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption.section(u':', -1), "ReadOutlook");
    EXPECT_EQ(ActiveGridIndexFG2, 0);
    EXPECT_TRUE(Main_Form().FG2[0].isVisible());
    EXPECT_FALSE(status.running);
}

TEST_F(OutlookAccessTest, ANewAppointmentSavedLateIsShown)
{
    MobileEntriesRead = true;
    setRange(QDate(2026, 3, 1), QDate(2026, 3, 10));
    userSaves([](outlook::AppointmentItem& item) {
        item.setSubject(QStringLiteral("Last minute"));
        item.setStart(at(2026, 3, 10, 23, 59, 59));
    });
    EXPECT_TRUE(NewOutlookEntry(fg2()));
    EXPECT_EQ(column(fg2(), 4), QStringList({"Last minute"}));
    EXPECT_EQ(OrganizerEntryCount, 1);
    EXPECT_TRUE(window.calls.contains("SetProgressStatus Calendar 1 0"));
    EXPECT_EQ(lastCall(), QStringLiteral("FG2_Click 0"));

    // A second after the range: kept in the calendar, not shown.
    OrganizerEntriesRead = false;
    userSaves([](outlook::AppointmentItem& item) {
        item.setSubject(QStringLiteral("Too late"));
        item.setStart(at(2026, 3, 11, 0, 0, 0));
    });
    EXPECT_FALSE(NewOutlookEntry(fg2()));
    EXPECT_TRUE(OrganizerEntriesRead);
    EXPECT_EQ(calendarSize(), 2);
    EXPECT_EQ(rows(fg2()).size(), 1u);
}

TEST_F(OutlookAccessTest, ANewAppointmentClosedWithoutSavingIsRemoved)
{
    appointmentWindow = [this](outlook::AppointmentItem&) { now = now.addSecs(30); };
    EXPECT_FALSE(NewOutlookEntry(fg2()));
    EXPECT_EQ(windowsShown, 1);
    EXPECT_EQ(calendarSize(), 0);
    // Deleted in its own window: nothing more to remove, and nothing to complain about.
    appointmentWindow = [](outlook::AppointmentItem& item) { item.Delete(); };
    EXPECT_FALSE(NewOutlookEntry(fg2()));
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(OutlookAccessTest, ANewSeriesIsReadWithTheWholeRange)
{
    userSaves([](outlook::AppointmentItem& item) {
        item.setSubject(QStringLiteral("Standup"));
        item.setStart(at(2026, 3, 23, 9, 0));
        item.GetRecurrencePattern().setRecurrenceType(0);
    });
    EXPECT_TRUE(NewOutlookEntry(fg2()));
    EXPECT_EQ(column(fg2(), 4).size(), 9);
    EXPECT_EQ(OrganizerEntryCount, 9);
    EXPECT_EQ(ActiveGridIndexFG2, 1);
}

TEST_F(OutlookAccessTest, AnOpenedAppointmentBringsItsRowUpToDate)
{
    addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
    addAppointment(QStringLiteral("Board"), at(2026, 3, 11, 14, 0));
    ReadOutlook(true);
    const int count = OrganizerEntryCount;

    // Anywhere but the PC text nothing happens, not even the status bar.
    window.calls.clear();
    fg2().setRow(2);
    fg2().setCol(0);
    OpenOutlookEntry(fg2());
    EXPECT_EQ(windowsShown, 0);
    EXPECT_TRUE(window.calls.isEmpty());

    // Moved within the range: the row moves with it.
    fg2().setCol(4);
    userSaves([](outlook::AppointmentItem& item) { item.setStart(at(2026, 3, 12, 9, 30)); });
    OpenOutlookEntry(fg2());
    EXPECT_EQ(column(fg2(), 4), QStringList({"Board", "Dentist"}));
    EXPECT_EQ(GridSelection.FG2Row, 2);
    EXPECT_EQ(GridSelection.FG2Cell, 24);

    // Moved out of the range: its row goes and none comes back.
    fg2().setRow(3);
    fg2().setCol(4);
    userSaves([](outlook::AppointmentItem& item) { item.setStart(at(2026, 4, 12, 9, 30)); });
    OpenOutlookEntry(fg2());
    EXPECT_EQ(column(fg2(), 4), QStringList({"Board"}));
    EXPECT_EQ(OrganizerEntryCount, count);
    EXPECT_EQ(lastCall(), QStringLiteral("SetProgressStatus Calendar %1 0").arg(count));
}

TEST_F(OutlookAccessTest, AnOpenedSeriesKeepsItsRowsWhenOnlyItsTextChanged)
{
    addAppointment(QStringLiteral("Yoga"), at(2026, 3, 4, 18, 0),
                   [](outlook::AppointmentItem& i) { i.GetRecurrencePattern().setRecurrenceType(1); });
    ReadOutlook(true);
    fg2().setRow(3);
    fg2().setCol(4);
    userSaves([](outlook::AppointmentItem& item) { item.setSubject(QStringLiteral("Pilates")); });
    status.log.clear();
    OpenOutlookEntry(fg2());
    EXPECT_TRUE(status.log.isEmpty());
    EXPECT_EQ(column(fg2(), 4), QStringList(4, QStringLiteral("Yoga")));

    // Another weekday is another series: read again.
    userSaves([](outlook::AppointmentItem& item) { item.GetRecurrencePattern().setRecurrenceType(0); });
    OpenOutlookEntry(fg2());
    EXPECT_EQ(column(fg2(), 4).size(), 28);
}

TEST_F(OutlookAccessTest, OnlyAGoneAppointmentLosesItsRow)
{
    const auto dentist = addAppointment(QStringLiteral("Dentist"), at(2026, 3, 10, 9, 30));
    addAppointment(QStringLiteral("Board"), at(2026, 3, 11, 14, 0));
    ReadOutlook(true);

    // Another program removed it: the look-up finds nothing and the row goes.
    outlook::AppointmentItem gone = calendar().GetNamespace("MAPI").GetItemFromID(dentist.EntryID());
    gone.Delete();
    fg2().setRow(2);
    fg2().setCol(4);
    OpenOutlookEntry(fg2());
    EXPECT_EQ(column(fg2(), 4), QStringList({"Board"}));
    EXPECT_EQ(windowsShown, 0);

    // A calendar that cannot take the edit (the disk is full) raises its error; the row stays.
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    appointmentWindow = [&](outlook::AppointmentItem& item) {
        now = now.addSecs(60);
        item.setBody(QString(8000, u'x'));
        struct rlimit small = old;
        small.rlim_cur = rlim_t(QFile(calendarPath).size());
        setrlimit(RLIMIT_FSIZE, &small);
    };
    fg2().setRow(2);
    fg2().setCol(4);
    int number = 0;
    try {
        OpenOutlookEntry(fg2());
    } catch (const OrgError& e) {
        number = e.number();
    }
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(number, outlook::ErrCalendarWrite);
    EXPECT_EQ(column(fg2(), 4), QStringList({"Board"}));
}

} // namespace
} // namespace tessaro
