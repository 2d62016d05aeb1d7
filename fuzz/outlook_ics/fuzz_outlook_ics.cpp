// The calendar file reader on hostile input: reading, the fields of every event, expanding
// series (bounded and unbounded ranges), changing an event and writing the calendar back.
// Whatever the reader takes must come back readable after a rewrite, written back unchanged
// when read again, and with everything but its events exactly as the file had it.
#include "platform/outlook/CalendarData.h"
#include "platform/outlook/CalendarText.h"
#include "platform/outlook/EventFields.h"
#include "platform/outlook/OccurrenceCursor.h"

#include <QByteArray>
#include <QDateTime>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace torvane::outlook;

namespace {

[[noreturn]] void fail(const char* what, const QByteArray& text)
{
    std::fprintf(stderr, "%s:\n%s\n", what, text.constData());
    std::abort();
}

// What the object model never changes: every piece of the file but its events, in order.
std::vector<QByteArray> allButEvents(const QByteArray& bytes)
{
    const auto pieces = splitCalendar(bytes);
    if (!pieces)
        fail("written calendar not one calendar", bytes);
    std::vector<QByteArray> out;
    for (const CalendarPiece& p : *pieces)
        if (p.kind != CalendarPiece::Kind::Component || p.name != "VEVENT")
            out.push_back(p.text);
    return out;
}

} // namespace

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
        const auto again = CalendarData::fromBytes(written, &why);
        if (!again)
            fail(qPrintable(QStringLiteral("written calendar not readable (%1)").arg(why)), written);
        if (again->toBytes() != written)
            fail("written calendar changes when read and written again", written);
    }
    // A blank file is no calendar yet: it becomes one of our own.
    if (splitCalendar(bytes)) {
        const auto kept = allButEvents(bytes);
        if (allButEvents(calendar->toBytes()) != kept || allButEvents(changed.toBytes()) != kept)
            fail("more than events changed", changed.toBytes());
    }
    return 0;
}
