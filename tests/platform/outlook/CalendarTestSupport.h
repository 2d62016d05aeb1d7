// A calendar in a private folder with a clock the test moves, and the independent check of
// every file the object model wrote when the test ends.
#pragma once

#include "platform/outlook/Application.h"
#include "platform/outlook/OutlookError.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QTemporaryDir>

#include <functional>
#include <vector>

// Times in failure messages as people read them.
inline void PrintTo(const QDateTime& t, std::ostream* os)
{
    *os << t.toString(Qt::ISODateWithMs).toStdString();
}

namespace torvane::outlook::test {

QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);

class CalendarTest : public ::testing::Test {
protected:
    void TearDown() override;

    ApplicationOptions options() const;
    Application app() const;
    Items calendarItems(const Application& a) const;
    Items calendarItems() const { return calendarItems(app()); }
    // A saved single appointment.
    AppointmentItem addSaved(const QString& subject, const QDateTime& start);
    // The filter text the organizer builds for a range.
    static QString rangeFilter(const QDateTime& from, const QDateTime& to);
    // Every item Find and FindNext give for the filter.
    static std::vector<AppointmentItem> findAll(Items& items, const QString& filter);

    QByteArray fileBytes() const;
    void writeFile(const QByteArray& bytes) const;

    // Runs f and returns the number of the outlook::Error it threw (0 when none).
    static int errorOf(const std::function<void()>& f);

    QTemporaryDir m_dir;
    QString m_path = m_dir.filePath(QStringLiteral("calendar.ics"));
    QDateTime m_now = at(2024, 2, 1, 9, 0, 0);
    // Whether TearDown runs the independent check on the file (off for files the test
    // deliberately broke).
    bool m_checkFile = true;
};

} // namespace torvane::outlook::test
