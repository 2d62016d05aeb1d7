// Find and FindNext with the organizer's filter texts: bounds, operators, spacing, two-digit
// years, order.
#include "CalendarTestSupport.h"

#include <QStringList>

using namespace torvane::outlook;
using namespace torvane::outlook::test;

namespace {

class FilterTest : public CalendarTest {
protected:
    void SetUp() override
    {
        // Saved out of order, so that the order of the file and of the starts differ.
        for (const auto& [subject, start] : std::vector<std::pair<const char*, QDateTime>>{
                 {"12:01", at(2024, 3, 5, 12, 1)},
                 {"10:00", at(2024, 3, 5, 10, 0)},
                 {"09:59", at(2024, 3, 5, 9, 59)},
                 {"12:00:59", at(2024, 3, 5, 12, 0, 59)},
                 {"10:00:30", at(2024, 3, 5, 10, 0, 30)},
                 {"12:00", at(2024, 3, 5, 12, 0)}})
            addSaved(QString::fromLatin1(subject), start);
    }

    QStringList subjects(const QString& filter, bool sorted = true)
    {
        Items items = calendarItems();
        if (sorted)
            items.Sort(QStringLiteral("[Start]"));
        QStringList out;
        for (const AppointmentItem& item : findAll(items, filter))
            out << item.Subject();
        return out;
    }
};

TEST_F(FilterTest, BoundsAreInclusiveToTheMinute)
{
    EXPECT_EQ(subjects(rangeFilter(at(2024, 3, 5, 10, 0), at(2024, 3, 5, 12, 0))),
              (QStringList{"10:00", "10:00:30", "12:00", "12:00:59"}));
}

struct OperatorCase {
    const char* filter;
    QStringList expected;
};

class FilterOperatorTest : public FilterTest, public ::testing::WithParamInterface<OperatorCase> {};

TEST_P(FilterOperatorTest, SelectsTheMinutes)
{
    EXPECT_EQ(subjects(QString::fromUtf8(GetParam().filter)), GetParam().expected) << GetParam().filter;
}

INSTANTIATE_TEST_SUITE_P(
    Operators, FilterOperatorTest,
    ::testing::Values(OperatorCase{"[Start] > \"05.03.24 10:00\" and [Start] < \"05.03.24 12:01\"", {"12:00", "12:00:59"}},
                      OperatorCase{"[Start] = \"05.03.24 10:00\"", {"10:00", "10:00:30"}},
                      OperatorCase{"[Start] >= \"05.03.24 12:00\"", {"12:00", "12:00:59", "12:01"}},
                      OperatorCase{"[Start] <= \"05.03.24 09:59\"", {"09:59"}},
                      OperatorCase{"[Start] < \"05.03.24 09:59\"", {}},
                      // Contradicting conditions leave nothing.
                      OperatorCase{"[Start] >= \"05.03.24 12:01\" and [Start] <= \"05.03.24 12:00\"", {}}));

INSTANTIATE_TEST_SUITE_P(
    Spacing, FilterOperatorTest,
    ::testing::Values(OperatorCase{"[Start]>=\"05.03.24 12:00\" and [Start] <=\"05.03.24 12:00\"", {"12:00", "12:00:59"}},
                      OperatorCase{"[Start] >= \"05.03.24 12:00\" AND [Start] <= \"05.03.24 12:00\"", {"12:00", "12:00:59"}},
                      OperatorCase{"  [ start ]>='05.03.24 12:00'And[Start]<='5.3.24 12:0'  ", {"12:00", "12:00:59"}},
                      OperatorCase{"[Start]>=\"05.03.24  12:00\"\tand\t[Start]<=\" 05.03.24 12:00 \"", {"12:00", "12:00:59"}}));

TEST_F(FilterTest, FiltersThatCannotBeReadAreRefused)
{
    Items items = calendarItems();
    for (const char* bad :
         {"", "[Start]", "[Start]>=", "[Start]>=\"05.03.24 12:00", "[Subject]>=\"05.03.24 12:00\"",
          "[Start]<>\"05.03.24 12:00\"", "[Start]>=\"32.03.24 12:00\"", "[Start]>=\"05.03.24\"",
          "[Start]>=\"05.03.24 12:00\" or [Start]<=\"06.03.24 12:00\"", "[Start]>=\"05.03.24 12:00\" and",
          "[Start]>=\"05.03.24 12:00\" andx [Start]<=\"06.03.24 12:00\"", "[Start]>=\"05.03.24 12:00\" x"})
        EXPECT_EQ(errorOf([&] { items.Find(QString::fromUtf8(bad)); }), ErrInvalidArgument) << bad;
    EXPECT_EQ(errorOf([&] { items.Sort(QStringLiteral("[Subject]")); }), ErrInvalidArgument);
    EXPECT_EQ(errorOf([&] { items.Sort(QStringLiteral("Start")); }), ErrInvalidArgument);
    EXPECT_EQ(errorOf([&] { items.Sort(QStringLiteral(" [ START ] ")); }), 0);
}

TEST_F(FilterTest, UnsortedItemsComeInFileOrderSortedOnesByStart)
{
    const QString day = rangeFilter(at(2024, 3, 5), at(2024, 3, 5, 23, 59));
    EXPECT_EQ(subjects(day, false), (QStringList{"12:01", "10:00", "09:59", "12:00:59", "10:00:30", "12:00"}));
    EXPECT_EQ(subjects(day, true), (QStringList{"09:59", "10:00", "10:00:30", "12:00", "12:00:59", "12:01"}));
}

TEST_F(FilterTest, FindNextWithoutFindOrAfterTheLastGivesNothing)
{
    Items items = calendarItems();
    EXPECT_FALSE(items.FindNext().has_value());
    ASSERT_TRUE(items.Find(QStringLiteral("[Start] = \"05.03.24 09:59\"")).has_value());
    EXPECT_FALSE(items.FindNext().has_value());
    EXPECT_FALSE(items.FindNext().has_value());
}

class CenturyTest : public CalendarTest {};

TEST_F(CenturyTest, TwoDigitYearsAcross2000And2030)
{
    for (const QDateTime& start : {at(1999, 12, 31, 23, 0), at(2000, 1, 1, 1, 0), at(2029, 12, 31, 8, 0),
                                   at(2030, 1, 1, 8, 0), at(1930, 1, 1, 8, 0)})
        addSaved(start.toString(Qt::ISODate), start);
    auto starts = [&](const char* filter) {
        Items items = calendarItems();
        items.Sort(QStringLiteral("[Start]"));
        std::vector<QDateTime> out;
        for (const auto& item : findAll(items, QString::fromUtf8(filter)))
            out.push_back(item.Start());
        return out;
    };
    EXPECT_EQ(starts("[Start]>=\"31.12.99 00:00\" and [Start] <=\"01.01.00 23:59\""),
              (std::vector<QDateTime>{at(1999, 12, 31, 23, 0), at(2000, 1, 1, 1, 0)}));
    EXPECT_EQ(starts("[Start]>=\"31.12.29 00:00\" and [Start] <=\"31.12.29 23:59\""),
              (std::vector<QDateTime>{at(2029, 12, 31, 8, 0)}));
    // "30" is 1930: the appointment of 2030 is not in that range.
    EXPECT_EQ(starts("[Start]>=\"01.01.30 00:00\" and [Start] <=\"01.01.30 23:59\""),
              (std::vector<QDateTime>{at(1930, 1, 1, 8, 0)}));
}

TEST_F(CenturyTest, TheFilterIsReadWithTheOrganizersPicture)
{
    addSaved(QStringLiteral("Evening"), at(2024, 7, 4, 19, 30));
    ApplicationOptions o = options();
    o.shortDateTimeFormat = QStringLiteral("M/d/yyyy h:mm tt");
    auto a = Application::create(o);
    ASSERT_TRUE(a);
    Items items = calendarItems(*a);
    auto found = items.Find(QStringLiteral("[Start] >= \"7/4/2024 7:30 PM\" and [Start] <= \"7/4/2024 7:30 PM\""));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->Subject(), QStringLiteral("Evening"));
    EXPECT_EQ(errorOf([&] { items.Find(QStringLiteral("[Start] >= \"04.07.24 19:30\"")); }), ErrInvalidArgument);
}

} // namespace
