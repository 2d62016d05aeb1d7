// The range arithmetic: units added with the month end kept, the end of a range, counts read
// from text, and the time texts of the entry editor.
#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

QString text(VbDate d)
{
    return FormatDate(d, QStringLiteral("dd.mm.yyyy hh:mm:ss"));
}

int errorNumber(const std::function<void()>& f)
{
    try {
        f();
    } catch (const OrgError& e) {
        return e.number();
    }
    return 0;
}

struct RangeCase {
    const char* unit;
    const char* count;
    VbDate start;
    const char* end;
};

class RangeEndTest : public ::testing::TestWithParam<RangeCase> {};

TEST_P(RangeEndTest, EndsOnTheLastSecondBeforeTheNextUnit)
{
    const RangeCase& c = GetParam();
    EXPECT_EQ(text(GetRangeEndDate(QLatin1String(c.unit), QLatin1String(c.count), c.start)), QLatin1String(c.end));
}

INSTANTIATE_TEST_SUITE_P(
    Units, RangeEndTest,
    ::testing::Values(RangeCase{"ww", "1", makeVbDate(1999, 2, 4), "10.02.1999 23:59:59"},
                      RangeCase{"ww", "2", makeVbDate(1999, 2, 4), "17.02.1999 23:59:59"},
                      RangeCase{"d", "1", makeVbDate(1999, 2, 4), "04.02.1999 23:59:59"},
                      RangeCase{"m", "1", makeVbDate(1999, 2, 4), "03.03.1999 23:59:59"},
                      // The month end is clamped before the day is taken off.
                      RangeCase{"m", "1", makeVbDate(1999, 1, 31), "27.02.1999 23:59:59"},
                      RangeCase{"m", "1", makeVbDate(2000, 1, 31), "28.02.2000 23:59:59"},
                      RangeCase{"yyyy", "1", makeVbDate(2000, 2, 29), "27.02.2001 23:59:59"},
                      RangeCase{"m", "-1", makeVbDate(2000, 3, 31), "28.02.2000 23:59:59"},
                      // No count, or none that reads as a number: the range is empty.
                      RangeCase{"ww", "0", makeVbDate(1999, 2, 4), "03.02.1999 23:59:59"},
                      RangeCase{"ww", "", makeVbDate(1999, 2, 4), "03.02.1999 23:59:59"},
                      RangeCase{"ww", "abc", makeVbDate(1999, 2, 4), "03.02.1999 23:59:59"},
                      // Blanks inside a number are dropped; halves go to the even count.
                      RangeCase{"d", " 1 0", makeVbDate(1999, 2, 4), "13.02.1999 23:59:59"},
                      RangeCase{"d", "2.5", makeVbDate(1999, 2, 4), "05.02.1999 23:59:59"},
                      RangeCase{"d", "3.5x", makeVbDate(1999, 2, 4), "07.02.1999 23:59:59"}));

TEST(DateAddTest, KeepsTheTimeOfDayAndRefusesDatesBeyondTheCalendar)
{
    const VbDate evening = makeVbDate(1999, 12, 31, 23, 30, 0);
    EXPECT_EQ(text(DateAdd(QStringLiteral("n"), 45, evening)), "01.01.2000 00:15:00");
    EXPECT_EQ(text(DateAdd(QStringLiteral("yyyy"), 1, makeVbDate(2000, 2, 29, 8, 15))), "28.02.2001 08:15:00");
    EXPECT_EQ(text(DateAdd(QStringLiteral("d"), -1, makeVbDate(1899, 12, 30, 6))), "29.12.1899 06:00:00");
    EXPECT_EQ(errorNumber([&] { DateAdd(QStringLiteral("yyyy"), 9000, evening); }), 5);
    EXPECT_EQ(errorNumber([&] { GetRangeEndDate(QStringLiteral("yyyy"), QStringLiteral("9999"), evening); }), 5);
    EXPECT_EQ(errorNumber([&] { DateAdd(QStringLiteral("q"), 1, evening); }), 5);
    EXPECT_EQ(errorNumber([&] { DateAdd(QStringLiteral("d"), 1e300, evening); }), 5);
}

struct TimeCase {
    const char* text;
    bool valid;
};

class ValidTimeTest : public ::testing::TestWithParam<TimeCase> {};

TEST_P(ValidTimeTest, TakesOnlyHoursAColonAndMinutesWithinTheirRanges)
{
    EXPECT_EQ(IsValidTime(QLatin1String(GetParam().text)), GetParam().valid) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(Texts, ValidTimeTest,
                         ::testing::Values(TimeCase{"23:59", true}, TimeCase{"0:00", true}, TimeCase{"9:5", true},
                                           TimeCase{"24:00", false}, TimeCase{"12:60", false},
                                           TimeCase{"-1:30", false}, TimeCase{"ab:cd", false},
                                           TimeCase{"12:5x", false}, TimeCase{"12:30x", false}, TimeCase{"930", false},
                                           TimeCase{"45", false}, TimeCase{" 7:05 ", true}));

TEST(TimeTextTest, ShiftsTheEditorsTimesAndReadsTheClock)
{
    const VbDate base = makeVbDate(1999, 2, 4, 0, 30);
    EXPECT_EQ(GetShiftedTimeText(QStringLiteral("n"), QStringLiteral("0"), base), "00:30");
    EXPECT_EQ(GetShiftedTimeText(QStringLiteral("n"), QStringLiteral("30"), base), "01:00");
    EXPECT_EQ(GetShiftedTimeText(QStringLiteral("n"), QStringLiteral("1410"), base), "00:00");

    setDateTimeClock([] { return QDateTime(QDate(1999, 2, 4), QTime(7, 8, 9)); });
    EXPECT_EQ(GetCurrentTimeText(), "07:08:09");
    setDateTimeClock({});
    EXPECT_FALSE(IsValidTime(QStringLiteral("40000:00"))) << "too many digits: no time, and no overflow either";
}

} // namespace
} // namespace tessaro
