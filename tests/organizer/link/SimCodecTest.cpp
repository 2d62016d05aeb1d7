// Entries written with the vCalendar writer, stored by the simulated phone in its own form and
// read back with the parser.
#include "organizer/link/ObjectTransfer.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/link/VCalCodec.h"

#include "QtPrinters.h"
#include "SimFixture.h"

namespace tessaro {
namespace {

using test::SimLinkTest;

enum Category { Misc, Meeting, Anniversary, PhoneCall };

PhoneEntry makeEntry(Category category, bool dAlarm, bool aAlarm, const char* rule, int location)
{
    PhoneEntry e;
    e.StartTime = makeVbDate(2026, 3, 14, 9, 30, 0); // a Saturday
    e.IsMemo = category == Misc ? FlagTrue : FlagFalse;
    e.IsMeeting = category == Meeting ? FlagTrue : FlagFalse;
    e.IsAnniversary = category == Anniversary ? FlagTrue : FlagFalse;
    e.IsPhoneCall = category == PhoneCall ? FlagTrue : FlagFalse;
    if (dAlarm) {
        e.DAlarmSet = FlagTrue;
        e.DAlarm = makeVbDate(2026, 3, 14, 9, 0, 0);
    }
    if (aAlarm) {
        e.AAlarmSet = FlagTrue;
        e.AAlarm = makeVbDate(2026, 3, 14, 9, 15, 30);
    }
    if (rule) {
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(rule);
    }
    // As long as the phone takes, with letters beyond ASCII.
    e.Description = QStringLiteral("Geb. J") + QChar(0xFC) + QStringLiteral("rgen Caf") + QChar(0xE9);
    if (category == PhoneCall)
        e.Summary = QStringLiteral("+49 89 1234567");
    e.LocationIndex = std::int16_t(location);
    return e;
}

class SimCodecTest : public SimLinkTest {
protected:
    QString readText(int location)
    {
        QByteArray bytes;
        EmpfangeDatenobjektVonMs(bytes, "\"vcs\"", std::int16_t(location));
        return QString::fromLatin1(bytes);
    }
};

TEST_F(SimCodecTest, EveryCategoryAlarmAndSeriesReadsBack)
{
    const char* rules[] = {nullptr, "D1", "W1", "Y1"};
    int location = 0;
    for (Category category : {Misc, Meeting, Anniversary, PhoneCall}) {
        for (int alarms = 0; alarms < 4; ++alarms) {
            for (const char* rule : rules) {
                location = location % 50 + 1;
                const PhoneEntry written = makeEntry(category, alarms & 1, alarms & 2, rule, location);
                ASSERT_TRUE(SendSingleEntry(written)) << boxes.boxes.back().text.toStdString();

                PhoneEntry read;
                const QString text = readText(location);
                ASSERT_TRUE(ParsEntryFromMobile(read, text)) << text.toStdString();
                const std::string what = "category " + std::to_string(category) + " alarms " + std::to_string(alarms) +
                                         " rule " + (rule ? rule : "-");
                EXPECT_EQ(read.DtStartSet, FlagTrue) << what;
                EXPECT_EQ(read.DtStart, written.StartTime) << what;
                EXPECT_EQ(read.DAlarmSet, written.DAlarmSet) << what;
                EXPECT_EQ(read.DAlarm, written.DAlarm) << what;
                EXPECT_EQ(read.AAlarmSet, written.AAlarmSet) << what;
                EXPECT_EQ(read.AAlarm, written.AAlarm) << what;
                EXPECT_EQ(read.IsMemo, written.IsMemo) << what;
                EXPECT_EQ(read.IsMeeting, written.IsMeeting) << what;
                EXPECT_EQ(read.IsAnniversary, written.IsAnniversary) << what;
                EXPECT_EQ(read.IsPhoneCall, written.IsPhoneCall) << what;
                EXPECT_EQ(read.IsSerie, written.IsSerie) << what;
                EXPECT_EQ(read.RRule, written.RRule) << what;
                EXPECT_EQ(read.Description, written.Description) << what;
                EXPECT_EQ(read.Summary, written.Summary) << what;
                // The start shown is the earliest of the start and its alarm (the audio alarm
                // when there is one).
                VbDate expectedStart = written.StartTime;
                if (written.AAlarmSet)
                    expectedStart = vbDateEarlier(written.StartTime, written.AAlarm);
                else if (written.DAlarmSet)
                    expectedStart = vbDateEarlier(written.StartTime, written.DAlarm);
                EXPECT_EQ(read.StartTime, expectedStart) << what;
                EXPECT_EQ(read.WeekdayMask, rule && QByteArray(rule) == "W1" ? 64 : 0) << what;
            }
        }
    }
    EXPECT_TRUE(boxes.boxes.empty());
}

TEST_F(SimCodecTest, ThePhoneKeepsItsOwnForm)
{
    PhoneEntry e = makeEntry(Meeting, true, false, "W1", 12);
    ASSERT_TRUE(SendSingleEntry(e));
    const QString text = readText(12);
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nDTSTART:20260314T093000\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nDALARM:20260314T090000\r\n")));
    EXPECT_TRUE(text.contains(QStringLiteral("\r\nRRULE:W1\r\n")));
}

TEST_F(SimCodecTest, DumpShowsTheObjectBeforeSending)
{
    DumpFlag = true;
    const PhoneEntry e = makeEntry(Misc, false, false, nullptr, 3);
    ASSERT_TRUE(SendSingleEntry(e));
    DumpFlag = false;
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, BuildVCalText(e));
    EXPECT_EQ(boxes.boxes[0].style, vbInformation);
}

TEST_F(SimCodecTest, FailedWriteShowsTheErrorBox)
{
    store([](torvane::phonesim::ObjectStoreCommands& m) {
        m.pending = torvane::phonesim::ObjectStoreCommands::Upload{"vcs", 2, 1, 2, ""};
        m.stuckUpload = true;
    });
    EXPECT_FALSE(SendSingleEntry(makeEntry(Misc, false, false, nullptr, 3)));
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].caption, QStringLiteral("An Error Occurred In: Tessaro:CheckMobileWrite:SendSingleEntry"));
    EXPECT_EQ(boxes.boxes[0].text,
              QStringLiteral("Number: -1975\r\nDescription: A data upload is already active and cannot be reset by the "
                             "application.\r\nLocation: Tessaro:SendSingleEntry:Tessaro:CheckMobileWrite"));
}

} // namespace
} // namespace tessaro
