// Calendar files as the common desktop and web calendar programs write them: several time
// zones (also after the events that use them), UTC and all-day events, excluded dates and a
// moved occurrence, to-dos and journal entries between the events, alarms and X- properties of
// their own, line feeds without carriage returns. Each is read as libical reads it, and a change
// leaves every other part of the file as it was.
#include "CalendarTestSupport.h"
#include "IndependentCheck.h"

#include <libical/ical.h>

#include <QFile>

#include <algorithm>
#include <memory>

using namespace torvane::outlook;
using namespace torvane::outlook::test;

namespace {

QByteArray calendarFile(const char* name)
{
    QFile f(QStringLiteral(OUTLOOK_CALENDARS_DIR "/") + QString::fromLatin1(name));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error(std::string("missing test calendar ") + name);
    return f.readAll();
}

// The file as a reader sees its top level: each line outside the components, each component
// whole, in the file's order.
std::vector<QByteArray> topLevelBlocks(const QByteArray& bytes)
{
    std::vector<QByteArray> blocks;
    int depth = 0;
    for (qsizetype from = 0; from < bytes.size();) {
        const qsizetype newline = bytes.indexOf('\n', from);
        const qsizetype end = newline < 0 ? bytes.size() : newline + 1;
        const QByteArray line = bytes.mid(from, end - from);
        from = end;
        if (depth >= 2)
            blocks.back() += line;
        else
            blocks.push_back(line);
        if (line.startsWith("BEGIN:"))
            ++depth;
        else if (line.startsWith("END:"))
            --depth;
    }
    return blocks;
}

bool isSeriesOrSingle(const QByteArray& block, const QByteArray& uid)
{
    return block.startsWith("BEGIN:VEVENT") && block.contains("\nUID:" + uid + (block.contains('\r') ? "\r\n" : "\n"))
        && !block.contains("\nRECURRENCE-ID");
}

// What libical reads in a component, property by property and alarm by alarm, but for what a
// new subject changes and libical's notes on lines it could not read.
std::vector<std::string> libicalView(const QByteArray& component)
{
    std::unique_ptr<icalcomponent, void (*)(icalcomponent*)> c(icalparser_parse_string(component.constData()),
                                                                icalcomponent_free);
    std::vector<std::string> out;
    for (icalproperty* p = icalcomponent_get_first_property(c.get(), ICAL_ANY_PROPERTY); p;
         p = icalcomponent_get_next_property(c.get(), ICAL_ANY_PROPERTY)) {
        const icalproperty_kind kind = icalproperty_isa(p);
        if (kind != ICAL_SUMMARY_PROPERTY && kind != ICAL_DTSTAMP_PROPERTY && kind != ICAL_LASTMODIFIED_PROPERTY
            && kind != ICAL_XLICERROR_PROPERTY)
            out.push_back(icalproperty_as_ical_string(p));
    }
    for (icalcomponent* inner = icalcomponent_get_first_component(c.get(), ICAL_ANY_COMPONENT); inner;
         inner = icalcomponent_get_next_component(c.get(), ICAL_ANY_COMPONENT))
        out.push_back(icalcomponent_as_ical_string(inner));
    std::sort(out.begin(), out.end());
    return out;
}

// Every top-level part of the written file is the original's, in the original's order, but for
// the series or single event changedUid, which libical wrote anew and which says what it said
// but for its subject, and the event addedUid just before the calendar's end.
void expectKeptButFor(const QByteArray& original, const QByteArray& written, const QByteArray& changedUid,
                      const QByteArray& addedUid)
{
    const auto before = topLevelBlocks(original);
    const auto after = topLevelBlocks(written);
    ASSERT_EQ(after.size(), before.size() + 1) << written.toStdString();
    int changed = 0;
    for (size_t i = 0; i + 1 < before.size(); ++i) {
        if (!isSeriesOrSingle(before[i], changedUid)) {
            EXPECT_EQ(after[i], before[i]);
            continue;
        }
        ++changed;
        EXPECT_TRUE(after[i].contains(":Changed here")) << after[i].toStdString();
        EXPECT_EQ(libicalView(after[i]), libicalView(before[i]));
    }
    EXPECT_EQ(changed, 1);
    EXPECT_TRUE(isSeriesOrSingle(after[after.size() - 2], addedUid)) << written.toStdString();
    EXPECT_EQ(after.back(), before.back());
    // The file's line ends, also in what libical wrote.
    EXPECT_EQ(written.count("\r\n"), original.contains("\r\n") ? written.count('\n') : 0);
}

struct ForeignFile {
    const char* file;
    QDateTime from;
    QDateTime to;
    // What the object model finds from `from` to `to`, worked out by hand.
    QStringList occurrences;
    const char* changedUid;
};

void PrintTo(const ForeignFile& f, std::ostream* os)
{
    *os << f.file;
}

class ForeignFileTest : public CalendarTest, public ::testing::WithParamInterface<ForeignFile> {};

TEST_P(ForeignFileTest, IsReadAsLibicalReadsItAndKeptWhereNothingChanged)
{
    const ForeignFile& p = GetParam();
    const QByteArray original = calendarFile(p.file);
    writeFile(original);

    // Every event and occurrence as libical itself expands them, and the times in this zone.
    expectIndependentlyValid(m_path, p.from, p.to);
    Items items = calendarItems();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    QStringList seen;
    for (const auto& item : findAll(items, rangeFilter(p.from, p.to)))
        seen << item.Start().toString(QStringLiteral("dd.MM. HH:mm ")) + item.Subject();
    EXPECT_EQ(seen, p.occurrences);

    // One event changed, one added.
    NameSpace n = app().GetNamespace(QStringLiteral("MAPI"));
    AppointmentItem changed = n.GetItemFromID(QString::fromLatin1(p.changedUid));
    changed.setSubject(QStringLiteral("Changed here"));
    changed.Save();
    const QString added = addSaved(QStringLiteral("Added here"), at(2024, 3, 20, 12, 0)).EntryID();

    expectKeptButFor(original, fileBytes(), p.changedUid, added.toUtf8());
    expectIndependentlyValid(m_path, p.from, p.to);
}

INSTANTIATE_TEST_SUITE_P(
    Programs, ForeignFileTest,
    ::testing::Values(
        // New York is on summer time from 10 March, Berlin only from 31 March.
        ForeignFile{"two-zones.ics",
                    at(2024, 3, 1),
                    at(2024, 4, 30),
                    {"04.03. 09:00 Stand-up", "11.03. 09:00 Stand-up", "12.03. 15:00 Call with the New York office",
                     "14.03. 16:00 Review", "26.03. 14:00 Stand-up (Tuesday this week)", "29.03. 00:00 Good Friday",
                     "01.04. 09:00 Stand-up", "08.04. 09:00 Stand-up", "15.04. 09:00 Stand-up",
                     "22.04. 09:00 Stand-up"},
                    "ny-call@desk.example"},
        // 18:30 in New York is half past midnight of the next day here.
        ForeignFile{"zones-after-events.ics",
                    at(2024, 3, 1),
                    at(2024, 9, 30),
                    {"28.03. 10:00 Visit in London", "02.04. 00:30 Club night", "10.04. 19:00 Dentist",
                     "15.04. 00:00 Sam's birthday", "03.07. 01:00 Club night (Tuesday, after the holiday)",
                     "06.08. 00:30 Club night"},
                    "club-night@web.example"}));

// A to-do or a journal entry is only ever written back as the file has it, so what libical
// cannot read or keep there does not stand in the way; the same goes for the calendar's own
// properties. An empty text in an event says nothing and is no reason to refuse it either.
TEST_F(ForeignFileTest, OnlyEventsAndTimeZonesNeedToBeKeptByLibical)
{
    m_checkFile = false; // libical reports the to-do's lines, as it should
    const QByteArray original = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Example//Notes//EN\r\n"
                                "X-WR-CALDESC:\r\n"
                                "BEGIN:VTODO\r\nUID:t\r\nDTSTAMP:20240101T000000Z\r\nx-lower-case:1\r\n"
                                "X-OTHER-LIST;VALUE=TEXT:one, two\r\nCATEGORIES:Work\\, urgent,Home\r\nEND:VTODO\r\n"
                                "BEGIN:VEVENT\r\nUID:e\r\nDTSTAMP:20240101T000000Z\r\nDTSTART:20240301T100000\r\n"
                                "SUMMARY:Event\r\nDESCRIPTION:\r\nLOCATION:\r\nEND:VEVENT\r\n"
                                "BEGIN:VJOURNAL\r\nUID:j\r\nDTSTAMP:20240101T000000Z\r\nDESCRIPTION:Dial\\: 555\r\n"
                                "END:VJOURNAL\r\nEND:VCALENDAR\r\n";
    writeFile(original);
    AppointmentItem event = app().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(QStringLiteral("e"));
    EXPECT_EQ(event.Body(), QString());
    event.setSubject(QStringLiteral("Changed here"));
    event.Save();
    const QString added = addSaved(QStringLiteral("Added here"), at(2024, 3, 20, 12, 0)).EntryID();
    expectKeptButFor(original, fileBytes(), "e", added.toUtf8());
}

} // namespace
