// A check of a calendar file that does not trust the object model: libical alone reads the
// file, applies its own restriction check for iCalendar objects and expands the events; a
// fresh application object reading the same file must see the same events, occurrences and
// properties.
#pragma once

#include <QDateTime>
#include <QString>

#include <vector>

namespace torvane::outlook::test {

// Adds gtest failures for everything that does not agree. Occurrences are compared for the
// starts from `from` to `to` (local wall-clock, inclusive).
// One occurrence (or single event) as libical alone expands the file.
struct IcalOccurrence {
    QDateTime start;
    QString uid;
    QString subject;
};

// The occurrences starting from `from` to `to` (the last minute included), in start order;
// nothing when libical cannot read the file.
std::vector<IcalOccurrence> libicalOccurrences(const QString& path, const QDateTime& from, const QDateTime& to);

void expectIndependentlyValid(const QString& path, const QDateTime& from = QDateTime(QDate(2020, 1, 1), QTime(0, 0)),
                              const QDateTime& to = QDateTime(QDate(2027, 12, 31), QTime(23, 59)));

} // namespace torvane::outlook::test
