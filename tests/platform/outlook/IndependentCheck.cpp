#include "IndependentCheck.h"

#include "CalendarTestSupport.h"

#include "platform/outlook/Application.h"
#include "platform/outlook/OutlookError.h"

#include <gtest/gtest.h>

#include <libical/ical.h>

#include <QFile>
#include <QMap>
#include <QTimeZone>

#include <algorithm>
#include <memory>
#include <vector>

namespace torvane::outlook::test {

namespace {

struct Freer {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};

// What libical itself says of one event.
struct SeenEvent {
    QString subject;
    QString body;
    int meetingStatus = 0;
    bool alarm = false;
    bool recurring = false;
    QDateTime start;
};

QString text(icalcomponent* c, icalproperty_kind kind)
{
    icalproperty* p = icalcomponent_get_first_property(c, kind);
    return p ? QString::fromUtf8(icalvalue_get_text(icalproperty_get_value(p))) : QString();
}

int meetingStatus(icalcomponent* c)
{
    for (icalproperty* p = icalcomponent_get_first_property(c, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(c, ICAL_X_PROPERTY))
        if (qstrcmp(icalproperty_get_x_name(p), "X-TORVANE-MEETING-STATUS") == 0)
            return QByteArray(icalproperty_get_x(p)).toInt();
    return 0;
}

// Local wall-clock time of a libical time: floating and dates as written, others converted.
QDateTime wallClock(icaltimetype t)
{
    const QDate d(t.year, t.month, t.day);
    if (t.is_date)
        return QDateTime(d, QTime(0, 0));
    const QTime tm(t.hour, t.minute, t.second);
    if (icaltime_is_utc(t))
        return QDateTime(d, tm, QTimeZone::utc()).toLocalTime();
    if (t.zone)
        return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, t.zone));
    return QDateTime(d, tm);
}

struct Expansion {
    icaltimetype dtstart;
    QString uid;
    std::vector<std::pair<QDateTime, QString>>* out;
    const std::vector<QDateTime>* replaced;
};

void collect(icalcomponent*, icaltime_span* span, void* data)
{
    auto* e = static_cast<Expansion*>(data);
    QDateTime start;
    if (e->dtstart.is_date || (!icaltime_is_utc(e->dtstart) && e->dtstart.zone == nullptr)) {
        // libical counts floating times as UTC seconds.
        const QDateTime utc = QDateTime::fromSecsSinceEpoch(span->start, QTimeZone::utc());
        start = QDateTime(utc.date(), utc.time());
    } else {
        start = QDateTime::fromSecsSinceEpoch(span->start);
    }
    if (std::find(e->replaced->begin(), e->replaced->end(), start) == e->replaced->end())
        e->out->push_back({start, e->uid});
}

icaltimetype floatingOf(const QDateTime& t)
{
    icaltimetype v = icaltime_null_time();
    v.year = t.date().year();
    v.month = t.date().month();
    v.day = t.date().day();
    v.hour = t.time().hour();
    v.minute = t.time().minute();
    return v;
}

// libical's view: the series and single events, and every occurrence in the window.
void libicalView(icalcomponent* root, const QDateTime& from, const QDateTime& to, QMap<QString, SeenEvent>& seen,
                 std::vector<std::pair<QDateTime, QString>>& occurrences)
{
    QMap<QString, std::vector<QDateTime>> replaced;
    std::vector<icalcomponent*> masters;
    for (icalcomponent* c = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT); c;
         c = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT)) {
        // RFC 5545 requires these of every event.
        EXPECT_TRUE(icalcomponent_get_first_property(c, ICAL_UID_PROPERTY));
        EXPECT_TRUE(icalcomponent_get_first_property(c, ICAL_DTSTAMP_PROPERTY));
        EXPECT_TRUE(icalcomponent_get_first_property(c, ICAL_DTSTART_PROPERTY));
        const QString uid = QString::fromUtf8(icalcomponent_get_uid(c));
        const icaltimetype start = icalcomponent_get_dtstart(c);
        if (icalproperty* recurrenceId = icalcomponent_get_first_property(c, ICAL_RECURRENCEID_PROPERTY)) {
            // libical's icalcomponent_get_recurrenceid leaves the time zone unresolved.
            replaced[uid].push_back(wallClock(icalproperty_get_datetime_with_component(recurrenceId, c)));
            const QDateTime own = wallClock(start);
            if (own >= from && own <= to)
                occurrences.push_back({own, uid});
            continue;
        }
        EXPECT_FALSE(seen.contains(uid)) << "two events with UID " << uid.toStdString();
        SeenEvent e;
        e.subject = text(c, ICAL_SUMMARY_PROPERTY);
        e.body = text(c, ICAL_DESCRIPTION_PROPERTY);
        e.meetingStatus = meetingStatus(c);
        e.alarm = icalcomponent_get_first_component(c, ICAL_VALARM_COMPONENT) != nullptr;
        e.recurring = icalcomponent_get_first_property(c, ICAL_RRULE_PROPERTY)
            || icalcomponent_get_first_property(c, ICAL_RDATE_PROPERTY);
        e.start = wallClock(start);
        seen.insert(uid, e);
        masters.push_back(c);
    }
    for (icalcomponent* c : masters) {
        const QString uid = QString::fromUtf8(icalcomponent_get_uid(c));
        const auto none = std::vector<QDateTime>();
        const auto it = replaced.constFind(uid);
        Expansion e{icalcomponent_get_dtstart(c), uid, &occurrences, it == replaced.cend() ? &none : &*it};
        // A day more on each side: zoned events are expanded in their zone, filtered below.
        icalcomponent_foreach_recurrence(c, floatingOf(from.addDays(-2)), floatingOf(to.addDays(2)), collect, &e);
    }
    std::erase_if(occurrences, [&](const auto& o) { return o.first < from || o.first > to.addSecs(59); });
    std::sort(occurrences.begin(), occurrences.end());
}

std::unique_ptr<icalcomponent, Freer> parseFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return nullptr;
    return std::unique_ptr<icalcomponent, Freer>(icalparser_parse_string(f.readAll().constData()));
}

} // namespace

void expectIndependentlyValid(const QString& path, const QDateTime& from, const QDateTime& to)
{
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = f.readAll();
    std::unique_ptr<icalcomponent, Freer> root(icalparser_parse_string(bytes.constData()));
    ASSERT_TRUE(root) << "libical cannot read the file:\n" << bytes.toStdString();
    ASSERT_EQ(icalcomponent_isa(root.get()), ICAL_VCALENDAR_COMPONENT);
    ASSERT_EQ(icalcomponent_count_errors(root.get()), 0) << bytes.toStdString();
    EXPECT_EQ(icalrestriction_check(root.get()), 1) << "restriction check failed:\n"
                                                    << icalcomponent_as_ical_string(root.get());
    EXPECT_TRUE(icalcomponent_get_first_property(root.get(), ICAL_PRODID_PROPERTY));
    EXPECT_TRUE(icalcomponent_get_first_property(root.get(), ICAL_VERSION_PROPERTY));

    QMap<QString, SeenEvent> seen;
    std::vector<std::pair<QDateTime, QString>> occurrences;
    libicalView(root.get(), from, to, seen, occurrences);

    // The object model's view of the same file, from a fresh application object.
    ApplicationOptions options;
    options.calendarPath = path;
    options.shortDateTimeFormat = QStringLiteral("dd.MM.yyyy HH:mm");
    QString why;
    auto app = Application::create(options, &why);
    ASSERT_TRUE(app) << why.toStdString();
    NameSpace ns = app->GetNamespace(QStringLiteral("MAPI"));
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        AppointmentItem item = ns.GetItemFromID(it.key());
        EXPECT_EQ(item.EntryID(), it.key());
        EXPECT_EQ(item.Subject(), it->subject) << it.key().toStdString();
        EXPECT_EQ(item.Body(), it->body) << it.key().toStdString();
        EXPECT_EQ(item.MeetingStatus(), it->meetingStatus) << it.key().toStdString();
        EXPECT_EQ(item.ReminderSet(), it->alarm) << it.key().toStdString();
        EXPECT_EQ(item.IsRecurring(), it->recurring) << it.key().toStdString();
        EXPECT_EQ(item.Start(), it->start) << it.key().toStdString();
    }
    Items items = ns.GetDefaultFolder(CalendarFolder).Items();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    const QString filter = QStringLiteral("[Start] >= \"%1\" and [Start] <= \"%2\"")
                               .arg(from.toString(QStringLiteral("dd.MM.yyyy HH:mm")),
                                    to.toString(QStringLiteral("dd.MM.yyyy HH:mm")));
    std::vector<std::pair<QDateTime, QString>> modelOccurrences;
    for (auto item = items.Find(filter); item; item = items.FindNext()) {
        modelOccurrences.push_back({item->Start(), item->EntryID()});
        EXPECT_EQ(item->IsRecurring(), seen.value(item->EntryID()).recurring);
    }
    EXPECT_TRUE(std::is_sorted(modelOccurrences.begin(), modelOccurrences.end(),
                               [](const auto& a, const auto& b) { return a.first < b.first; }));
    std::sort(modelOccurrences.begin(), modelOccurrences.end());
    EXPECT_EQ(modelOccurrences.size(), occurrences.size());
    for (size_t i = 0; i < std::min(modelOccurrences.size(), occurrences.size()); ++i) {
        EXPECT_EQ(modelOccurrences[i].first, occurrences[i].first) << i;
        EXPECT_EQ(modelOccurrences[i].second, occurrences[i].second) << i;
    }
}

std::vector<IcalOccurrence> libicalOccurrences(const QString& path, const QDateTime& from, const QDateTime& to)
{
    std::vector<IcalOccurrence> out;
    const auto root = parseFile(path);
    if (!root)
        return out;
    QMap<QString, SeenEvent> seen;
    std::vector<std::pair<QDateTime, QString>> occurrences;
    libicalView(root.get(), from, to, seen, occurrences);
    for (const auto& [start, uid] : occurrences)
        out.push_back({start, uid, seen.value(uid).subject});
    return out;
}

} // namespace torvane::outlook::test
