// The object model's members as the organizer calls them: identity, adding, saving, deleting,
// looking up by entry id, the modification time and the appointment window.
#include "CalendarTestSupport.h"

#include "platform/outlook/RecurrenceRule.h"

using namespace torvane::outlook;
using namespace torvane::outlook::test;

namespace {

class ModelTest : public CalendarTest {};

TEST_F(ModelTest, ApplicationNameVersionAndNameSpace)
{
    Application a = app();
    EXPECT_FALSE(a.Name().isEmpty());
    EXPECT_GE(a.Version().section(u'.', 0, 0).toInt(), 8);
    for (const char* type : {"MAPI", "mapi", "Mapi"})
        EXPECT_EQ(errorOf([&] { a.GetNamespace(QString::fromLatin1(type)); }), 0) << type;
    EXPECT_EQ(errorOf([&] { a.GetNamespace(QStringLiteral("MAPI2")); }), ErrInvalidArgument);
    NameSpace ns = a.GetNamespace(QStringLiteral("MAPI"));
    EXPECT_EQ(errorOf([&] { ns.Session().GetDefaultFolder(CalendarFolder); }), 0);
    for (int kind : {0, 6, 10, -9})
        EXPECT_EQ(errorOf([&] { ns.GetDefaultFolder(kind); }), ErrInvalidArgument) << kind;
}

TEST_F(ModelTest, AddGivesAnUnsavedAppointment)
{
    Items items = calendarItems();
    AppointmentItem a = items.Add();
    AppointmentItem b = items.Add(AppointmentItemType);
    EXPECT_TRUE(a.EntryID().isEmpty());
    EXPECT_TRUE(b.EntryID().isEmpty());
    EXPECT_FALSE(a.LastModificationTime().isValid());
    // It starts at the next full half hour after the clock's 09:00.
    EXPECT_EQ(a.Start(), at(2024, 2, 1, 9, 30));
    for (int type : {0, 2, 3, 7})
        EXPECT_EQ(errorOf([&] { items.Add(type); }), ErrInvalidArgument) << type;
    // Nothing is in the calendar before the first save.
    EXPECT_FALSE(items.Find(rangeFilter(at(2024, 1, 1), at(2024, 12, 31))).has_value());
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(ModelTest, EntryIdIsAssignedAtTheFirstSaveAndKeptAsTheUid)
{
    AppointmentItem item = calendarItems().Add(AppointmentItemType);
    item.setSubject(QStringLiteral("Dentist"));
    item.setStart(at(2024, 2, 7, 10, 0));
    item.Save();
    const QString id = item.EntryID();
    ASSERT_FALSE(id.isEmpty());
    EXPECT_TRUE(fileBytes().contains(("UID:" + id).toUtf8()));
    item.setSubject(QStringLiteral("Dentist at 10"));
    item.Save();
    EXPECT_EQ(item.EntryID(), id);

    AppointmentItem again = app().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(id);
    EXPECT_EQ(again.EntryID(), id);
    EXPECT_EQ(again.Subject(), QStringLiteral("Dentist at 10"));
    EXPECT_EQ(again.Start(), at(2024, 2, 7, 10, 0));
}

TEST_F(ModelTest, SaveWithoutChangeKeepsTheModificationTime)
{
    AppointmentItem item = addSaved(QStringLiteral("Review"), at(2024, 2, 8, 14, 0));
    const QDateTime first = item.LastModificationTime();
    EXPECT_EQ(first, m_now);
    const QByteArray written = fileBytes();

    m_now = m_now.addSecs(3600);
    item.Save();
    EXPECT_EQ(item.LastModificationTime(), first);
    // Setting a field to its own value, or changing and changing back, is no change either.
    item.setSubject(QStringLiteral("Review"));
    item.setStart(at(2024, 2, 8, 14, 0));
    item.setReminderSet(false);
    item.setMeetingStatus(NonMeeting);
    item.ClearRecurrencePattern();
    item.setBody(QStringLiteral("x"));
    item.setBody(QString());
    item.Save();
    EXPECT_EQ(item.LastModificationTime(), first);
    EXPECT_EQ(fileBytes(), written);

    item.setBody(QStringLiteral("Bring the figures"));
    item.Save();
    EXPECT_EQ(item.LastModificationTime(), m_now);
    EXPECT_NE(fileBytes(), written);
}

TEST_F(ModelTest, EverySavedChangeMovesTheModificationTimeForward)
{
    m_now = at(2024, 2, 1, 10, 0, 0).addMSecs(400);
    AppointmentItem item = addSaved(QStringLiteral("A"), at(2024, 2, 8, 14, 0));
    // Whole seconds, never before the save.
    EXPECT_EQ(item.LastModificationTime(), at(2024, 2, 1, 10, 0, 1));
    m_now = m_now.addMSecs(200);
    item.setSubject(QStringLiteral("B"));
    item.Save();
    EXPECT_EQ(item.LastModificationTime(), at(2024, 2, 1, 10, 0, 2));
    // The organizer's test for a save by the user: later than the moment before the window closed.
    EXPECT_GT(item.LastModificationTime(), m_now.addSecs(-1));
}

TEST_F(ModelTest, DeletedAppointmentsFailToSaveDeleteOrBeFound)
{
    AppointmentItem item = addSaved(QStringLiteral("Gone"), at(2024, 2, 9, 8, 0));
    const QString id = item.EntryID();
    NameSpace ns = app().GetNamespace(QStringLiteral("MAPI"));
    AppointmentItem other = ns.GetItemFromID(id);

    item.Delete();
    EXPECT_FALSE(fileBytes().contains(id.toUtf8()));
    EXPECT_EQ(errorOf([&] { ns.GetItemFromID(id); }), ErrItemNotFound);
    EXPECT_EQ(errorOf([&] { item.Save(); }), ErrItemDeleted);
    EXPECT_EQ(errorOf([&] { item.Delete(); }), ErrItemDeleted);
    EXPECT_EQ(errorOf([&] { item.Display(true); }), ErrItemDeleted);
    // Another handle of the same appointment learns it at its next save or delete.
    EXPECT_EQ(errorOf([&] { other.Save(); }), ErrItemDeleted);
    EXPECT_EQ(errorOf([&] { other.Delete(); }), ErrItemDeleted);
}

TEST_F(ModelTest, UnknownEntryIdsAreNotFound)
{
    addSaved(QStringLiteral("Some"), at(2024, 2, 9, 8, 0));
    NameSpace ns = app().GetNamespace(QStringLiteral("MAPI"));
    EXPECT_EQ(errorOf([&] { ns.GetItemFromID(QStringLiteral("no-such-id")); }), ErrItemNotFound);
    EXPECT_EQ(errorOf([&] { ns.GetItemFromID(QString()); }), ErrItemNotFound);
}

TEST_F(ModelTest, AnUnsavedAppointmentCanBeDroppedOnce)
{
    AppointmentItem item = calendarItems().Add();
    item.Delete();
    EXPECT_EQ(errorOf([&] { item.Save(); }), ErrItemDeleted);
    EXPECT_FALSE(QFile::exists(m_path));
}

TEST_F(ModelTest, TwoHandlesSaveTheirOwnFieldsWithoutLosingTheOther)
{
    const QString id = addSaved(QStringLiteral("Plan"), at(2024, 2, 10, 9, 0)).EntryID();
    NameSpace ns = app().GetNamespace(QStringLiteral("MAPI"));
    AppointmentItem a = ns.GetItemFromID(id);
    AppointmentItem b = ns.GetItemFromID(id);
    a.setSubject(QStringLiteral("Plan B"));
    b.setBody(QStringLiteral("Room 4"));
    a.Save();
    b.Save();
    EXPECT_EQ(b.Subject(), QStringLiteral("Plan B"));
    AppointmentItem c = ns.GetItemFromID(id);
    EXPECT_EQ(c.Subject(), QStringLiteral("Plan B"));
    EXPECT_EQ(c.Body(), QStringLiteral("Room 4"));
}

TEST_F(ModelTest, FieldValuesAreChecked)
{
    AppointmentItem item = calendarItems().Add();
    for (int status : {NonMeeting, Meeting, MeetingReceived, MeetingCanceled, MeetingReceivedAndCanceled}) {
        item.setMeetingStatus(status);
        EXPECT_EQ(item.MeetingStatus(), status);
    }
    for (int status : {-1, 2, 4, 8})
        EXPECT_EQ(errorOf([&] { item.setMeetingStatus(status); }), ErrInvalidArgument) << status;
    EXPECT_EQ(errorOf([&] { item.setStart(QDateTime()); }), ErrInvalidArgument);
    EXPECT_EQ(errorOf([&] { item.setStart(at(3001, 1, 1)); }), ErrInvalidArgument);
}

TEST_F(ModelTest, DisplayGoesThroughTheApplicationsWindow)
{
    AppointmentItem item = addSaved(QStringLiteral("Shown"), at(2024, 2, 11, 9, 0));
    EXPECT_EQ(errorOf([&] { item.Display(true); }), ErrNoDisplay);

    ApplicationOptions o = options();
    int calls = 0;
    bool modalSeen = false;
    o.display = [&](AppointmentItem& shown, bool modal) {
        ++calls;
        modalSeen = modal;
        // The window edits the very item the caller holds.
        shown.setSubject(QStringLiteral("Edited in the window"));
        shown.Save();
    };
    auto a = Application::create(o);
    ASSERT_TRUE(a);
    AppointmentItem opened = a->GetNamespace(QStringLiteral("MAPI")).GetItemFromID(item.EntryID());
    const QDateTime before = opened.LastModificationTime();
    m_now = m_now.addSecs(60);
    opened.Display(true);
    EXPECT_EQ(calls, 1);
    EXPECT_TRUE(modalSeen);
    EXPECT_EQ(opened.Subject(), QStringLiteral("Edited in the window"));
    EXPECT_GT(opened.LastModificationTime(), before);
}

TEST_F(ModelTest, APatternOfASingleAppointmentDoesNotMakeItRecurring)
{
    AppointmentItem item = addSaved(QStringLiteral("Once"), at(2024, 2, 14, 16, 0)); // a Wednesday
    const QDateTime modified = item.LastModificationTime();
    RecurrencePattern p = item.GetRecurrencePattern();
    EXPECT_FALSE(item.IsRecurring());
    EXPECT_EQ(p.RecurrenceType(), RecursWeekly);
    EXPECT_EQ(p.DayOfWeekMask(), 1 << 3);
    EXPECT_EQ(p.Interval(), 1);
    EXPECT_EQ(p.PatternStartDate(), QDate(2024, 2, 14));
    m_now = m_now.addSecs(60);
    item.Save();
    EXPECT_FALSE(item.IsRecurring());
    EXPECT_EQ(item.LastModificationTime(), modified);
    EXPECT_FALSE(fileBytes().contains("RRULE"));
}

} // namespace
