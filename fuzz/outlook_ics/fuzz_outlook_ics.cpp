// The calendar file reader on hostile input: reading, the fields of every event, expanding
// series (bounded and unbounded ranges), changing an event and writing the calendar back.
// Whatever the reader takes must come back readable after a rewrite.
#include "platform/outlook/CalendarData.h"
#include "platform/outlook/EventFields.h"
#include "platform/outlook/OccurrenceCursor.h"

#include <QByteArray>
#include <QDateTime>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace torvane::outlook;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    auto parsed = CalendarData::fromBytes(bytes);
    if (!parsed)
        return 0;
    auto calendar = std::make_shared<const CalendarData>(std::move(*parsed));
    for (const auto& e : calendar->events()) {
        (void)readEventValues(e.component, calendar->root());
        (void)readLastModified(e.component);
    }

    StartRange window;
    window.from = QDateTime(QDate(2023, 1, 1), QTime(0, 0));
    window.to = QDateTime(QDate(2025, 12, 31), QTime(23, 59));
    OccurrenceCursor occurrences(calendar, window, true, true);
    for (int i = 0; i < 2000 && occurrences.next(); ++i) {
    }
    OccurrenceCursor open(calendar, StartRange{}, true, false);
    for (int i = 0; i < 200 && open.next(); ++i) {
    }
    OccurrenceCursor events(calendar, StartRange{}, false, true);
    while (events.next()) {
    }

    // Change the first event as a save would, and write the calendar back.
    CalendarData changed = calendar->clone();
    if (!changed.events().empty()) {
        icalcomponent* event = changed.events().front().component;
        const EventValues values = readEventValues(event, changed.root());
        const QDateTime start = values.start.isValid() ? values.start.addSecs(3600)
                                                       : QDateTime(QDate(2024, 3, 1), QTime(9, 0));
        writeStart(event, changed.root(), start);
        writeSubject(event, QStringLiteral("subject, with; specials\\"));
        writeBody(event, QString());
        writeMeetingStatus(event, 1);
        writeReminder(event, !values.reminderSet);
        PatternValues pattern;
        pattern.type = RecursMonthNth;
        writeRecurrence(event, changed, true, pattern, start.date());
        writeModified(event, QDateTime(QDate(2024, 1, 1), QTime(0, 0)), QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    }
    changed.reindex();
    for (const QByteArray& written : {calendar->toBytes(), changed.toBytes()}) {
        QString why;
        if (!CalendarData::fromBytes(written, &why)) {
            std::fprintf(stderr, "written calendar not readable (%s):\n%s\n", qPrintable(why), written.constData());
            std::abort();
        }
    }
    return 0;
}
