#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/VCalCodec.h"

#include "BoxRecorder.h"
#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

QString object(std::initializer_list<const char*> body)
{
    QString out = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:1.0\r\nBEGIN:VEVENT\r\n");
    for (const char* l : body)
        out += QString::fromUtf8(l) + QStringLiteral("\r\n");
    return out + QStringLiteral("END:VEVENT\r\nEND:VCALENDAR\r\n");
}

PhoneEntry parse(const QString& text)
{
    PhoneEntry e;
    ParseVCalText(e, text);
    return e;
}

class LanguageGuard {
public:
    explicit LanguageGuard(std::int16_t base) : m_old(LanguageBase) { LanguageBase = base; }
    ~LanguageGuard() { LanguageBase = m_old; }

private:
    std::int16_t m_old;
};

TEST(VCalParser, ReadsEveryField)
{
    const PhoneEntry e = parse(object({"CATEGORIES:MEETING", "DTSTART:20011224T120000", "DALARM:20011224T110000",
                                       "AALARM:20011224T113000", "RRULE:Y1", "DESCRIPTION:Team: plans",
                                       "SUMMARY:Room 4"}));
    EXPECT_EQ(e.IsMeeting, FlagTrue);
    EXPECT_EQ(e.IsMemo, FlagFalse);
    EXPECT_EQ(e.DtStartSet, FlagTrue);
    EXPECT_EQ(e.DtStart, makeVbDate(2001, 12, 24, 12, 0, 0));
    EXPECT_EQ(e.DAlarm, makeVbDate(2001, 12, 24, 11, 0, 0));
    EXPECT_EQ(e.AAlarm, makeVbDate(2001, 12, 24, 11, 30, 0));
    EXPECT_EQ(e.IsSerie, FlagTrue);
    EXPECT_EQ(e.RRule, QStringLiteral("Y1"));
    EXPECT_EQ(e.Description, QStringLiteral("Team: plans"));
    EXPECT_EQ(e.Summary, QStringLiteral("Room 4"));
    EXPECT_EQ(e.DisplayText, QStringLiteral("Team: plans"));
    EXPECT_EQ(e.WeekdayMask, 0);
}

struct CategoryRead {
    const char* value;
    Flag16 PhoneEntry::*flag;
};

TEST(VCalParser, EachCategorySetsItsFlag)
{
    const CategoryRead cases[] = {{"MISCELLANEOUS", &PhoneEntry::IsMemo},
                                  {"MEETING", &PhoneEntry::IsMeeting},
                                  {"ANNIVERSARY", &PhoneEntry::IsAnniversary},
                                  {"PHONE CALL", &PhoneEntry::IsPhoneCall}};
    for (const CategoryRead& c : cases) {
        const PhoneEntry e = parse(object({(std::string("CATEGORIES:") + c.value).c_str(), "DTSTART:20020101T000000"}));
        int set = 0;
        for (const CategoryRead& other : cases)
            set += e.*(other.flag) == FlagTrue;
        EXPECT_EQ(e.*(c.flag), FlagTrue) << c.value;
        EXPECT_EQ(set, 1) << c.value;
    }
}

struct ParseFailure {
    const char* line;
    int number;
    const char* english;
    const char* german;
};

class VCalParserFailure : public ::testing::TestWithParam<ParseFailure> {};

TEST_P(VCalParserFailure, RaisesItsNumberAndText)
{
    const ParseFailure& f = GetParam();
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageGuard lang(base);
        try {
            parse(object({"DTSTART:20011224T120000", f.line}));
            ADD_FAILURE() << "no error for " << f.line;
        } catch (const OrgError& err) {
            EXPECT_EQ(err.number(), f.number) << f.line;
            // A conversion error is the runtime's own, with the program as its source.
            EXPECT_EQ(err.source(), f.number == 13 ? QStringLiteral("Tessaro") : QStringLiteral("ParsEntryFromMobile"));
            EXPECT_EQ(err.description(), QString::fromUtf8(base == 10000 ? f.english : f.german));
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Errors, VCalParserFailure,
    ::testing::Values(
        ParseFailure{"BEGIN:VTODO", -1983, "Unexpected tag after BEGIN\r\nBEGIN:VTODO",
                     "Unerwarteter Tag nach BEGIN\r\nBEGIN:VTODO"},
        ParseFailure{"END:vevent", -1982, "Unexpected tag after END\r\nEND:vevent", "Unerwarteter Tag nach END\r\nEND:vevent"},
        ParseFailure{"CATEGORIES:Meeting", -1981, "Unexpected tag after CATEGORIES\r\nCATEGORIES:Meeting",
                     "Unerwarteter Tag nach CATEGORIES\r\nCATEGORIES:Meeting"},
        ParseFailure{"RRULE:W1 #0", -1980, "Unexpected tag after RRULE\r\nRRULE:W1 #0",
                     "Unerwarteter Tag nach RRULE\r\nRRULE:W1 #0"},
        ParseFailure{"RRULE:M1", -1980, "Unexpected tag after RRULE\r\nRRULE:M1", "Unerwarteter Tag nach RRULE\r\nRRULE:M1"},
        ParseFailure{"X-FOO:1", -1979, "Unexpected tag after vcs key\r\nX-FOO:1", "Unerwarteter Tag nach vcs key\r\nX-FOO:1"},
        ParseFailure{"LOCATION:3", -1979, "Unexpected tag after vcs key\r\nLOCATION:3",
                     "Unerwarteter Tag nach vcs key\r\nLOCATION:3"},
        ParseFailure{"summary:x", -1979, "Unexpected tag after vcs key\r\nsummary:x",
                     "Unerwarteter Tag nach vcs key\r\nsummary:x"},
        ParseFailure{"DTSTART:20011224T103000Z", 13, "Type mismatch", "Type mismatch"},
        ParseFailure{"AALARM:2001122410300", 13, "Type mismatch", "Type mismatch"},
        ParseFailure{"DALARM:20011324T103000", 13, "Type mismatch", "Type mismatch"},
        ParseFailure{"DALARM:20010229T103000", 13, "Type mismatch", "Type mismatch"},
        ParseFailure{"DTSTART:", 13, "Type mismatch", "Type mismatch"}));

TEST(VCalParser, LastLineWithoutLineEndReadsEmpty)
{
    QString text = object({"DTSTART:20011224T120000"});
    text.chop(2);
    try {
        parse(text);
        FAIL();
    } catch (const OrgError& err) {
        EXPECT_EQ(err.number(), -1982);
        EXPECT_EQ(err.description(), QStringLiteral("Unexpected tag after END\r\nEND:"));
    }
}

TEST(VCalParser, VersionIsIgnoredWhateverItSays)
{
    QString text = object({"DTSTART:20011224T120000"});
    text.replace(QStringLiteral("VERSION:1.0"), QStringLiteral("VERSION:2.0"));
    EXPECT_NO_THROW(parse(text));
}

struct StartCase {
    const char* name;
    std::vector<const char*> lines;
    VbDate expected;
};

TEST(VCalParser, StartTimeRules)
{
    const VbDate t1200 = makeVbDate(2001, 12, 24, 12, 0, 0);
    const VbDate t1130 = makeVbDate(2001, 12, 24, 11, 30, 0);
    const VbDate t1100 = makeVbDate(2001, 12, 24, 11, 0, 0);
    const VbDate t1300 = makeVbDate(2001, 12, 24, 13, 0, 0);
    const StartCase cases[] = {
        {"start and both alarms: DALARM not considered",
         {"DTSTART:20011224T120000", "AALARM:20011224T113000", "DALARM:20011224T110000"}, t1130},
        {"both alarms without start", {"AALARM:20011224T113000", "DALARM:20011224T110000"}, t1100},
        {"start before its audio alarm", {"DTSTART:20011224T120000", "AALARM:20011224T130000"}, t1200},
        {"start and display alarm", {"DTSTART:20011224T120000", "DALARM:20011224T110000"}, t1100},
        {"start and later display alarm", {"DTSTART:20011224T120000", "DALARM:20011224T130000"}, t1200},
        {"start only", {"DTSTART:20011224T120000"}, t1200},
        {"display alarm only", {"DALARM:20011224T130000"}, t1300},
        {"audio alarm only", {"AALARM:20011224T130000"}, t1300},
        {"nothing", {}, 0},
    };
    for (const StartCase& c : cases) {
        QString text = QStringLiteral("BEGIN:VCALENDAR\r\n");
        for (const char* l : c.lines)
            text += QString::fromLatin1(l) + QStringLiteral("\r\n");
        text += QStringLiteral("END:VCALENDAR\r\n");
        EXPECT_EQ(parse(text).StartTime, c.expected) << c.name;
    }
}

TEST(VCalParser, EarlierIsCalendarOrderBefore1900)
{
    // 29 Dec 1899 06:00 is stored as -1.25 and 12:00 of that day as -1.5.
    const PhoneEntry e = parse(object({"DTSTART:18991229T060000", "AALARM:18991229T120000"}));
    EXPECT_EQ(e.StartTime, makeVbDate(1899, 12, 29, 6, 0, 0));
}

TEST(VCalParser, WeeklyRulesGiveTheStartsWeekdayBit)
{
    // 2 to 8 December 2001 run from Sunday to Saturday.
    for (int day = 2; day <= 8; ++day) {
        for (const char* rule : {"RRULE:D7", "RRULE:W1"}) {
            const std::string start = "DTSTART:200112" + std::string(day < 10 ? "0" : "") + std::to_string(day) + "T090000";
            const PhoneEntry e = parse(object({start.c_str(), rule}));
            EXPECT_EQ(e.RRule, QStringLiteral("W1"));
            EXPECT_EQ(e.IsSerie, FlagTrue);
            EXPECT_EQ(e.WeekdayMask, 1 << (day - 2)) << rule << " day " << day;
        }
    }
    EXPECT_EQ(parse(object({"DTSTART:20011202T090000", "RRULE:D1"})).WeekdayMask, 0);
}

TEST(VCalParser, DisplayTextFallsBackToSummary)
{
    EXPECT_EQ(parse(object({"SUMMARY:only summary"})).DisplayText, QStringLiteral("only summary"));
    EXPECT_EQ(parse(object({"SUMMARY:s", "DESCRIPTION:d"})).DisplayText, QStringLiteral("d"));
}

TEST(ParsEntryFromMobile, ShowsTheErrorBoxAndKeepsWhatWasRead)
{
    test::BoxRecorder boxes;
    PhoneEntry e;
    EXPECT_FALSE(ParsEntryFromMobile(e, object({"DESCRIPTION:kept", "X-FOO:1", "SUMMARY:never"})));
    EXPECT_EQ(e.Description, QStringLiteral("kept"));
    EXPECT_TRUE(e.Summary.isEmpty());
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: ParsEntryFromMobile:ParsEntryFromMobile"));
    EXPECT_EQ(boxes.boxes[0].text, QStringLiteral("Number: -1979\r\nDescription: Unexpected tag after vcs key\r\n"
                                                  "X-FOO:1\r\nLocation: Tessaro:ParsEntryFromMobile"));
    EXPECT_EQ(boxes.boxes[0].style, vbExclamation);
}

TEST(ParsEntryFromMobile, DumpShowsTheTextFirst)
{
    test::BoxRecorder boxes;
    DumpFlag = true;
    PhoneEntry e;
    const QString text = object({"DTSTART:20011224T120000"});
    EXPECT_TRUE(ParsEntryFromMobile(e, text));
    DumpFlag = false;
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, text);
    EXPECT_EQ(boxes.boxes[0].style, vbInformation);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("Tessaro"));
}

TEST(VCalCodec, WriterOutputReadsBackOnceInThePhonesForm)
{
    PhoneEntry e;
    e.StartTime = makeVbDate(2024, 2, 29, 8, 5, 0);
    e.IsAnniversary = FlagTrue;
    e.IsSerie = FlagTrue;
    e.RRule = QStringLiteral("Y1");
    e.Description = QStringLiteral("Leap day");
    QString text = BuildVCalText(e);
    // What the phone gives back: date-times without "Z", the rule without " #0".
    text.replace(QStringLiteral("Z\r\n"), QStringLiteral("\r\n"));
    text.replace(QStringLiteral(" #0"), QString());
    const PhoneEntry back = parse(text);
    EXPECT_EQ(back.StartTime, e.StartTime);
    EXPECT_EQ(back.IsAnniversary, FlagTrue);
    EXPECT_EQ(back.RRule, e.RRule);
    EXPECT_EQ(back.Description, e.Description);
}

} // namespace
} // namespace tessaro
