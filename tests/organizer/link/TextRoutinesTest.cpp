#include "organizer/link/OrgError.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/link/VbDate.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(SplitToken, CutsAtTheFirstSeparatorOnly)
{
    QString s = QStringLiteral("BEGIN:VCALENDAR\r\nrest:x");
    EXPECT_EQ(SplitToken(s, QStringLiteral(":")), QStringLiteral("BEGIN"));
    EXPECT_EQ(s, QStringLiteral("VCALENDAR\r\nrest:x"));
    QString none = QStringLiteral("abc");
    EXPECT_EQ(SplitToken(none, QStringLiteral(":")), QString());
    EXPECT_EQ(none, QStringLiteral("abc"));
    QByteArray b = QByteArray("\"vcs\",7,1,2\r\nFF");
    EXPECT_EQ(SplitToken(b, QByteArray(",")), QByteArray("\"vcs\""));
    EXPECT_EQ(SplitToken(b, QByteArray("\r\n")), QByteArray("7,1,2"));
    EXPECT_EQ(b, QByteArray("FF"));
}

TEST(HexText, BothDirections)
{
    EXPECT_EQ(HexTextToBytes("0A1B"), QByteArray("\x0a\x1b"));
    EXPECT_EQ(HexTextToBytes("0a1b"), QByteArray("\x0a\x1b"));
    EXPECT_EQ(BytesToHexText(QByteArray("\x0a\xff", 2)), QByteArray("0AFF"));
    EXPECT_EQ(ByteToHexText(0), QByteArray("00"));
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(HexTextToBytes(BytesToHexText(all)), all);
}

TEST(HexText, OddLengthsRoundHalfToEven)
{
    // 3 digits: 1.5 rounds to 2 bytes, the last digit alone; 5 digits: 2.5 rounds to 2.
    EXPECT_EQ(HexTextToBytes("0A1"), QByteArray("\x0a\x01"));
    EXPECT_EQ(HexTextToBytes("0A1B2"), QByteArray("\x0a\x1b"));
    EXPECT_EQ(HexTextToBytes("0A1B2C3"), QByteArray("\x0a\x1b\x2c\x03"));
    EXPECT_EQ(HexTextToBytes("F"), QByteArray());
    EXPECT_EQ(HexTextToBytes(""), QByteArray());
}

TEST(HexText, NonHexIsATypeMismatch)
{
    for (const char* bad : {"0G", "G0", "0A-1", "0A 1"}) {
        try {
            HexTextToBytes(bad);
            ADD_FAILURE() << bad;
        } catch (const OrgError& err) {
            EXPECT_EQ(err.number(), 13) << bad;
        }
    }
}

TEST(WideBytes, KeepsTheLowBytes)
{
    EXPECT_EQ(WideBytesToAnsi(QByteArray("E\0M\0P\0T\0Y\0", 10)), QByteArray("EMPTY"));
    QString text = QStringLiteral("a\r\nb\r");
    StripChars(text, QStringLiteral("\r\n"));
    EXPECT_EQ(text, QStringLiteral("ab"));
}

TEST(VbDate, PartsRoundTripAcrossTheEpoch)
{
    const DateParts cases[] = {{1899, 12, 30, 0, 0, 0}, {1899, 12, 29, 6, 0, 0}, {1800, 3, 1, 23, 59, 59},
                               {2000, 2, 29, 12, 0, 1}, {2001, 12, 24, 10, 30, 0}, {9999, 12, 31, 23, 59, 59},
                               {100, 1, 1, 0, 0, 0}};
    for (const DateParts& p : cases) {
        const DateParts back = vbDateParts(makeVbDate(p));
        EXPECT_EQ(back.year, p.year);
        EXPECT_EQ(back.month, p.month);
        EXPECT_EQ(back.day, p.day);
        EXPECT_EQ(back.hour, p.hour);
        EXPECT_EQ(back.minute, p.minute);
        EXPECT_EQ(back.second, p.second) << p.year;
    }
    EXPECT_EQ(makeVbDate(1899, 12, 29, 6, 0, 0), -1.25);
    EXPECT_EQ(makeVbDate(1900, 1, 1, 18, 0, 0), 2.75);
    EXPECT_EQ(vbWeekday(makeVbDate(2001, 12, 24)), 2); // a Monday
    EXPECT_EQ(vbWeekday(makeVbDate(1899, 12, 24)), 1); // a Sunday
}

} // namespace
} // namespace tessaro
