// Date texts in the organizer's pictures: what is written, what is read back, what is refused.
#include "platform/ui/datetext/DatePicture.h"
#include "platform/ui/datetext/DateText.h"

#include <gtest/gtest.h>

#include <QLocale>

#include <ostream>

using namespace torvane::datetext;

namespace {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

struct FormatCase {
    const char* picture;
    QDateTime value;
    const char* text;
};

void PrintTo(const FormatCase& c, std::ostream* os)
{
    *os << c.picture << " -> " << c.text;
}

class FormatTest : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatTest, WritesThePicture)
{
    const auto& c = GetParam();
    EXPECT_EQ(formatDateTime(c.value, QString::fromUtf8(c.picture)), QString::fromUtf8(c.text)) << c.picture;
}

INSTANTIATE_TEST_SUITE_P(
    Pictures, FormatTest,
    ::testing::Values(
        // The organizer's defaults: "mm" is the month in a date and the minutes after an hour.
        FormatCase{"dd.mm.yy hh:mm", at(1999, 2, 4, 7, 5), "04.02.99 07:05"},
        FormatCase{"dd.mm.yy", at(2003, 12, 31), "31.12.03"},
        FormatCase{"hh:mm:ss", at(2003, 1, 1, 23, 59, 8), "23:59:08"},
        FormatCase{"Ddd", at(1999, 2, 4), "Thu"},
        FormatCase{"Ddd dd.mm.yy", at(2024, 2, 29), "Thu 29.02.24"},
        FormatCase{"dddd", at(2024, 3, 3), "Sunday"},
        // Regional pictures: upper-case months, four-digit years, 12-hour clock with "tt".
        FormatCase{"dd.MM.yyyy HH:mm", at(2030, 1, 9, 0, 0), "09.01.2030 00:00"},
        FormatCase{"M/d/yyyy h:mm tt", at(2024, 7, 4, 0, 30), "7/4/2024 12:30 AM"},
        FormatCase{"M/d/yyyy h:mm tt", at(2024, 7, 4, 13, 5), "7/4/2024 1:05 PM"},
        FormatCase{"h:mm AP", at(2024, 7, 4, 12, 0), "12:00 PM"},
        FormatCase{"h:mm ap", at(2024, 7, 4, 9, 0), "9:00 am"},
        FormatCase{"hh:nn", at(2024, 7, 4, 9, 7), "09:07"},
        FormatCase{"d MMM yyyy", at(2024, 9, 1), "1 Sep 2024"},
        FormatCase{"mmmm", at(2024, 9, 1), "September"},
        FormatCase{"mm:ss", at(2024, 9, 1, 10, 4, 2), "04:02"},
        // Without a day-half marker "h" is the 24-hour clock.
        FormatCase{"h:mm", at(2024, 9, 1, 18, 4), "18:04"},
        // Quoted text and escaped letters are copied.
        FormatCase{"yyyy'-W'dd", at(2024, 9, 1), "2024-W01"},
        FormatCase{"\"day\" d", at(2024, 9, 1), "day 1"},
        FormatCase{"\\d d", at(2024, 9, 1), "d 1"}));

struct ParseCase {
    const char* picture;
    const char* text;
    QDateTime expected; // invalid: the text must be refused
};

void PrintTo(const ParseCase& c, std::ostream* os)
{
    *os << c.picture << " <- \"" << c.text << '"';
}

class ParseTest : public ::testing::TestWithParam<ParseCase> {};

TEST_P(ParseTest, ReadsOrRefuses)
{
    const auto& c = GetParam();
    const auto got = parseDateTime(QString::fromUtf8(c.text), QString::fromUtf8(c.picture));
    if (c.expected.isValid()) {
        ASSERT_TRUE(got.has_value()) << c.picture << " / " << c.text;
        EXPECT_EQ(*got, c.expected) << c.picture << " / " << c.text;
    } else {
        EXPECT_FALSE(got.has_value()) << c.picture << " / " << c.text << " read as "
                                      << got->toString(Qt::ISODate).toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    TwoDigitYears, ParseTest,
    ::testing::Values(ParseCase{"dd.mm.yy hh:mm", "01.01.00 00:00", at(2000, 1, 1)},
                      ParseCase{"dd.mm.yy hh:mm", "31.12.99 23:59", at(1999, 12, 31, 23, 59)},
                      ParseCase{"dd.mm.yy hh:mm", "31.12.29 23:59", at(2029, 12, 31, 23, 59)},
                      ParseCase{"dd.mm.yy hh:mm", "01.01.30 00:00", at(1930, 1, 1)},
                      // The window holds where the picture asks for four digits, too.
                      ParseCase{"dd.MM.yyyy", "05.06.07", at(2007, 6, 5)},
                      ParseCase{"dd.MM.yyyy", "05.06.45", at(1945, 6, 5)},
                      // A four-digit year is taken as written, also in a two-digit picture.
                      ParseCase{"dd.mm.yy", "05.06.2045", at(2045, 6, 5)},
                      ParseCase{"dd.mm.yy", "05.06.1929", at(1929, 6, 5)},
                      ParseCase{"dd.mm.yy", "05.06.200", QDateTime()}));

INSTANTIATE_TEST_SUITE_P(
    Spacing, ParseTest,
    ::testing::Values(ParseCase{"dd.mm.yy hh:mm", "  04.02.99 07:05 ", at(1999, 2, 4, 7, 5)},
                      ParseCase{"dd.mm.yy hh:mm", "04.02.99    07:05", at(1999, 2, 4, 7, 5)},
                      ParseCase{"dd.mm.yy hh:mm", "4.2.99 7:5", at(1999, 2, 4, 7, 5)},
                      ParseCase{"dd.mm.yy hh:mm", "04.02.99\t07:05", at(1999, 2, 4, 7, 5)},
                      ParseCase{"dd.mm.yy hh:mm", "04.02.9907:05", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "04.02.99 07:05 x", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "04/02/99 07:05", QDateTime()}));

INSTANTIATE_TEST_SUITE_P(
    Fields, ParseTest,
    ::testing::Values(ParseCase{"dd.mm.yy hh:mm", "29.02.24 12:00", at(2024, 2, 29, 12, 0)},
                      ParseCase{"dd.mm.yy hh:mm", "29.02.23 12:00", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "31.04.24 12:00", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "01.13.24 12:00", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "01.01.24 24:00", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "01.01.24 23:60", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "01.01.24", QDateTime()},
                      ParseCase{"dd.mm.yy hh:mm", "", QDateTime()},
                      ParseCase{"dd.mm.yy", "01.01.24", at(2024, 1, 1)},
                      ParseCase{"M/d/yyyy h:mm tt", "7/4/2024 12:30 am", at(2024, 7, 4, 0, 30)},
                      ParseCase{"M/d/yyyy h:mm tt", "7/4/2024 12:30 PM", at(2024, 7, 4, 12, 30)},
                      ParseCase{"M/d/yyyy h:mm tt", "7/4/2024 1:30 P", at(2024, 7, 4, 13, 30)},
                      ParseCase{"M/d/yyyy h:mm tt", "7/4/2024 13:30 PM", QDateTime()},
                      ParseCase{"M/d/yyyy h:mm tt", "7/4/2024 1:30", QDateTime()},
                      ParseCase{"d MMMM yyyy", "1 september 2024", at(2024, 9, 1)},
                      ParseCase{"d MMM yyyy", "1 Sept 2024", QDateTime()},
                      // A weekday must be the date's own.
                      ParseCase{"Ddd dd.mm.yy", "Thu 29.02.24", at(2024, 2, 29)},
                      ParseCase{"Ddd dd.mm.yy", "thursday 29.02.24", at(2024, 2, 29)},
                      ParseCase{"Ddd dd.mm.yy", "Fri 29.02.24", QDateTime()}));

TEST(DateText, EveryDayOfTheWindowReadsBackAsWritten)
{
    const QStringList pictures = {QStringLiteral("dd.mm.yy hh:mm"), QStringLiteral("Ddd dd.MM.yyyy HH:mm"),
                                  QStringLiteral("M/d/yy h:mm tt"), QStringLiteral("yyyy-MM-dd hh:mm:ss")};
    for (const QString& picture : pictures) {
        // Two-digit pictures cover exactly the years of the window.
        for (QDateTime t = at(1930, 1, 1, 0, 1, 0); t.date().year() < 2030; t = t.addDays(17).addSecs(3601)) {
            const QString text = formatDateTime(t, picture);
            const auto back = parseDateTime(text, picture);
            ASSERT_TRUE(back.has_value()) << picture.toStdString() << " " << text.toStdString();
            const QDateTime expected = picture.contains(u's') ? t : t.addSecs(-t.time().second());
            ASSERT_EQ(*back, expected) << picture.toStdString() << " " << text.toStdString();
        }
    }
}

TEST(DateText, DatesAndTimesAlone)
{
    EXPECT_EQ(formatDate(QDate(2024, 5, 6), u"Ddd dd.mm.yy"), QStringLiteral("Mon 06.05.24"));
    EXPECT_EQ(formatTime(QTime(9, 5, 7), u"hh:mm:ss"), QStringLiteral("09:05:07"));
    EXPECT_EQ(parseDate(u"06.05.24", u"dd.mm.yy"), QDate(2024, 5, 6));
    EXPECT_EQ(parseTime(u"9:5", u"hh:mm"), QTime(9, 5));
    EXPECT_EQ(parseTime(u"12:15 AM", u"h:mm tt"), QTime(0, 15));
    EXPECT_FALSE(parseTime(u"06.05.24", u"dd.mm.yy").has_value());
    EXPECT_FALSE(parseDate(u"06.05.24 25:00", u"dd.mm.yy hh:mm").has_value());
}

TEST(DateText, NamesOfALocale)
{
    const DateNames german = DateNames::fromLocale(QLocale(QLocale::German, QLocale::Germany));
    const QString thursday = german.shortDays[4];
    ASSERT_FALSE(thursday.isEmpty());
    EXPECT_EQ(formatDate(QDate(1999, 2, 4), u"Ddd", german), thursday);
    EXPECT_EQ(formatDate(QDate(1999, 2, 4), u"dddd", german), QStringLiteral("Donnerstag"));
    EXPECT_EQ(parseDate(QStringLiteral("%1 04.02.99").arg(thursday), u"Ddd dd.mm.yy", german), QDate(1999, 2, 4));
    EXPECT_EQ(parseDate(u"4 März 1999", u"d MMMM yyyy", german), QDate(1999, 3, 4));
}

TEST(DateText, FullYearsWidenOnlyTwoDigitYearFields)
{
    EXPECT_EQ(withFullYears(u"dd.mm.yy hh:mm"), "dd.mm.yyyy hh:mm");
    EXPECT_EQ(withFullYears(u"M/d/y 'yy''y' \\y yyyy"), "M/d/yyyy 'yy''y' \\y yyyy");
}

TEST(DateText, TwoDigitYearWindow)
{
    EXPECT_EQ(expandTwoDigitYear(0), 2000);
    EXPECT_EQ(expandTwoDigitYear(29), 2029);
    EXPECT_EQ(expandTwoDigitYear(30), 1930);
    EXPECT_EQ(expandTwoDigitYear(99), 1999);
}

} // namespace
