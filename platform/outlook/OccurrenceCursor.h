// Walks the appointments of a calendar whose start lies in a range, one at a time.
//
// Without recurrences every event is one item at its own start, in file order or, sorted,
// by start. With recurrences every occurrence of a series in the range is an item of its own
// (the occurrences libical's rule iterator gives, plus RDATEs, less EXDATEs and the
// occurrences that were changed on their own, which come as items of their own); they come in
// ascending start, ties in file order. Series are expanded lazily, so a series without end
// and a range without end do not hang: each series gives up after a fixed number of steps.
#pragma once

#include "platform/outlook/CalendarData.h"
#include "platform/outlook/ItemFilter.h"

#include <QDateTime>

#include <memory>
#include <optional>
#include <queue>
#include <vector>

namespace torvane::outlook {

struct FoundItem {
    icalcomponent* component = nullptr; // the event, or the changed occurrence
    QString uid;
    QDateTime start;
    bool occurrence = false; // one occurrence of a series
};

class OccurrenceCursor {
public:
    // Rule iterator steps one series may take per walk (a daily series of some 500 years).
    static constexpr int SeriesStepBudget = 200000;

    OccurrenceCursor(std::shared_ptr<const CalendarData> data, StartRange range, bool includeRecurrences,
                     bool sorted);
    ~OccurrenceCursor();
    OccurrenceCursor(const OccurrenceCursor&) = delete;
    OccurrenceCursor& operator=(const OccurrenceCursor&) = delete;

    std::optional<FoundItem> next();
    const std::shared_ptr<const CalendarData>& data() const { return m_data; }

    class Source;

private:
    struct Head {
        QDateTime start;
        size_t order;
        Source* source;
        bool operator>(const Head& o) const { return start != o.start ? start > o.start : order > o.order; }
    };
    void push(Source* s, size_t order);

    std::shared_ptr<const CalendarData> m_data;
    StartRange m_range;
    // Without recurrences: the items, already filtered and ordered.
    std::vector<FoundItem> m_list;
    size_t m_listPos = 0;
    // With recurrences: one source per event, merged by start.
    std::vector<std::unique_ptr<Source>> m_sources;
    std::priority_queue<Head, std::vector<Head>, std::greater<Head>> m_heads;
    bool m_merging = false;
};

// True when the event repeats (RRULE or RDATE).
bool isSeries(icalcomponent* event);

} // namespace torvane::outlook
