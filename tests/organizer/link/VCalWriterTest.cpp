#include "organizer/link/VCalCodec.h"

#include "QtPrinters.h"

#include <QStringList>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

QString lines(std::initializer_list<const char*> ls)
{
    QString out;
    for (const char* l : ls)
        out += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return out;
}

PhoneEntry at(VbDate start)
{
    PhoneEntry e;
    e.StartTime = start;
    return e;
}

TEST(VCalWriter, PlainEntryIsExactlySevenLines)
{
    const PhoneEntry e = at(makeVbDate(2001, 12, 24, 10, 30, 0));
    EXPECT_EQ(BuildVCalText(e), lines({"BEGIN:VCALENDAR", "VERSION:1.0", "BEGIN:VEVENT", "CATEGORIES:MISCELLANEOUS",
                                       "DTSTART:20011224T103000Z", "END:VEVENT", "END:VCALENDAR"}));
}

struct CategoryCase {
    Flag16 meeting, anniversary, phoneCall, memo;
    const char* line;
};

class VCalWriterCategory : public ::testing::TestWithParam<CategoryCase> {};

TEST_P(VCalWriterCategory, FirstFlagThatIsExactlyTrueWins)
{
    const CategoryCase& c = GetParam();
    PhoneEntry e = at(0);
    e.IsMeeting = c.meeting;
    e.IsAnniversary = c.anniversary;
    e.IsPhoneCall = c.phoneCall;
    e.IsMemo = c.memo;
    const QStringList ls = BuildVCalText(e).split(QStringLiteral("\r\n"));
    EXPECT_EQ(ls.value(3), QString::fromLatin1(c.line));
}

INSTANTIATE_TEST_SUITE_P(
    Categories, VCalWriterCategory,
    ::testing::Values(CategoryCase{-1, -1, 0, 0, "CATEGORIES:MEETING"},
                      CategoryCase{0, -1, -1, 0, "CATEGORIES:ANNIVERSARY"},
                      CategoryCase{0, 0, -1, -1, "CATEGORIES:PHONE CALL"},
                      CategoryCase{0, 0, 0, -1, "CATEGORIES:MISCELLANEOUS"},
                      CategoryCase{0, 0, 0, 0, "CATEGORIES:MISCELLANEOUS"},
                      // Only -1 counts as true for a category.
                      CategoryCase{1, 1, 1, 0, "CATEGORIES:MISCELLANEOUS"},
                      CategoryCase{1, -1, 0, 0, "CATEGORIES:ANNIVERSARY"}));

TEST(VCalWriter, FullEntryInItsFixedOrder)
{
    PhoneEntry e = at(makeVbDate(2001, 12, 24, 10, 30, 0));
    e.IsPhoneCall = FlagTrue;
    e.DAlarmSet = FlagTrue;
    e.DAlarm = makeVbDate(2001, 12, 24, 10, 0, 0);
    e.AAlarmSet = 1; // any non-zero value writes the alarm
    e.AAlarm = makeVbDate(2001, 12, 24, 10, 15, 5);
    e.IsSerie = FlagTrue;
    e.RRule = QStringLiteral("W1");
    e.Description = QStringLiteral("Call Anna");
    e.Summary = QStringLiteral("0123 456");
    e.DtStart = makeVbDate(1999, 1, 1); // never written
    e.DtStartSet = FlagTrue;
    EXPECT_EQ(BuildVCalText(e),
              lines({"BEGIN:VCALENDAR", "VERSION:1.0", "BEGIN:VEVENT", "CATEGORIES:PHONE CALL",
                     "DTSTART:20011224T103000Z", "DALARM:20011224T100000Z", "AALARM:20011224T101505Z",
                     "RRULE:W1 #0", "DESCRIPTION:Call Anna", "SUMMARY:0123 456", "END:VEVENT", "END:VCALENDAR"}));
}

TEST(VCalWriter, SeriesLines)
{
    for (const char* rule : {"D1", "W1", "Y1"}) {
        PhoneEntry e = at(0);
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(rule);
        EXPECT_TRUE(BuildVCalText(e).contains(QStringLiteral("\r\nRRULE:%1 #0\r\n").arg(QLatin1String(rule))))
            << rule;
    }
}

TEST(VCalWriter, TagsAreResetBeforeEveryWrite)
{
    PhoneEntry meeting = at(0);
    meeting.IsMeeting = FlagTrue;
    BuildVCalText(meeting);
    const QString second = BuildVCalText(at(0));
    EXPECT_TRUE(second.contains(QStringLiteral("\r\nCATEGORIES:MISCELLANEOUS\r\n")));
    EXPECT_EQ(VCalTags.Categories, QStringLiteral("CATEGORIES:MISCELLANEOUS"));
}

TEST(VCalWriter, DateTimeTextIsLocalTimeWithZ)
{
    EXPECT_EQ(VCalDateTimeText(makeVbDate(2001, 12, 24, 10, 30, 0)), QStringLiteral("20011224T103000Z"));
    EXPECT_EQ(VCalDateTimeText(makeVbDate(2030, 2, 28, 23, 59, 59)), QStringLiteral("20300228T235959Z"));
    EXPECT_EQ(VCalDateTimeText(0), QStringLiteral("18991230T000000Z"));
    EXPECT_EQ(VCalDateTimeText(makeVbDate(1899, 12, 29, 6, 0, 0)), QStringLiteral("18991229T060000Z"));
}

TEST(VCalWriter, LineBreaksAndControlsInTextsBecomeBlanks)
{
    PhoneEntry e = at(0);
    e.Description = QStringLiteral("two\r\nlines\tand\x01") + QChar(0x010A) + QStringLiteral("end");
    e.Summary = QStringLiteral("a\nb\x7f");
    const QString text = BuildVCalText(e);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nDESCRIPTION:two  lines and ?end\r\n"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nSUMMARY:a b \r\n")));
    EXPECT_EQ(text.count(QStringLiteral("\r\n")), 9);
}

TEST(VCalWriter, ACharacterBeyondLatin1BecomesAQuestionMarkNotItsLowByte)
{
    const QString text = QStringLiteral("Gr") + QChar(0x00FC) + QChar(0x0141) + QChar(0x20AC) + QChar(0x010A);
    const QByteArray bytes = VCalTextToBytes(text);
    EXPECT_EQ(bytes, QByteArray("Gr\xFC???"));
}

} // namespace
} // namespace tessaro
