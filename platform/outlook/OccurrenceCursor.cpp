#include "platform/outlook/OccurrenceCursor.h"

#include "platform/outlook/IcalTime.h"

#include <QSet>

#include <algorithm>

namespace torvane::outlook {

namespace {

icaltimetype resolved(icalcomponent* event, icalproperty* p, icaltimetype t)
{
    icalcomponent* root = icalcomponent_get_parent(event);
    return resolveZone(t, p, root);
}

QDateTime startOf(icalcomponent* event)
{
    icalproperty* p = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
    if (!p)
        return {};
    return localFromIcal(resolved(event, p, icalproperty_get_datetime_with_component(p, event)));
}

} // namespace

bool isSeries(icalcomponent* event)
{
    return icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY)
        || icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY);
}

class OccurrenceCursor::Source {
public:
    Source(icalcomponent* component, QString uid, bool occurrence)
        : m_component(component), m_uid(std::move(uid)), m_occurrence(occurrence)
    {
    }
    virtual ~Source() = default;
    // The next start in the range, ascending; nothing when done.
    virtual std::optional<QDateTime> next() = 0;

    FoundItem item(const QDateTime& start) const { return FoundItem{m_component, m_uid, start, m_occurrence}; }

private:
    icalcomponent* m_component;
    QString m_uid;
    bool m_occurrence;
};

namespace {

class SingleSource final : public OccurrenceCursor::Source {
public:
    SingleSource(icalcomponent* c, QString uid, bool occurrence, QDateTime start, const StartRange& range)
        : Source(c, std::move(uid), occurrence), m_start(std::move(start)), m_done(!range.contains(m_start))
    {
    }
    std::optional<QDateTime> next() override
    {
        if (m_done)
            return std::nullopt;
        m_done = true;
        return m_start;
    }

private:
    QDateTime m_start;
    bool m_done;
};

// The occurrences of one series: its rules' instances merged with its extra dates, without
// its excluded dates and without the occurrences that were changed on their own.
class SeriesSource final : public OccurrenceCursor::Source {
public:
    SeriesSource(icalcomponent* event, QString uid, const StartRange& range, QSet<QDateTime> replaced)
        : Source(event, std::move(uid), true), m_range(range), m_excluded(std::move(replaced))
    {
        icalproperty* dtstartProp = icalcomponent_get_first_property(event, ICAL_DTSTART_PROPERTY);
        if (!dtstartProp)
            return;
        m_dtstart = resolved(event, dtstartProp, icalproperty_get_datetime_with_component(dtstartProp, event));
        const QDateTime first = localFromIcal(m_dtstart);
        if (!first.isValid())
            return;

        bool hasRule = false;
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RRULE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RRULE_PROPERTY)) {
            hasRule = true;
            icalrecur_iterator* it = icalrecur_iterator_new(icalproperty_get_rrule(p), m_dtstart);
            icalerror_clear_errno();
            if (it)
                m_rules.push_back(Rule{IcalRecurIteratorPtr(it), std::nullopt, false});
        }
        // Without a rule the start itself is the first instance (with a rule libical decides).
        if (!hasRule)
            m_dates.push_back(first);
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_RDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_RDATE_PROPERTY)) {
            const icaldatetimeperiodtype dp = icalproperty_get_rdate(p);
            const icaltimetype t = icaltime_is_null_time(dp.time) ? dp.period.start : dp.time;
            const QDateTime local = localFromIcal(resolved(event, p, t));
            if (local.isValid())
                m_dates.push_back(local);
        }
        std::sort(m_dates.begin(), m_dates.end());
        for (icalproperty* p = icalcomponent_get_first_property(event, ICAL_EXDATE_PROPERTY); p;
             p = icalcomponent_get_next_property(event, ICAL_EXDATE_PROPERTY)) {
            const icaltimetype t = resolved(event, p, icalproperty_get_exdate(p));
            const QDateTime local = localFromIcal(t);
            if (!local.isValid())
                continue;
            if (t.is_date)
                m_excludedDays.insert(local.date());
            else
                m_excluded.insert(local);
        }
    }

    std::optional<QDateTime> next() override
    {
        for (;;) {
            // The earliest of the rule heads and the next listed date.
            Rule* best = nullptr;
            for (Rule& r : m_rules) {
                fill(r);
                if (r.head && (!best || *r.head < *best->head))
                    best = &r;
            }
            const bool dateFirst = m_datePos < m_dates.size() && (!best || m_dates[m_datePos] <= *best->head);
            QDateTime t;
            if (dateFirst) {
                t = m_dates[m_datePos++];
            } else if (best) {
                t = *best->head;
                best->head.reset();
            } else {
                return std::nullopt;
            }
            if (m_last && t == *m_last)
                continue;
            m_last = t;
            if (m_excluded.contains(t) || m_excludedDays.contains(t.date()) || m_range.beforeStart(t))
                continue;
            if (m_range.afterEnd(t)) {
                // Everything later is out of range too.
                m_rules.clear();
                m_datePos = m_dates.size();
                return std::nullopt;
            }
            return t;
        }
    }

private:
    struct Rule {
        IcalRecurIteratorPtr it;
        std::optional<QDateTime> head;
        bool done;
    };

    void fill(Rule& r)
    {
        while (!r.head && !r.done) {
            if (++m_steps > OccurrenceCursor::SeriesStepBudget) {
                r.done = true;
                break;
            }
            icaltimetype t = icalrecur_iterator_next(r.it.get());
            icalerror_clear_errno();
            if (icaltime_is_null_time(t)) {
                r.done = true;
                break;
            }
            if (!t.is_date && !icaltime_is_utc(t) && t.zone == nullptr)
                t.zone = m_dtstart.zone;
            const QDateTime local = localFromIcal(t);
            if (local.isValid())
                r.head = local;
        }
    }

    StartRange m_range;
    icaltimetype m_dtstart = icaltime_null_time();
    std::vector<Rule> m_rules;
    std::vector<QDateTime> m_dates;
    size_t m_datePos = 0;
    QSet<QDateTime> m_excluded;
    QSet<QDate> m_excludedDays;
    std::optional<QDateTime> m_last;
    int m_steps = 0;
};

} // namespace

OccurrenceCursor::OccurrenceCursor(std::shared_ptr<const CalendarData> data, StartRange range,
                                   bool includeRecurrences, bool sorted)
    : m_data(std::move(data)), m_range(std::move(range)), m_merging(includeRecurrences)
{
    const auto& events = m_data->events();
    if (!includeRecurrences) {
        for (const auto& e : events) {
            if (m_data->master(e.uid) != e.component)
                continue;
            const QDateTime start = startOf(e.component);
            if (m_range.contains(start))
                m_list.push_back(FoundItem{e.component, e.uid, start, false});
        }
        if (sorted)
            std::stable_sort(m_list.begin(), m_list.end(),
                             [](const FoundItem& a, const FoundItem& b) { return a.start < b.start; });
        return;
    }

    // Occurrences changed on their own replace the series' instance at their RECURRENCE-ID.
    QHash<QString, QSet<QDateTime>> replaced;
    for (const auto& e : events) {
        if (!e.exception || m_data->master(e.uid) == e.component)
            continue;
        icalproperty* p = icalcomponent_get_first_property(e.component, ICAL_RECURRENCEID_PROPERTY);
        const QDateTime id = localFromIcal(resolved(e.component, p, icalproperty_get_recurrenceid(p)));
        if (id.isValid())
            replaced[e.uid].insert(id);
    }
    for (const auto& e : events) {
        icalcomponent* master = m_data->master(e.uid);
        std::unique_ptr<Source> source;
        if (master == e.component && isSeries(e.component))
            source = std::make_unique<SeriesSource>(e.component, e.uid, m_range, replaced.value(e.uid));
        else
            source = std::make_unique<SingleSource>(e.component, e.uid, master != e.component, startOf(e.component),
                                                    m_range);
        m_sources.push_back(std::move(source));
        push(m_sources.back().get(), m_sources.size() - 1);
    }
}

OccurrenceCursor::~OccurrenceCursor() = default;

void OccurrenceCursor::push(Source* s, size_t order)
{
    if (auto t = s->next())
        m_heads.push(Head{*t, order, s});
}

std::optional<FoundItem> OccurrenceCursor::next()
{
    if (!m_merging) {
        if (m_listPos >= m_list.size())
            return std::nullopt;
        return m_list[m_listPos++];
    }
    if (m_heads.empty())
        return std::nullopt;
    const Head h = m_heads.top();
    m_heads.pop();
    FoundItem found = h.source->item(h.start);
    push(h.source, h.order);
    return found;
}

} // namespace torvane::outlook
