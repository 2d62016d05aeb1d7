// The organizer's synchronisation end to end, without its window: the simulated phone on a
// pseudo-terminal holds eight entries of every category, alarm and series kind, the calendar file
// a dozen appointments. Both sides are read and marked, two entries copied each way, one deleted
// on each side, the range changed; then the phone's store and the calendar file (read by libical
// alone) hold exactly what the grids show. The same in 2031, with texts the phone holds otherwise,
// times the clock skips on both sides and a weekly series split from a later row.
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/ComDrv.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/VCalCodec.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"
#include "organizer/sync/Transfer.h"

#include "platform/serial/SerialPortName.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneSim.h"

#include "organizer/link/FakeLinkClock.h"
#include "organizer/link/LinkFixture.h"
#include "platform/outlook/IndependentCheck.h"

#include "SyncTestSupport.h"

#include <QFile>

#include <ctime>
#include <map>
#include <set>

namespace tessaro {
namespace {

using test::at;
using test::vb;
using torvane::phonesim::ObjectStoreCommands;

// Local time with summer time: the ranges cross its changes.
[[maybe_unused]] const bool berlinTime = (qputenv("TZ", "Europe/Berlin"), tzset(), true);

constexpr int kSimPort = 3;
constexpr int kMonday = 1 << 1;
constexpr int kWednesday = 1 << 3;
constexpr int kFriday = 1 << 5;

enum Category { Misc, Meeting, Anniversary, Call };
enum Alarm { NoAlarm, Display, Audio, Both };

// The alarms ring at the start, as the organizer sets them (an earlier alarm would make the
// phone's entry start then).
PhoneEntry phoneEntry(VbDate start, const char* text, Category category, Alarm alarm, const char* rule)
{
    PhoneEntry e;
    e.StartTime = start;
    e.DtStart = start;
    e.DtStartSet = FlagTrue;
    e.Description = QString::fromUtf8(text);
    e.IsMemo = category == Misc ? FlagTrue : FlagFalse;
    e.IsMeeting = category == Meeting ? FlagTrue : FlagFalse;
    e.IsAnniversary = category == Anniversary ? FlagTrue : FlagFalse;
    e.IsPhoneCall = category == Call ? FlagTrue : FlagFalse;
    if (alarm == Display || alarm == Both) {
        e.DAlarmSet = FlagTrue;
        e.DAlarm = start;
    }
    if (alarm == Audio || alarm == Both) {
        e.AAlarmSet = FlagTrue;
        e.AAlarm = start;
    }
    if (*rule) {
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(rule);
    }
    return e;
}

// What the phone holds at a location, read back with the organizer's parser: start and text.
using Held = std::pair<QString, QString>;

class SyncEndToEndTest : public test::SyncTest {
protected:
    void SetUp() override
    {
        SyncTest::SetUp();
        setPhoneCalendar(nullptr); // the real phone behind the link
        test::resetLinkSettings();
        MobileConnected = false;
        std::string error;
        ASSERT_TRUE(sim.start(torvane::serial::portLinkFolder() + "/COM" + std::to_string(kSimPort), &error)) << error;
        clock.grace = std::chrono::milliseconds(300);
        ComDrvLoad(makePlatformSerialBackend(), clock).MSComm1.setCommPort(kSimPort);

        const PhoneEntry entries[] = {
            phoneEntry(vb(2026, 3, 3, 9, 0), "Dentist", Misc, NoAlarm, ""),
            phoneEntry(vb(2026, 2, 16, 10, 0), "Jour fixe", Meeting, Display, "W1"),
            phoneEntry(vb(1990, 3, 14, 0, 0), "Anna", Anniversary, Audio, "Y1"),
            phoneEntry(vb(2026, 3, 20, 7, 30), "Call mum", Call, Both, "D1"),
            phoneEntry(vb(2026, 3, 25, 18, 0), "Theatre", Misc, Display, ""),
            phoneEntry(vb(2026, 3, 4, 12, 0), "Lunch", Meeting, NoAlarm, "D7"),
            phoneEntry(vb(2026, 3, 10, 7, 0), "", Misc, NoAlarm, ""),
            phoneEntry(vb(2026, 4, 15, 9, 0), "Tax office", Call, Audio, ""),
        };
        sim.withModule<ObjectStoreCommands>([&](ObjectStoreCommands& store) {
            for (int i = 0; i < 8; ++i) {
                const QByteArray bytes = VCalTextToBytes(BuildVCalText(entries[i]));
                store.objects["vcs"][i + 1] = ObjectStoreCommands::phoneForm(bytes.toStdString());
            }
        });

        addAppointment(QStringLiteral("Dentist Dr. Weber"), at(2026, 3, 3, 9, 0));
        addAppointment(QStringLiteral("Jour fixe team"), at(2026, 2, 2, 10, 0), [](outlook::AppointmentItem& i) {
            outlook::RecurrencePattern p = i.GetRecurrencePattern();
            p.setRecurrenceType(1);
            p.setDayOfWeekMask(kMonday | kWednesday | kFriday);
        });
        addAppointment(QStringLiteral("Anna birthday"), at(2020, 3, 14, 0, 0),
                       [](outlook::AppointmentItem& i) { i.GetRecurrencePattern().setRecurrenceType(5); });
        addAppointment(QString(), at(2026, 3, 10, 7, 0));
        addAppointment(QStringLiteral("Lunch with Bob"), at(2026, 3, 4, 12, 0));
        addAppointment(QStringLiteral("Car service"), at(2026, 3, 6, 8, 0));
        addAppointment(QStringLiteral("Board meeting"), at(2026, 3, 12, 14, 0));
        addAppointment(QStringLiteral("Concert"), at(2026, 3, 27, 20, 0));
        addAppointment(QStringLiteral("Haircut"), at(2026, 3, 17, 16, 30));
        addAppointment(QStringLiteral("Project kickoff"), at(2026, 4, 1, 9, 0));
        addAppointment(QStringLiteral("Team dinner"), at(2026, 3, 19, 19, 0));
        addAppointment(QStringLiteral("Yoga"), at(2026, 3, 5, 18, 0),
                       [](outlook::AppointmentItem& i) { i.GetRecurrencePattern().setRecurrenceType(1); });
        OutlookApp.reset(); // the organizer opens the calendar itself

        // The range as the window's fields give it: four weeks from Monday, 2 March.
        chooseRange(QDate(2026, 3, 2), 4);
    }
    void TearDown() override
    {
        ComDrvUnload();
        sim.stop();
        SyncTest::TearDown();
    }

    static void chooseRange(QDate start, int weeks)
    {
        Main_Form().TIVStartCalendar.setValue(start);
        Main_Form().PeriodeCombo.setListIndex(1);
        Main_Form().PeriodeText.setText(QString::number(weeks));
        RefreshDateRange();
    }

    // The row of a grid whose side `textColumn` shows `text` (at `start`, when one is given).
    int rowOf(const controls::Grid& g, int textColumn, const QString& text, VbDate start = 0)
    {
        for (int r = g.fixedRows(); r < g.rows(); ++r)
            if (!g.textMatrix(r, ColDateText).isEmpty() && WithoutLeadingBlanks(g.textMatrix(r, textColumn)) == text &&
                (start == 0 || g.textMatrix(r, ColSortKey) == SortKeyText(start)))
                return r;
        ADD_FAILURE() << "no row shows " << text.toStdString();
        return g.fixedRows();
    }

    // The marks of the PC rows, subject by subject in start order.
    std::map<QString, QString> pcMarks()
    {
        std::map<QString, QString> marks;
        for (const test::Row& r : rows(fg2()))
            marks[r.pcText] += r.mark;
        return marks;
    }

    std::multiset<Held> phoneStore()
    {
        std::multiset<Held> held;
        sim.withModule<ObjectStoreCommands>([&](ObjectStoreCommands& store) {
            for (const auto& [location, bytes] : store.objects["vcs"]) {
                PhoneEntry e;
                ParseVCalText(e, QString::fromLatin1(QByteArray::fromStdString(bytes)));
                held.insert({SortKeyText(e.StartTime), e.DisplayText});
            }
        });
        return held;
    }

    void putOnPhone(int location, const PhoneEntry& e)
    {
        const std::string bytes = ObjectStoreCommands::phoneForm(VCalTextToBytes(BuildVCalText(e)).toStdString());
        sim.withModule<ObjectStoreCommands>([&](auto& store) { store.objects["vcs"][location] = bytes; });
    }

    QByteArray calendarFile() const
    {
        QFile f(calendarPath);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    torvane::phonesim::PhoneSim sim;
    test::FakeLinkClock clock;
};

TEST_F(SyncEndToEndTest, BothSidesEndAsTheGridsShowThem)
{
    // Read both sides.
    ASSERT_TRUE(ReadMobile(false));
    ReadOutlook(false);
    ASSERT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();
    EXPECT_EQ(PhoneEntryTable.Count, 8);
    EXPECT_EQ(column(fg1(), 9),
              QStringList({"Anna", "Jour fixe", "Dentist", "Lunch", "", "Call mum", "Theatre", "Tax office"}));
    // The phone's birthday, its Monday jour fixe, the dentist, the lunch and the untitled early
    // appointment are on both sides; the daily call, the theatre and the tax office (after the
    // range) only on the phone.
    EXPECT_EQ(column(fg1(), 5), QStringList({"j", "j", "j", "j", "j", "l", "l", "l"}));
    const std::map<QString, QString> marks{{"", "j"},
                                           {"Anna birthday", "j"},
                                           {"Board meeting", "r"},
                                           {"Car service", "r"},
                                           {"Concert", "r"},
                                           {"Dentist Dr. Weber", "j"},
                                           {"Haircut", "r"},
                                           {"Jour fixe team", "jrrjrrjrrjrr"},
                                           {"Lunch with Bob", "j"},
                                           {"Team dinner", "r"},
                                           {"Yoga", "rrrr"}};
    EXPECT_EQ(pcMarks(), marks);

    // Two appointments to the phone, two phone entries to the calendar.
    for (const char* subject : {"Car service", "Board meeting"}) {
        fg2().setRow(rowOf(fg2(), ColPcText, QLatin1String(subject)));
        EXPECT_TRUE(EntryOutlookToMobile(fg2(), PhoneEntryTable, OutlookApplication())) << subject;
    }
    for (const char* text : {"Call mum", "Tax office"}) {
        std::int16_t index = -1;
        ASSERT_TRUE(GetMobileEntryIndex(PhoneEntryTable, fg1().textMatrix(rowOf(fg1(), ColPhoneText,
                                                                                 QLatin1String(text)), 8), index));
        EXPECT_TRUE(EntryMobileToOutlook(VisibleFG2(), PhoneEntryTable.Entries(index), OutlookApplication())) << text;
    }
    EXPECT_EQ(PhoneEntryTable.Count, 10);
    EXPECT_EQ(pcMarks()["Car service"], "j");
    EXPECT_EQ(pcMarks()["Board meeting"], "j");
    EXPECT_EQ(pcMarks()["Call mum"], "jjjjjjjjjj");
    EXPECT_EQ(column(fg1(), 5).count("l"), 1); // the theatre

    // Delete the theatre on the phone, the haircut in the calendar's own window.
    fg1().setRow(rowOf(fg1(), ColPhoneText, QStringLiteral("Theatre")));
    fg1().setCol(ColPhoneText);
    EXPECT_TRUE(DeleteSelectedMobileEntry(fg1(), PhoneEntryTable));
    fg2().setRow(rowOf(fg2(), ColPcText, QStringLiteral("Haircut")));
    fg2().setCol(ColPcText);
    appointmentWindow = [](outlook::AppointmentItem& item) { item.Delete(); };
    OpenOutlookEntry(fg2());
    EXPECT_EQ(pcMarks().count("Haircut"), 0u);

    // Another range: the calendar read again, the phone's rows filled again as the picker's OK does.
    chooseRange(QDate(2026, 3, 16), 4);
    ReadOutlook(false);
    FillGridMobileEntry(PhoneEntryTable, ColPhoneText, ColPcText, ColMark, ColPhoneLocation);
    FillGridControll(fg1(), 2, 4, 9, 5);
    FillGridPicture(fg1(), 2, 6, 5);
    FillGridControll(fg2(), 2, 4, 9, 5);
    FillGridPicture(fg2(), 2, 6, 5);
    // The tax office lies after the new range too: offered again, it finds its copy.
    const int taxRow = rowOf(fg1(), ColPhoneText, QStringLiteral("Tax office"));
    EXPECT_EQ(fg1().textMatrix(taxRow, ColMark), "l");
    std::int16_t tax = -1;
    ASSERT_TRUE(GetMobileEntryIndex(PhoneEntryTable, fg1().textMatrix(taxRow, 8), tax));
    EXPECT_TRUE(EntryMobileToOutlook(VisibleFG2(), PhoneEntryTable.Entries(tax), OutlookApplication()));
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();

    // The phone holds exactly the phone grid's rows, each once.
    std::multiset<Held> shownOnPhoneGrid;
    for (const test::Row& r : rows(fg1()))
        shownOnPhoneGrid.insert({r.key, r.phoneText});
    EXPECT_EQ(phoneStore(), shownOnPhoneGrid);
    EXPECT_EQ(shownOnPhoneGrid.size(), 9u);
    EXPECT_EQ(PhoneEntryTable.Count, 9);

    // The calendar file, read by libical alone, holds exactly the PC grid's rows in the range.
    const QDateTime from = toDateTime(RangeStart);
    const QDateTime to = toDateTime(RangeEnd);
    std::multiset<std::tuple<QString, QString, QString>> inFile;
    for (const auto& o : torvane::outlook::test::libicalOccurrences(calendarPath, from, to))
        inFile.insert({SortKeyText(fromDateTime(o.start)), o.uid, o.subject});
    std::multiset<std::tuple<QString, QString, QString>> shownOnPcGrid;
    for (const test::Row& r : rows(fg2()))
        shownOnPcGrid.insert({r.key, r.id, r.pcText});
    EXPECT_EQ(inFile, shownOnPcGrid);
    // And no appointment twice anywhere in it.
    const auto all = torvane::outlook::test::libicalOccurrences(calendarPath, at(1990, 1, 1), at(2030, 12, 31));
    std::set<std::pair<QDateTime, QString>> distinct;
    for (const auto& o : all)
        EXPECT_TRUE(distinct.insert({o.start, o.subject}).second) << o.subject.toStdString();
    std::set<QString> events;
    for (const auto& o : all)
        events.insert(o.uid);
    EXPECT_EQ(events.size(), 13u);
    torvane::outlook::test::expectIndependentlyValid(calendarPath, from, to);
}

TEST_F(SyncEndToEndTest, In2031CopiesGoBothWaysOnceAndASplitSeriesIsNotDoubled)
{
    PhoneEntry parents = phoneEntry(vb(2031, 3, 25, 19, 0), "", Misc, NoAlarm, "");
    parents.Summary = QStringLiteral("Elternabend Caf") + QChar(0xE9); // the text in the summary alone
    putOnPhone(9, parents);
    putOnPhone(10, phoneEntry(vb(2031, 5, 2, 8, 30), "Zahnarzt", Misc, Display, "")); // after the range
    putOnPhone(11, phoneEntry(vb(2031, 3, 30, 2, 30), "Nachtschicht", Misc, NoAlarm, "")); // the clock skips it
    const QString cinema = QStringLiteral("Kino 50") + QChar(0x20AC);
    addAppointment(cinema, at(2031, 3, 20, 20, 0));
    addAppointment(QStringLiteral("Choir"), at(2031, 3, 3, 19, 30), [](outlook::AppointmentItem& i) {
        outlook::RecurrencePattern p = i.GetRecurrencePattern();
        p.setRecurrenceType(1);
        p.setDayOfWeekMask(kMonday | kWednesday | kFriday);
    });
    // Written by another program at 02:30 on the last Sunday of March 2031, a time the clock skips.
    QByteArray file = calendarFile();
    file.insert(file.lastIndexOf("END:VCALENDAR"), "BEGIN:VEVENT\r\nUID:night-train\r\nDTSTAMP:20310101T000000Z\r\n"
                                                  "DTSTART:20310330T023000\r\nSUMMARY:Night train\r\nEND:VEVENT\r\n");
    QFile out(calendarPath);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    OutlookApp.reset();

    // Four weeks from Monday, 17 March: the choir began two weeks earlier.
    chooseRange(QDate(2031, 3, 17), 4);
    ASSERT_TRUE(ReadMobile(false));
    ReadOutlook(false);
    EXPECT_EQ(fg2().textMatrix(rowOf(fg2(), ColPcText, QStringLiteral("Night train")), ColDateText),
              "Sun 30.03.31 03:30");

    // To the phone: the euro sign is a character the phone cannot hold.
    fg2().setRow(rowOf(fg2(), ColPcText, cinema));
    EXPECT_TRUE(EntryOutlookToMobile(fg2(), PhoneEntryTable, OutlookApplication()));
    EXPECT_EQ(pcMarks()[cinema], "j");
    // To the calendar: the summary's text, a time the clock skips and an entry after the range,
    // each twice with a read between.
    const auto copyToCalendar = [&](const QString& text) {
        std::int16_t index = -1;
        ASSERT_TRUE(GetMobileEntryIndex(PhoneEntryTable, fg1().textMatrix(rowOf(fg1(), ColPhoneText, text), 8), index));
        EXPECT_TRUE(EntryMobileToOutlook(VisibleFG2(), PhoneEntryTable.Entries(index), OutlookApplication()));
    };
    for (int read = 0; read < 2; ++read) {
        for (const QString& text : {parents.Summary, QStringLiteral("Nachtschicht"), QStringLiteral("Zahnarzt")})
            copyToCalendar(text);
        ReadOutlook(false);
    }
    EXPECT_EQ(pcMarks()[parents.Summary], "j");
    // The skipped time stands where the grid shows such a time, paired with the phone's.
    const int night = rowOf(fg2(), ColPcText, QStringLiteral("Nachtschicht"), vb(2031, 3, 30, 3, 30));
    EXPECT_EQ(fg2().textMatrix(night, ColMark), "j");

    // The choir from its first Friday row; the Monday and Wednesday rows before it are still
    // offered, and the Monday's copy adds nothing twice.
    fg2().setRow(rowOf(fg2(), ColPcText, QStringLiteral("Choir"), vb(2031, 3, 21, 19, 30)));
    EntryOutlookToMobile(fg2(), PhoneEntryTable, OutlookApplication());
    const int monday = rowOf(fg2(), ColPcText, QStringLiteral("Choir"), vb(2031, 3, 17, 19, 30));
    EXPECT_EQ(fg2().textMatrix(monday, ColMark), "r");
    fg2().setRow(monday);
    EntryOutlookToMobile(fg2(), PhoneEntryTable, OutlookApplication());
    ReadOutlook(false);
    EXPECT_EQ(pcMarks()["Choir"], QString(12, u'j'));
    EXPECT_TRUE(boxes.boxes.empty()) << boxes.boxes.front().text.toStdString();

    // The phone holds the grid's rows, each once: the choir on three weekdays.
    std::multiset<Held> shownOnPhoneGrid;
    for (const test::Row& r : rows(fg1()))
        shownOnPhoneGrid.insert({r.key, r.phoneText});
    EXPECT_EQ(phoneStore(), shownOnPhoneGrid);
    EXPECT_EQ(PhoneEntryTable.Count, 15);
    EXPECT_TRUE(shownOnPhoneGrid.contains({QStringLiteral("2031-03-20 20:00:00"), QStringLiteral("Kino 50?")}));

    // The calendar file: each copy once, with the phone's texts as they were; the other
    // program's event as it wrote it.
    std::multiset<QString> subjects;
    const std::set<QString> copied{cinema, parents.Summary, QStringLiteral("Zahnarzt"), QStringLiteral("Nachtschicht")};
    for (const auto& o : torvane::outlook::test::libicalOccurrences(calendarPath, at(2031, 3, 1), at(2031, 6, 1)))
        if (copied.contains(o.subject))
            subjects.insert(o.subject);
    EXPECT_EQ(subjects, std::multiset<QString>(copied.begin(), copied.end()));
    EXPECT_TRUE(calendarFile().contains("DTSTART:20310330T023000"));
}

} // namespace
} // namespace tessaro
