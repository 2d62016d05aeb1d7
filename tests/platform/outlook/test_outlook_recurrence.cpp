// Series: expansion of every pattern type into occurrences of a range, what an occurrence
// reports, and how patterns are set, changed and cleared.
#include "CalendarTestSupport.h"

#include "platform/outlook/RecurrenceRule.h"

#include <ostream>

using namespace torvane::outlook;
using namespace torvane::outlook::test;

namespace {

constexpr int Sun = 1, Mon = 2, Tue = 4, Wed = 8, Thu = 16, Fri = 32;

struct ExpansionCase {
    const char* name;
    int type;
    int mask;
    int interval;
    QDateTime start;
    QDateTime from;
    QDateTime to;
    std::vector<QDateTime> expected;
};

void PrintTo(const ExpansionCase& c, std::ostream* os)
{
    *os << c.name;
}

class ExpansionTest : public CalendarTest, public ::testing::WithParamInterface<ExpansionCase> {};

TEST_P(ExpansionTest, GivesEveryOccurrenceInTheRange)
{
    const ExpansionCase& c = GetParam();
    AppointmentItem series = calendarItems().Add();
    series.setSubject(QString::fromLatin1(c.name));
    series.setStart(c.start);
    RecurrencePattern p = series.GetRecurrencePattern();
    p.setRecurrenceType(c.type);
    if (c.mask)
        p.setDayOfWeekMask(c.mask);
    p.setInterval(c.interval);
    series.Save();
    // A single appointment inside the range is merged in by its start.
    addSaved(QStringLiteral("single"), c.from.addSecs(3600));

    Items items = calendarItems();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    std::vector<QDateTime> starts;
    bool singleSeen = false;
    for (const AppointmentItem& item : findAll(items, rangeFilter(c.from, c.to))) {
        if (item.Subject() == QStringLiteral("single")) {
            singleSeen = true;
            EXPECT_FALSE(item.IsRecurring());
            continue;
        }
        // Each occurrence: its own start, the series' id, recurring.
        EXPECT_EQ(item.EntryID(), series.EntryID());
        EXPECT_TRUE(item.IsRecurring());
        EXPECT_EQ(item.GetRecurrencePattern().RecurrenceType(), c.type);
        starts.push_back(item.Start());
    }
    EXPECT_TRUE(singleSeen);
    EXPECT_EQ(starts, c.expected);
}

std::vector<QDateTime> days(std::initializer_list<QDate> dates, QTime time)
{
    std::vector<QDateTime> out;
    for (QDate d : dates)
        out.emplace_back(d, time);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    Patterns, ExpansionTest,
    ::testing::Values(
        ExpansionCase{"daily", RecursDaily, 0, 1, at(2024, 2, 1, 10, 0), at(2024, 2, 3, 10, 0), at(2024, 2, 6, 10, 0),
                      days({QDate(2024, 2, 3), QDate(2024, 2, 4), QDate(2024, 2, 5), QDate(2024, 2, 6)}, QTime(10, 0))},
        ExpansionCase{"every third day", RecursDaily, 0, 3, at(2024, 2, 1, 7, 15), at(2024, 2, 1), at(2024, 2, 12, 23, 59),
                      days({QDate(2024, 2, 1), QDate(2024, 2, 4), QDate(2024, 2, 7), QDate(2024, 2, 10)}, QTime(7, 15))},
        ExpansionCase{"weekly on three weekdays", RecursWeekly, Mon | Wed | Fri, 1, at(2024, 2, 5, 9, 0), at(2024, 2, 5),
                      at(2024, 2, 18, 23, 59),
                      days({QDate(2024, 2, 5), QDate(2024, 2, 7), QDate(2024, 2, 9), QDate(2024, 2, 12), QDate(2024, 2, 14),
                            QDate(2024, 2, 16)},
                           QTime(9, 0))},
        ExpansionCase{"fortnightly on two weekdays", RecursWeekly, Tue | Thu, 2, at(2024, 2, 6, 18, 0), at(2024, 2, 1),
                      at(2024, 3, 3, 23, 59),
                      days({QDate(2024, 2, 6), QDate(2024, 2, 8), QDate(2024, 2, 20), QDate(2024, 2, 22)}, QTime(18, 0))},
        ExpansionCase{"monthly", RecursMonthly, 0, 1, at(2024, 1, 15, 12, 0), at(2024, 2, 1), at(2024, 5, 31, 23, 59),
                      days({QDate(2024, 2, 15), QDate(2024, 3, 15), QDate(2024, 4, 15), QDate(2024, 5, 15)}, QTime(12, 0))},
        ExpansionCase{"monthly on the second Tuesday", RecursMonthNth, 0, 1, at(2024, 1, 9, 19, 0), at(2024, 2, 1),
                      at(2024, 4, 30, 23, 59),
                      days({QDate(2024, 2, 13), QDate(2024, 3, 12), QDate(2024, 4, 9)}, QTime(19, 0))},
        ExpansionCase{"monthly on the last Monday", RecursMonthNth, Mon, 1, at(2024, 1, 29, 8, 0), at(2024, 2, 1),
                      at(2024, 4, 30, 23, 59),
                      days({QDate(2024, 2, 26), QDate(2024, 3, 25), QDate(2024, 4, 29)}, QTime(8, 0))},
        ExpansionCase{"yearly", RecursYearly, 0, 1, at(2020, 3, 10, 0, 0), at(2021, 1, 1), at(2024, 12, 31, 23, 59),
                      days({QDate(2021, 3, 10), QDate(2022, 3, 10), QDate(2023, 3, 10), QDate(2024, 3, 10)}, QTime(0, 0))},
        ExpansionCase{"yearly on the fourth Thursday of November", RecursYearNth, Thu, 1, at(2024, 11, 28, 12, 0),
                      at(2024, 12, 1), at(2026, 12, 31, 23, 59),
                      days({QDate(2025, 11, 27), QDate(2026, 11, 26)}, QTime(12, 0))},
        // A series without end, started long ago, gives just the occurrences of the range.
        ExpansionCase{"open-ended since 2000", RecursDaily, 0, 1, at(2000, 1, 1, 6, 30), at(2024, 2, 1),
                      at(2024, 2, 3, 23, 59),
                      days({QDate(2024, 2, 1), QDate(2024, 2, 2), QDate(2024, 2, 3)}, QTime(6, 30))}));

class RecurrenceTest : public CalendarTest {
protected:
    AppointmentItem addSeries(const QString& subject, const QDateTime& start, int type, int mask = 0)
    {
        AppointmentItem item = calendarItems().Add();
        item.setSubject(subject);
        item.setStart(start);
        RecurrencePattern p = item.GetRecurrencePattern();
        p.setRecurrenceType(type);
        if (mask)
            p.setDayOfWeekMask(mask);
        item.Save();
        return item;
    }
    std::vector<AppointmentItem> occurrences(const QDateTime& from, const QDateTime& to)
    {
        Items items = calendarItems();
        items.setIncludeRecurrences(true);
        items.Sort(QStringLiteral("[Start]"));
        return findAll(items, rangeFilter(from, to));
    }
};

TEST_F(RecurrenceTest, ARangeWithoutEndDoesNotHang)
{
    addSeries(QStringLiteral("every day"), at(2024, 1, 1, 8, 0), RecursDaily);
    Items items = calendarItems();
    items.setIncludeRecurrences(true);
    auto item = items.Find(QStringLiteral("[Start] >= \"01.06.24 00:00\""));
    for (int i = 0; i < 400; ++i) {
        ASSERT_TRUE(item.has_value()) << i;
        EXPECT_EQ(item->Start(), at(2024, 6, 1, 8, 0).addDays(i));
        item = items.FindNext();
    }
}

TEST_F(RecurrenceTest, EqualStartsKeepTheCalendarsOrder)
{
    addSaved(QStringLiteral("first"), at(2024, 2, 20, 10, 0));
    addSeries(QStringLiteral("second"), at(2024, 2, 19, 10, 0), RecursDaily);
    addSaved(QStringLiteral("third"), at(2024, 2, 20, 10, 0));
    QStringList order;
    for (const auto& item : occurrences(at(2024, 2, 20), at(2024, 2, 20, 23, 59)))
        order << item.Subject();
    EXPECT_EQ(order, (QStringList{"first", "second", "third"}));
}

TEST_F(RecurrenceTest, WithoutRecurrencesASeriesIsOneItemAtItsStart)
{
    const AppointmentItem series = addSeries(QStringLiteral("weekly"), at(2024, 2, 5, 9, 0), RecursWeekly);
    Items items = calendarItems();
    const auto all = findAll(items, rangeFilter(at(2024, 1, 1), at(2024, 12, 31)));
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].Start(), at(2024, 2, 5, 9, 0));
    EXPECT_TRUE(all[0].IsRecurring());
    EXPECT_FALSE(all[0].isOccurrence());
    // A range after the series' start finds nothing without recurrences.
    EXPECT_TRUE(findAll(items, rangeFilter(at(2024, 3, 1), at(2024, 3, 31))).empty());
}

TEST_F(RecurrenceTest, DeletingAnOccurrenceThroughItsIdRemovesTheSeries)
{
    const AppointmentItem series = addSeries(QStringLiteral("standup"), at(2024, 2, 5, 9, 0), RecursDaily);
    const auto found = occurrences(at(2024, 2, 10), at(2024, 2, 12, 23, 59));
    ASSERT_EQ(found.size(), 3u);
    AppointmentItem occurrence = found[1];
    // An occurrence cannot be changed or deleted on its own; its save just finds the series.
    EXPECT_EQ(errorOf([&] { occurrence.setSubject(QStringLiteral("x")); }), ErrOccurrenceReadOnly);
    EXPECT_EQ(errorOf([&] { occurrence.setStart(at(2024, 2, 11, 10, 0)); }), ErrOccurrenceReadOnly);
    EXPECT_EQ(errorOf([&] { occurrence.GetRecurrencePattern().setInterval(2); }), ErrOccurrenceReadOnly);
    EXPECT_EQ(errorOf([&] { occurrence.Delete(); }), ErrOccurrenceReadOnly);
    EXPECT_EQ(errorOf([&] { occurrence.Save(); }), 0);

    AppointmentItem whole = app().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(occurrence.EntryID());
    EXPECT_EQ(whole.Start(), at(2024, 2, 5, 9, 0));
    whole.Delete();
    EXPECT_TRUE(occurrences(at(2024, 1, 1), at(2024, 12, 31)).empty());
    EXPECT_EQ(errorOf([&] { occurrence.Save(); }), ErrItemDeleted);
}

TEST_F(RecurrenceTest, ASeriesBeginsOnTheFirstDayItsPatternGives)
{
    // Monday and Wednesday, entered on a Sunday.
    const AppointmentItem series = addSeries(QStringLiteral("gym"), at(2024, 2, 4, 19, 0), RecursWeekly, Mon | Wed);
    EXPECT_EQ(series.Start(), at(2024, 2, 5, 19, 0));
    const auto found = occurrences(at(2024, 2, 1), at(2024, 2, 8, 23, 59));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].Start(), at(2024, 2, 5, 19, 0));
    EXPECT_EQ(found[1].Start(), at(2024, 2, 7, 19, 0));
}

TEST_F(RecurrenceTest, APhoneSeriesBecomesASeriesAsTheTransferSetsIt)
{
    // As a phone entry with "Y1" is copied: start, then the pattern's start, interval and type.
    AppointmentItem item = calendarItems().Add();
    item.setSubject(QStringLiteral("Birthday"));
    item.setStart(at(2024, 4, 2, 0, 0));
    RecurrencePattern p = item.GetRecurrencePattern();
    p.setPatternStartDate(item.Start().date());
    p.setInterval(1);
    p.setRecurrenceType(RecursYearly);
    EXPECT_TRUE(item.IsRecurring());
    item.Save();
    EXPECT_TRUE(fileBytes().contains("RRULE:FREQ=YEARLY;BYMONTHDAY=2;BYMONTH=4"));

    // A phone series with a rule the transfer does not know sets no type: weekly on its day.
    AppointmentItem other = calendarItems().Add();
    other.setStart(at(2024, 4, 3, 8, 0)); // a Wednesday
    RecurrencePattern q = other.GetRecurrencePattern();
    q.setPatternStartDate(other.Start().date());
    q.setInterval(1);
    other.Save();
    EXPECT_TRUE(other.IsRecurring());
    EXPECT_EQ(other.GetRecurrencePattern().RecurrenceType(), RecursWeekly);
    EXPECT_EQ(other.GetRecurrencePattern().DayOfWeekMask(), Wed);
}

TEST_F(RecurrenceTest, MovingAWeeklySeriesMovesItsWeekday)
{
    AppointmentItem series = addSeries(QStringLiteral("tuesdays"), at(2024, 2, 6, 9, 0), RecursWeekly);
    ASSERT_EQ(series.GetRecurrencePattern().DayOfWeekMask(), Tue);
    series.setStart(at(2024, 2, 8, 9, 0));
    series.Save();
    EXPECT_EQ(series.Start(), at(2024, 2, 8, 9, 0));
    EXPECT_EQ(series.GetRecurrencePattern().DayOfWeekMask(), Thu);
    const auto found = occurrences(at(2024, 2, 1), at(2024, 2, 16, 23, 59));
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[1].Start(), at(2024, 2, 15, 9, 0));

    // A series on two weekdays keeps them; the start goes to the first of them.
    AppointmentItem two = addSeries(QStringLiteral("two"), at(2024, 2, 4, 9, 0), RecursWeekly, Sun | Thu);
    two.setStart(at(2024, 2, 12, 9, 0)); // a Monday
    two.Save();
    EXPECT_EQ(two.GetRecurrencePattern().DayOfWeekMask(), Sun | Thu);
    EXPECT_EQ(two.Start().toString(Qt::ISODate), at(2024, 2, 15, 9, 0).toString(Qt::ISODate));
}

TEST_F(RecurrenceTest, ClearingThePatternMakesASingleAppointment)
{
    AppointmentItem series = addSeries(QStringLiteral("daily"), at(2024, 2, 5, 9, 0), RecursDaily);
    series.ClearRecurrencePattern();
    EXPECT_FALSE(series.IsRecurring());
    series.Save();
    EXPECT_FALSE(fileBytes().contains("RRULE"));
    EXPECT_EQ(occurrences(at(2024, 2, 1), at(2024, 2, 29)).size(), 1u);
    EXPECT_FALSE(occurrences(at(2024, 2, 1), at(2024, 2, 29))[0].isOccurrence());
}

TEST_F(RecurrenceTest, PatternValuesAreChecked)
{
    AppointmentItem item = calendarItems().Add();
    RecurrencePattern p = item.GetRecurrencePattern();
    for (int type : {-1, 4, 7})
        EXPECT_EQ(errorOf([&] { p.setRecurrenceType(type); }), ErrInvalidArgument) << type;
    for (int interval : {0, -1, 1000})
        EXPECT_EQ(errorOf([&] { p.setInterval(interval); }), ErrInvalidArgument) << interval;
    for (int mask : {-1, 128})
        EXPECT_EQ(errorOf([&] { p.setDayOfWeekMask(mask); }), ErrInvalidArgument) << mask;
    EXPECT_EQ(errorOf([&] { p.setPatternStartDate(QDate()); }), ErrInvalidArgument);
    // Refused values leave the appointment single.
    EXPECT_FALSE(item.IsRecurring());
}

} // namespace
