// Reading a busy calendar into the PC grid and matching it with the phone's 50 entries, as the
// read-calendar command does (ReadOutlook with both sides loaded): the calendar's search with
// every occurrence of its series, a sorted row per occurrence in the hidden twin, the marks of
// both grids and the matching, series occurrence by occurrence. The range is one year; its
// calendar holds N occurrences (a tenth of them from weekly series, the rest single
// appointments, several at the same start). Run: bench_sync_read_compare
// --benchmark_filter=ReadAndCompare; the target is below 0.5 s for 5,000 occurrences, and the
// time should grow no faster than N.
#include "organizer/daterange/Calendar.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"

#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

using namespace tessaro;

constexpr int kPhoneEntries = 50;
constexpr int kSeriesOccurrences = 52; // a weekly series over the year

QString stamp(const QDateTime& t)
{
    return t.toString(QStringLiteral("yyyyMMdd'T'HHmmss"));
}

// Single appointments every 15 minutes of the working days' hours, three to a slot now and then,
// and weekly series for a tenth of the occurrences.
QByteArray calendarText(int occurrences)
{
    QString ics = QStringLiteral("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//bench//EN\r\n");
    const auto event = [&](int uid, const QDateTime& start, const QString& subject, bool weekly) {
        ics += QStringLiteral("BEGIN:VEVENT\r\nUID:bench-%1\r\nDTSTAMP:20260101T000000Z\r\nDTSTART:%2\r\n"
                              "DTEND:%3\r\nSUMMARY:%4\r\n")
                   .arg(uid)
                   .arg(stamp(start), stamp(start.addSecs(1800)), subject);
        if (weekly)
            ics += QStringLiteral("RRULE:FREQ=WEEKLY;COUNT=%1\r\n").arg(kSeriesOccurrences);
        ics += QStringLiteral("END:VEVENT\r\n");
    };
    const int series = std::max(1, occurrences / 10 / kSeriesOccurrences);
    int uid = 0;
    for (int s = 0; s < series; ++s)
        event(++uid, QDateTime(QDate(2026, 1, 5 + s % 4), QTime(8 + s % 9, 0)), QStringLiteral("Weekly %1").arg(s),
              true);
    const int singles = occurrences - series * kSeriesOccurrences;
    for (int i = 0; i < singles; ++i) {
        // Slots of 15 minutes from 07:00 to 19:00 across the year; every seventh shares its slot.
        const int slot = i - i / 7;
        const QDate day = QDate(2026, 1, 1).addDays((slot / 48) % 365);
        const QTime time = QTime(7, 0).addSecs(60 * 15 * (slot % 48));
        event(++uid, QDateTime(day, time), QStringLiteral("Appointment %1").arg(i), false);
    }
    ics += QStringLiteral("END:VCALENDAR\r\n");
    return ics.toUtf8();
}

// Fifty phone entries: forty singles on appointments' starts (half of them with the matching
// text), five weekly, three daily and two yearly series.
void phoneEntries(int occurrences)
{
    PhoneEntryTable = EntryTable();
    PhoneEntryTable.Redim(1, kPhoneEntries);
    FirstLocation = 1;
    LastLocation = kPhoneEntries;
    MobileCapacity = kPhoneEntries;
    const int singles = occurrences - std::max(1, occurrences / 10 / kSeriesOccurrences) * kSeriesOccurrences;
    for (int location = 1; location <= kPhoneEntries; ++location) {
        PhoneEntry& e = PhoneEntryTable.Entries(location);
        e.Location = QString::number(location);
        e.LocationIndex = std::int16_t(location);
        e.IsMemo = FlagTrue;
        if (location <= 40) {
            const int i = (location - 1) * (singles / 40);
            const int slot = i - i / 7;
            const QDate day = QDate(2026, 1, 1).addDays((slot / 48) % 365);
            const QTime time = QTime(7, 0).addSecs(60 * 15 * (slot % 48));
            e.StartTime = fromDateTime(QDateTime(day, time));
            e.Description = location % 2 ? QStringLiteral("Appointment %1").arg(i) : QStringLiteral("Other");
        } else {
            e.IsSerie = FlagTrue;
            e.RRule = location <= 45 ? QStringLiteral("W1") : location <= 48 ? QStringLiteral("D1")
                                                                              : QStringLiteral("Y1");
            e.StartTime = makeVbDate(2025, 6, location - 40, 8, 0);
            e.Description = QStringLiteral("Series %1").arg(location);
        }
        e.DisplayText = e.Description;
        ++PhoneEntryTable.Count;
    }
    MobileEntryCount = PhoneEntryTable.Count;
}

void setUpWindow()
{
    resetMain_Form();
    MainFormControls& f = Main_Form();
    for (auto* pair : {&f.FG1, &f.FG2})
        for (int i = 0; i < 2; ++i) {
            (*pair)[std::size_t(i)].setCols(10);
            (*pair)[std::size_t(i)].setRows(7);
            (*pair)[std::size_t(i)].setFixedRows(2);
        }
    QImage image(16, 16, QImage::Format_ARGB32);
    image.fill(Qt::green);
    const torvane::controls::Picture picture(image);
    for (const char* key : {"m", "s", "w", "y", "j", "r", "l"})
        f.ImageList[0].add(QLatin1String(key), picture);
    for (auto* list : {&f.TIVMemoImageList, &f.TIVMeetingImageList, &f.TIVBirthdayImageList, &f.TIVCallImageList,
                       &f.TIVMemoBellImageList, &f.TIVMeetingBellImageList, &f.TIVBirthdayBellImageList,
                       &f.TIVCallBellImageList})
        for (const char* key : {"Normal", "Day", "Week", "Year"})
            list->add(QLatin1String(key), picture);
    f.TIVStartCalendar.setValue(QDate(2026, 1, 1));
    for (const char* unit : {"Day", "Week", "Month", "Year"})
        f.PeriodeCombo.addItem(QLatin1String(unit));
    f.PeriodeCombo.setListIndex(3);
    f.PeriodeText.setText(QStringLiteral("1"));
}

struct Scene {
    QTemporaryDir dir;
    explicit Scene(int occurrences)
    {
        setRegionalDateNames(torvane::datetext::DateNames::english());
        OrganizerAvailable = true;
        OrganizerName = QStringLiteral("Calendar");
        setUpWindow();
        RefreshDateRange();
        const QString path = dir.filePath(QStringLiteral("calendar.ics"));
        QFile file(path);
        file.open(QIODevice::WriteOnly);
        file.write(calendarText(occurrences));
        file.close();
        OutlookApp.reset();
        OutlookOptions = {};
        OutlookOptions.calendarPath = path;
        OutlookApplication();
        phoneEntries(occurrences);
        FillGridMobileEntry(PhoneEntryTable, 9, 4, 5, 8);
        MobileEntriesRead = true;
    }
    ~Scene()
    {
        OutlookApp.reset();
        resetMain_Form();
    }
};

void BM_ReadAndCompare(benchmark::State& state)
{
    const int occurrences = int(state.range(0));
    Scene scene(occurrences);
    for (auto _ : state)
        ReadOutlook(true);
    const auto& grid = Main_Form().FG2[std::size_t(ActiveGridIndexFG2)];
    int matched = 0;
    for (int row = 2; row < grid.rows(); ++row)
        matched += grid.textMatrix(row, 5) == QLatin1String("j");
    state.counters["rows"] = OrganizerEntryCount;
    state.counters["matched"] = matched;
    if (OrganizerEntryCount != occurrences)
        state.SkipWithError(("the grid holds " + std::to_string(OrganizerEntryCount) + " rows").c_str());
}

// The matching alone, on grids already filled.
void BM_CompareOnly(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    ReadOutlook(true);
    auto& pc = Main_Form().FG2[std::size_t(ActiveGridIndexFG2)];
    auto& phone = Main_Form().FG1[std::size_t(ActiveGridIndexFG1)];
    for (auto _ : state)
        CompareGrids(phone, pc, 9, 4, 5);
}

// The calendar's search alone: every occurrence of the range, as the filling takes them.
void BM_CalendarSearchOnly(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    const QString filter = CalendarFilter(RangeStart, RangeEnd);
    int found = 0;
    for (auto _ : state) {
        torvane::outlook::Items items =
            OutlookApplication().GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(9).Items();
        items.setIncludeRecurrences(true);
        items.Sort(QStringLiteral("[Start]"));
        found = 0;
        for (auto item = items.Find(filter); item; item = items.FindNext())
            ++found;
    }
    state.counters["found"] = found;
}

// The organizer's own part of the read: the rows of the occurrences (fetched beforehand) put into
// a cleared grid at their sorted places, then the marks and the matching.
void BM_RowsAndMarksOnly(benchmark::State& state)
{
    Scene scene(int(state.range(0)));
    torvane::outlook::Items items = OutlookApplication().GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(9).Items();
    items.setIncludeRecurrences(true);
    items.Sort(QStringLiteral("[Start]"));
    std::vector<torvane::outlook::AppointmentItem> all;
    for (auto item = items.Find(CalendarFilter(RangeStart, RangeEnd)); item; item = items.FindNext())
        all.push_back(*item);
    OrganizerEntriesRead = true;
    auto& pc = Main_Form().FG2[std::size_t(ActiveGridIndexFG2)];
    auto& phone = Main_Form().FG1[std::size_t(ActiveGridIndexFG1)];
    for (auto _ : state) {
        pc.clear();
        for (const auto& item : all)
            InsertGridEntry(pc, item, 2, 4, 9, 0, 5, 3);
        FillGridControll(pc, 2, 4, 9, 5);
        FillGridPicture(pc, 2, 6, 5);
        CompareGrids(phone, pc, 9, 4, 5);
    }
}

BENCHMARK(BM_ReadAndCompare)->Arg(500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowsAndMarksOnly)->Arg(500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CompareOnly)->Arg(500)->Arg(5000)->Arg(20000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CalendarSearchOnly)->Arg(500)->Arg(5000)->Arg(10000)->Arg(20000)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_SYNC_PRIVATE");
}
