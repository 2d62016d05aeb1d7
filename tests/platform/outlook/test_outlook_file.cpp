// The calendar file: round trips, files of other programs, files that cannot be read, files
// another program changes, and atomic writing.
#include "CalendarTestSupport.h"

#include "platform/outlook/CalendarPath.h"
#include "platform/outlook/RecurrenceRule.h"
#include "platform/registry/Registry.h"

#include <libical/ical.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QSet>

#include <csignal>
#include <sys/resource.h>

using namespace torvane::outlook;
using namespace torvane::outlook::test;

namespace {

// A calendar as another program writes it: its own time zone definition, an event in that
// zone, one in UTC, an all-day event, a series with an excluded date and one occurrence moved,
// a to-do, an alarm of its own, attendees, X- properties with parameters.
const QByteArray ForeignCalendar = "BEGIN:VCALENDAR\r\n"
                                   "PRODID:-//Other//Calendar 5.1//EN\r\n"
                                   "VERSION:2.0\r\n"
                                   "CALSCALE:GREGORIAN\r\n"
                                   "X-WR-CALNAME;X-OTHER-PARAM=1:Private\r\n"
                                   "BEGIN:VTIMEZONE\r\n"
                                   "TZID:America/New_York\r\n"
                                   "BEGIN:STANDARD\r\n"
                                   "DTSTART:19701101T020000\r\n"
                                   "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU\r\n"
                                   "TZOFFSETFROM:-0400\r\n"
                                   "TZOFFSETTO:-0500\r\n"
                                   "TZNAME:EST\r\n"
                                   "END:STANDARD\r\n"
                                   "BEGIN:DAYLIGHT\r\n"
                                   "DTSTART:19700308T020000\r\n"
                                   "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU\r\n"
                                   "TZOFFSETFROM:-0500\r\n"
                                   "TZOFFSETTO:-0400\r\n"
                                   "TZNAME:EDT\r\n"
                                   "END:DAYLIGHT\r\n"
                                   "END:VTIMEZONE\r\n"
                                   "BEGIN:VEVENT\r\n"
                                   "UID:zoned@other\r\n"
                                   "DTSTAMP:20240101T120000Z\r\n"
                                   "DTSTART;TZID=America/New_York:20240306T090000\r\n"
                                   "DTEND;TZID=America/New_York:20240306T100000\r\n"
                                   "SUMMARY;LANGUAGE=en:Call with New York\r\n"
                                   "ORGANIZER;CN=Pat:mailto:pat@example.org\r\n"
                                   "ATTENDEE;CN=Lee;PARTSTAT=ACCEPTED:mailto:lee@example.org\r\n"
                                   "X-OTHER-COLOR;X-SHADE=dark:blue\r\n"
                                   "BEGIN:VALARM\r\n"
                                   "ACTION:AUDIO\r\n"
                                   "TRIGGER:-PT5M\r\n"
                                   "END:VALARM\r\n"
                                   "END:VEVENT\r\n"
                                   "BEGIN:VEVENT\r\n"
                                   "UID:utc@other\r\n"
                                   "DTSTAMP:20240101T120000Z\r\n"
                                   "DTSTART:20240307T150000Z\r\n"
                                   "SUMMARY:UTC meeting\r\n"
                                   "END:VEVENT\r\n"
                                   "BEGIN:VEVENT\r\n"
                                   "UID:allday@other\r\n"
                                   "DTSTAMP:20240101T120000Z\r\n"
                                   "DTSTART;VALUE=DATE:20240308\r\n"
                                   "DTEND;VALUE=DATE:20240309\r\n"
                                   "SUMMARY:Holiday\r\n"
                                   "TRANSP:TRANSPARENT\r\n"
                                   "CLASS:X-FAMILY-ONLY\r\n"
                                   "END:VEVENT\r\n"
                                   "BEGIN:VEVENT\r\n"
                                   "UID:series@other\r\n"
                                   "DTSTAMP:20240101T120000Z\r\n"
                                   "DTSTART:20240304T070000\r\n"
                                   "RRULE:FREQ=DAILY;COUNT=5\r\n"
                                   "EXDATE:20240306T070000\r\n"
                                   "SUMMARY:Run\r\n"
                                   "END:VEVENT\r\n"
                                   "BEGIN:VEVENT\r\n"
                                   "UID:series@other\r\n"
                                   "DTSTAMP:20240101T120000Z\r\n"
                                   "RECURRENCE-ID:20240307T070000\r\n"
                                   "DTSTART:20240307T083000\r\n"
                                   "SUMMARY:Run later\r\n"
                                   "END:VEVENT\r\n"
                                   "BEGIN:VTODO\r\n"
                                   "UID:todo@other\r\n"
                                   "DTSTAMP:20240101T120000Z\r\n"
                                   "SUMMARY:Buy milk\r\n"
                                   "END:VTODO\r\n"
                                   "END:VCALENDAR\r\n";

std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> parse(const QByteArray& bytes)
{
    return {icalparser_parse_string(bytes.constData()), icalcomponent_free};
}

// Every component of a calendar as libical writes it, keyed by kind, UID and RECURRENCE-ID.
QMap<QString, QByteArray> componentTexts(const QByteArray& bytes)
{
    QMap<QString, QByteArray> out;
    auto root = parse(bytes);
    for (icalcomponent* c = icalcomponent_get_first_component(root.get(), ICAL_ANY_COMPONENT); c;
         c = icalcomponent_get_next_component(root.get(), ICAL_ANY_COMPONENT)) {
        QString key = QString::fromLatin1(icalcomponent_kind_to_string(icalcomponent_isa(c)));
        if (const char* uid = icalcomponent_get_uid(c))
            key += u' ' + QString::fromUtf8(uid);
        if (icalproperty* r = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY))
            key += u' ' + QString::fromLatin1(icalproperty_get_value_as_string(r));
        if (icalproperty* tz = icalcomponent_get_first_property(c, ICAL_TZID_PROPERTY))
            key += u' ' + QString::fromLatin1(icalproperty_get_tzid(tz));
        out.insert(key, QByteArray(icalcomponent_as_ical_string(c)));
    }
    return out;
}

QByteArray calendarProperties(const QByteArray& bytes)
{
    auto root = parse(bytes);
    QByteArray out;
    for (icalproperty* p = icalcomponent_get_first_property(root.get(), ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(root.get(), ICAL_ANY_PROPERTY))
        out += icalproperty_as_ical_string(p);
    return out;
}

class FileTest : public CalendarTest {
protected:
    NameSpace ns() const { return app().GetNamespace(QStringLiteral("MAPI")); }
};

TEST_F(FileTest, ARoundTripKeepsEveryField)
{
    AppointmentItem item = calendarItems().Add(AppointmentItemType);
    item.setSubject(QStringLiteral("Meeting; agenda, notes: Müller"));
    item.setBody(QStringLiteral("Line one\nLine two, with comma; and semicolon\\"));
    item.setStart(at(2024, 3, 4, 13, 45));
    item.setMeetingStatus(MeetingReceived);
    item.setReminderSet(true);
    RecurrencePattern p = item.GetRecurrencePattern();
    p.setRecurrenceType(RecursWeekly);
    p.setDayOfWeekMask(2 | 32); // Monday and Friday
    p.setInterval(2);
    item.Save();

    const AppointmentItem back = ns().GetItemFromID(item.EntryID());
    EXPECT_EQ(back.EntryID(), item.EntryID());
    EXPECT_EQ(back.Subject(), item.Subject());
    EXPECT_EQ(back.Body(), item.Body());
    EXPECT_EQ(back.Start(), at(2024, 3, 4, 13, 45));
    EXPECT_EQ(back.MeetingStatus(), MeetingReceived);
    EXPECT_TRUE(back.ReminderSet());
    EXPECT_TRUE(back.IsRecurring());
    EXPECT_EQ(back.LastModificationTime(), item.LastModificationTime());
    AppointmentItem copy = back;
    RecurrencePattern q = copy.GetRecurrencePattern();
    EXPECT_EQ(q.RecurrenceType(), RecursWeekly);
    EXPECT_EQ(q.DayOfWeekMask(), 2 | 32);
    EXPECT_EQ(q.Interval(), 2);
    EXPECT_EQ(q.PatternStartDate(), QDate(2024, 3, 4));
    // The file holds our floating time and our meeting property.
    EXPECT_TRUE(fileBytes().contains("DTSTART:20240304T134500\r\n"));
    EXPECT_TRUE(fileBytes().contains("X-TORVANE-MEETING-STATUS:3"));
}

TEST_F(FileTest, EveryPatternTypeSurvivesTheFile)
{
    for (int type : {RecursDaily, RecursWeekly, RecursMonthly, RecursMonthNth, RecursYearly, RecursYearNth}) {
        AppointmentItem item = calendarItems().Add();
        item.setStart(at(2024, 1, 9, 19, 0)); // the second Tuesday of January
        RecurrencePattern p = item.GetRecurrencePattern();
        p.setRecurrenceType(type);
        p.setInterval(3);
        item.Save();
        AppointmentItem back = ns().GetItemFromID(item.EntryID());
        RecurrencePattern q = back.GetRecurrencePattern();
        EXPECT_EQ(q.RecurrenceType(), type);
        EXPECT_EQ(q.Interval(), 3) << type;
        EXPECT_EQ(q.DayOfWeekMask(), p.DayOfWeekMask()) << type;
        EXPECT_EQ(back.Start(), at(2024, 1, 9, 19, 0)) << type;
    }
}

TEST_F(FileTest, AMissingFileIsAnEmptyCalendarWrittenAtTheFirstSave)
{
    Items items = calendarItems();
    EXPECT_FALSE(items.Find(rangeFilter(at(1990, 1, 1), at(2030, 1, 1))).has_value());
    EXPECT_FALSE(QFile::exists(m_path));
    addSaved(QStringLiteral("first"), at(2024, 3, 1, 8, 0));
    EXPECT_TRUE(QFile::exists(m_path));
    // Nothing is left behind from the atomic write.
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("calendar.ics")});
}

TEST_F(FileTest, TheDefaultFileLivesInTheDataFolder)
{
    ASSERT_FALSE(qEnvironmentVariable("XDG_DATA_HOME").isEmpty());
    const QString expected = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/torvane/calendar.ics");
    EXPECT_EQ(defaultCalendarFilePath(), expected);
    auto a = Application::create();
    ASSERT_TRUE(a);
    EXPECT_EQ(a->calendarPath(), calendarFilePath());
}

TEST_F(FileTest, TheRegistryCanNameAnotherFile)
{
    const QString elsewhere = m_dir.filePath(QStringLiteral("shared/Kalender für alle.ics"));
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, "Software\\Torvane\\Calendar", "CalendarFile",
                                    QFile::encodeName(elsewhere).toStdString()),
              ERROR_SUCCESS);
    EXPECT_EQ(calendarFilePath(), elsewhere);
    ApplicationOptions o = options();
    o.calendarPath.clear();
    auto a = Application::create(o);
    ASSERT_TRUE(a);
    EXPECT_EQ(a->calendarPath(), elsewhere);
    AppointmentItem item = calendarItems(*a).Add();
    item.Save();
    EXPECT_TRUE(QFile::exists(elsewhere));
    EXPECT_FALSE(QFile::exists(m_path));

    // An empty value leaves the default.
    ASSERT_EQ(torvane::registry::writeString(HKEY_CURRENT_USER, "Software\\Torvane\\Calendar", "CalendarFile", ""),
              ERROR_SUCCESS);
    EXPECT_EQ(calendarFilePath(), defaultCalendarFilePath());
}

TEST_F(FileTest, AFileOfAnotherProgramIsReadWithoutLoss)
{
    writeFile(ForeignCalendar);
    NameSpace n = ns();
    const AppointmentItem zoned = n.GetItemFromID(QStringLiteral("zoned@other"));
    // 09:00 in New York on 6 March (EST, UTC-5) is 15:00 in Berlin (CET).
    EXPECT_EQ(zoned.Start(), at(2024, 3, 6, 15, 0));
    EXPECT_EQ(zoned.Subject(), QStringLiteral("Call with New York"));
    EXPECT_TRUE(zoned.ReminderSet());
    EXPECT_EQ(n.GetItemFromID(QStringLiteral("utc@other")).Start(), at(2024, 3, 7, 16, 0));
    const AppointmentItem allDay = n.GetItemFromID(QStringLiteral("allday@other"));
    EXPECT_EQ(allDay.Start(), at(2024, 3, 8, 0, 0));
    EXPECT_FALSE(allDay.IsRecurring());

    Items items = calendarItems();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    QStringList seen;
    for (const auto& item : findAll(items, rangeFilter(at(2024, 3, 1), at(2024, 3, 31))))
        seen << item.Start().toString(QStringLiteral("dd. HH:mm ")) + item.Subject();
    EXPECT_EQ(seen, (QStringList{"04. 07:00 Run", "05. 07:00 Run", "06. 15:00 Call with New York",
                                 "07. 08:30 Run later", "07. 16:00 UTC meeting", "08. 00:00 Holiday", "08. 07:00 Run"}));
}

TEST_F(FileTest, WritingBackKeepsWhatTheModelDoesNotKnow)
{
    writeFile(ForeignCalendar);
    const auto before = componentTexts(ForeignCalendar);
    AppointmentItem holiday = ns().GetItemFromID(QStringLiteral("allday@other"));
    holiday.setSubject(QStringLiteral("Public holiday"));
    holiday.Save();

    const QByteArray written = fileBytes();
    const auto after = componentTexts(written);
    EXPECT_EQ(after.keys(), before.keys());
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() == QStringLiteral("VEVENT allday@other"))
            continue;
        EXPECT_EQ(after.value(it.key()), it.value()) << it.key().toStdString();
    }
    EXPECT_EQ(calendarProperties(written), calendarProperties(ForeignCalendar));
    const QByteArray changed = after.value(QStringLiteral("VEVENT allday@other"));
    EXPECT_TRUE(changed.contains("SUMMARY:Public holiday"));
    EXPECT_TRUE(changed.contains("DTSTART;VALUE=DATE:20240308"));
    EXPECT_TRUE(changed.contains("TRANSP:TRANSPARENT"));
    EXPECT_TRUE(changed.contains("CLASS:X-FAMILY-ONLY"));
    EXPECT_TRUE(changed.contains("LAST-MODIFIED:"));
}

TEST_F(FileTest, MovedTimesKeepTheirForm)
{
    writeFile(ForeignCalendar);
    NameSpace n = ns();
    AppointmentItem zoned = n.GetItemFromID(QStringLiteral("zoned@other"));
    zoned.setStart(at(2024, 3, 13, 14, 0)); // 09:00 in New York, which has summer time by then
    zoned.Save();
    AppointmentItem utc = n.GetItemFromID(QStringLiteral("utc@other"));
    utc.setStart(at(2024, 3, 8, 10, 0));
    utc.Save();
    AppointmentItem allDay = n.GetItemFromID(QStringLiteral("allday@other"));
    allDay.setStart(at(2024, 3, 11, 0, 0));
    allDay.Save();

    const auto texts = componentTexts(fileBytes());
    const QByteArray z = texts.value(QStringLiteral("VEVENT zoned@other"));
    EXPECT_TRUE(z.contains("DTSTART;TZID=America/New_York:20240313T090000")) << z.toStdString();
    EXPECT_TRUE(z.contains("DTEND;TZID=America/New_York:20240313T100000")) << z.toStdString();
    EXPECT_TRUE(texts.value(QStringLiteral("VEVENT utc@other")).contains("DTSTART:20240308T090000Z"));
    const QByteArray d = texts.value(QStringLiteral("VEVENT allday@other"));
    EXPECT_TRUE(d.contains("DTSTART;VALUE=DATE:20240311")) << d.toStdString();
    EXPECT_TRUE(d.contains("DTEND;VALUE=DATE:20240312")) << d.toStdString();

    // An all-day event given a time of day becomes a timed event of the same length.
    allDay.setStart(at(2024, 3, 11, 10, 0));
    allDay.Save();
    const QByteArray timed = componentTexts(fileBytes()).value(QStringLiteral("VEVENT allday@other"));
    EXPECT_TRUE(timed.contains("DTSTART:20240311T100000\r\n")) << timed.toStdString();
    EXPECT_TRUE(timed.contains("DTEND:20240312T100000\r\n")) << timed.toStdString();
}

TEST_F(FileTest, ChangingASeriesOfAnotherProgramKeepsItsRuleUnlessThePatternChanges)
{
    writeFile(ForeignCalendar);
    AppointmentItem series = ns().GetItemFromID(QStringLiteral("series@other"));
    EXPECT_TRUE(series.IsRecurring());
    EXPECT_EQ(series.GetRecurrencePattern().RecurrenceType(), RecursDaily);
    series.setSubject(QStringLiteral("Morning run"));
    series.Save();
    EXPECT_TRUE(fileBytes().contains("RRULE:FREQ=DAILY;COUNT=5"));
    EXPECT_TRUE(fileBytes().contains("RECURRENCE-ID:20240307T070000"));

    series.GetRecurrencePattern().setInterval(2);
    series.Save();
    EXPECT_FALSE(fileBytes().contains("COUNT=5"));
    EXPECT_FALSE(fileBytes().contains("RECURRENCE-ID"));
    EXPECT_TRUE(fileBytes().contains("RRULE:FREQ=DAILY;INTERVAL=2"));
}

TEST_F(FileTest, DeletingASeriesRemovesItsChangedOccurrences)
{
    writeFile(ForeignCalendar);
    ns().GetItemFromID(QStringLiteral("series@other")).Delete();
    EXPECT_FALSE(fileBytes().contains("series@other"));
    EXPECT_TRUE(fileBytes().contains("todo@other"));
}

TEST_F(FileTest, EventsWithoutOrWithDuplicateUidsGetStableIds)
{
    writeFile("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//y//EN\r\n"
              "BEGIN:VEVENT\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240305T100000\r\nSUMMARY:no uid\r\nEND:VEVENT\r\n"
              "BEGIN:VEVENT\r\nUID:same\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240305T110000\r\nSUMMARY:one\r\nEND:VEVENT\r\n"
              "BEGIN:VEVENT\r\nUID:same\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240305T120000\r\nSUMMARY:two\r\nEND:VEVENT\r\n"
              "END:VCALENDAR\r\n");
    auto ids = [&] {
        QStringList out;
        Items items = calendarItems();
        for (const auto& item : findAll(items, rangeFilter(at(2024, 3, 5), at(2024, 3, 5, 23, 59))))
            out << item.EntryID();
        return out;
    };
    const QStringList first = ids();
    ASSERT_EQ(first.size(), 3);
    EXPECT_EQ(first.toVector().size(), QSet<QString>(first.begin(), first.end()).size());
    EXPECT_EQ(ids(), first); // read again: the same ids
    AppointmentItem two = ns().GetItemFromID(first[2]);
    EXPECT_EQ(two.Subject(), QStringLiteral("two"));
    two.setBody(QStringLiteral("kept"));
    two.Save();
    EXPECT_EQ(ids(), first);
    EXPECT_EQ(ns().GetItemFromID(first[0]).Subject(), QStringLiteral("no uid"));
}

const char WithNul[] = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nX-A:b\0c\r\nEND:VCALENDAR\r\n";

struct BrokenCase {
    const char* name;
    QByteArray bytes;
    // What the reason must name.
    const char* names = "";
};

// A calendar with one event that holds line.
QByteArray eventWith(const QByteArray& line)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//x//y//EN\r\nBEGIN:VEVENT\r\nUID:the-event\r\n"
           "DTSTAMP:20240101T000000Z\r\nDTSTART:20240301T100000\r\n"
        + line + "\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

void PrintTo(const BrokenCase& c, std::ostream* os)
{
    *os << c.name;
}

class BrokenFileTest : public CalendarTest, public ::testing::WithParamInterface<BrokenCase> {};

TEST_P(BrokenFileTest, IsNeitherTakenNorWrittenOver)
{
    m_checkFile = false;
    writeFile(GetParam().bytes);
    QString why;
    EXPECT_FALSE(Application::create(options(), &why).has_value());
    EXPECT_FALSE(why.isEmpty());
    EXPECT_TRUE(why.contains(QString::fromUtf8(GetParam().names))) << why.toStdString();

    // A calendar that turns unreadable later stops reads and writes alike.
    writeFile(ForeignCalendar);
    Application a = app();
    Items items = calendarItems(a);
    AppointmentItem item = a.GetNamespace(QStringLiteral("MAPI")).GetItemFromID(QStringLiteral("utc@other"));
    writeFile(GetParam().bytes);
    EXPECT_EQ(errorOf([&] { items.Find(rangeFilter(at(2024, 1, 1), at(2024, 12, 31))); }), ErrCalendarUnreadable);
    item.setSubject(QStringLiteral("changed"));
    EXPECT_EQ(errorOf([&] { item.Save(); }), ErrCalendarUnreadable);
    EXPECT_EQ(errorOf([&] { calendarItems(a).Add().Save(); }), ErrCalendarUnreadable);
    EXPECT_EQ(fileBytes(), GetParam().bytes);

    // Readable again: work goes on.
    writeFile(ForeignCalendar);
    item.Save();
    EXPECT_EQ(a.GetNamespace(QStringLiteral("MAPI")).GetItemFromID(QStringLiteral("utc@other")).Subject(),
              QStringLiteral("changed"));
    m_checkFile = true; // the file is ours again
}

INSTANTIATE_TEST_SUITE_P(
    Contents, BrokenFileTest,
    ::testing::Values(
        BrokenCase{"not a calendar", "Hello, world\r\n"},
        BrokenCase{"a line libical cannot read",
                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\nDTSTART:garbage\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n",
                   "the event \"a\""},
        BrokenCase{"a time zone libical cannot read",
                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Somewhere\r\nBEGIN:STANDARD\r\n"
                   "DTSTART:the first of January\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
                   "END:VTIMEZONE\r\nEND:VCALENDAR\r\n",
                   "the time zone \"Somewhere\""},
        // What libical would change in an event it writes anew.
        BrokenCase{"a parameter libical drops", eventWith("ORGANIZER;CN=Pat;PHONE=555:mailto:pat@example.org"),
                   "ORGANIZER of the event \"the-event\""},
        BrokenCase{"an escape libical reads as a blank", eventWith("DESCRIPTION:Dial\\: 555"), "DESCRIPTION"},
        BrokenCase{"a category holding a comma", eventWith("CATEGORIES:Work\\, urgent,Home"), "CATEGORIES"},
        BrokenCase{"an X- text libical splits in two", eventWith("X-OTHER-LIST;VALUE=TEXT:one, two"), "X-OTHER-LIST"},
        BrokenCase{"an empty value that is no text", eventWith("TRANSP:"), "the event \"the-event\""},
        BrokenCase{"text before the calendar", "notes\r\nBEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"},
        BrokenCase{"text after the calendar", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\nnotes\r\n"},
        BrokenCase{"an END of the wrong component",
                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:X\r\nBEGIN:STANDARD\r\n"
                   "DTSTART:19700101T000000\r\nTZOFFSETFROM:+0100\r\nTZOFFSETTO:+0100\r\nEND:VEVENT\r\n"
                   "END:VTIMEZONE\r\nEND:VCALENDAR\r\n"},
        BrokenCase{"two calendars",
                   "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\nBEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n"},
        BrokenCase{"cut off", "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VEVENT\r\nUID:a\r\n"},
        BrokenCase{"a NUL byte", QByteArray(WithNul, sizeof WithNul - 1)}));

TEST_F(FileTest, APathThatIsNoFileIsRefused)
{
    m_checkFile = false;
    ASSERT_TRUE(QDir().mkpath(m_path)); // a folder where the file should be
    QString why;
    EXPECT_FALSE(Application::create(options(), &why).has_value());
    EXPECT_TRUE(why.contains(m_path));
}

TEST_F(FileTest, AFailedWriteLeavesTheFileAsItWas)
{
    AppointmentItem item = addSaved(QStringLiteral("kept"), at(2024, 3, 1, 8, 0));
    const QByteArray before = fileBytes();
    // The file may not grow: the new contents cannot be written (as root, too).
    std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit old {};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old), 0);
    struct rlimit small = old;
    small.rlim_cur = static_cast<rlim_t>(before.size());
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    item.setBody(QString(4000, u'x'));
    const int error = errorOf([&] { item.Save(); });
    setrlimit(RLIMIT_FSIZE, &old);
    EXPECT_EQ(error, ErrCalendarWrite);
    EXPECT_EQ(fileBytes(), before);
    EXPECT_EQ(QDir(m_dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("calendar.ics")});
    // The change is still pending and goes in once writing works again.
    item.Save();
    EXPECT_EQ(app().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(item.EntryID()).Body().size(), 4000);
}

TEST_F(FileTest, AFolderThatCannotBeMadeFailsTheSave)
{
    // The calendar's folder would have to be where a file is.
    const QString blocker = m_dir.filePath(QStringLiteral("blocker"));
    QFile b(blocker);
    ASSERT_TRUE(b.open(QIODevice::WriteOnly));
    b.close();
    ApplicationOptions o = options();
    o.calendarPath = blocker + QStringLiteral("/calendar.ics");
    auto a = Application::create(o);
    ASSERT_TRUE(a);
    AppointmentItem item = calendarItems(*a).Add();
    EXPECT_EQ(errorOf([&] { item.Save(); }), ErrCalendarWrite);
    EXPECT_TRUE(item.EntryID().isEmpty());
    EXPECT_EQ(QFileInfo(blocker).size(), 0);
}

TEST_F(FileTest, ChangesOfAnotherProgramAreReadAndKept)
{
    Application a = app();
    const QString id = addSaved(QStringLiteral("ours"), at(2024, 3, 1, 8, 0)).EntryID();
    NameSpace n = a.GetNamespace(QStringLiteral("MAPI"));
    AppointmentItem ours = n.GetItemFromID(id);

    // Another program renames our appointment and adds one of its own.
    QByteArray bytes = fileBytes();
    bytes.replace("SUMMARY:ours", "SUMMARY:renamed elsewhere");
    bytes.replace("END:VCALENDAR", "BEGIN:VEVENT\r\nUID:theirs\r\nDTSTAMP:20240101T000000Z\r\n"
                                   "DTSTART:20240302T090000\r\nSUMMARY:theirs\r\nEND:VEVENT\r\nEND:VCALENDAR");
    writeFile(bytes);

    Items items = calendarItems(a);
    items.Sort(QStringLiteral("[Start]"));
    QStringList subjects;
    for (const auto& item : findAll(items, rangeFilter(at(2024, 3, 1), at(2024, 3, 31))))
        subjects << item.Subject();
    EXPECT_EQ(subjects, (QStringList{"renamed elsewhere", "theirs"}));

    // Our handle still holds the old subject but saves only what it changed.
    ours.setBody(QStringLiteral("our note"));
    ours.Save();
    EXPECT_EQ(ours.Subject(), QStringLiteral("renamed elsewhere"));
    const AppointmentItem back = n.GetItemFromID(id);
    EXPECT_EQ(back.Subject(), QStringLiteral("renamed elsewhere"));
    EXPECT_EQ(back.Body(), QStringLiteral("our note"));
    EXPECT_EQ(n.GetItemFromID(QStringLiteral("theirs")).Subject(), QStringLiteral("theirs"));

    // Deleted by the other program: our handle learns it.
    bytes = fileBytes();
    const int begin = bytes.indexOf("BEGIN:VEVENT\r\nUID:theirs");
    ASSERT_GE(begin, 0);
    AppointmentItem theirs = n.GetItemFromID(QStringLiteral("theirs"));
    bytes.remove(begin, bytes.indexOf("END:VEVENT\r\n", begin) + 12 - begin);
    writeFile(bytes);
    EXPECT_EQ(errorOf([&] { theirs.Save(); }), ErrItemDeleted);
    EXPECT_EQ(errorOf([&] { n.GetItemFromID(QStringLiteral("theirs")); }), ErrItemNotFound);
}

} // namespace
