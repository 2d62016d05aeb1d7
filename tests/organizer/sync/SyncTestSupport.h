// The synchronisation's world for a test: the main window's grids as start-up leaves them, the
// pictogram lists filled, a calendar file in a private folder with a clock and an appointment
// window the test plays, a phone that fails at chosen calls, and recorders for the window's
// steps, the status window and the boxes.
#pragma once

#include "organizer/daterange/Calendar.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/PhoneCalls.h"

#include "organizer/link/BoxRecorder.h"
#include "organizer/link/MainWindowFakes.h"
#include "organizer/link/QtPrinters.h"

#include "platform/outlook/Application.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <map>
#include <set>

namespace tessaro::test {

namespace outlook = torvane::outlook;

// A phone that holds what it was given and refuses the calls the test names (counted from 1).
class FakePhone : public PhoneCalendar {
public:
    FakePhone() { m_previous = setPhoneCalendar(this); }
    ~FakePhone() override { setPhoneCalendar(m_previous); }
    FakePhone(const FakePhone&) = delete;
    FakePhone& operator=(const FakePhone&) = delete;

    bool InitComm() override;
    void CloseComm() override { calls << QStringLiteral("CloseComm"); }
    bool SendSingleEntry(const PhoneEntry& entry) override;
    bool RemoveEntryFromMobile(std::int16_t location) override;

    std::map<int, PhoneEntry> held;
    std::set<int> refusedWrites;  // numbers of SendSingleEntry calls that fail
    std::set<int> refusedDeletes; // numbers of RemoveEntryFromMobile calls that fail
    bool linkOpens = true;
    QStringList calls;
    int writes = 0;
    int deletes = 0;

private:
    PhoneCalendar* m_previous = nullptr;
};

// Local wall-clock date-times.
QDateTime at(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);
VbDate vb(int y, int mo, int d, int h = 0, int mi = 0, int s = 0);

// One entry row as a person reads it: the texts without their leading blanks.
struct Row {
    QString date, key, id, pcText, mark, location, phoneText;
};
void PrintTo(const Row& row, std::ostream* os);

class SyncTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The calendar application on the test's file (made at the first call, kept in OutlookApp).
    outlook::Application& calendar();
    outlook::Items calendarItems();
    // A saved appointment; `more` sets further fields before the save.
    outlook::AppointmentItem addAppointment(const QString& subject, const QDateTime& start,
                                            const std::function<void(outlook::AppointmentItem&)>& more = {});

    // A phone entry at `location` of the table, counted; kinds and series as the test sets them.
    PhoneEntry& addPhoneEntry(int location, VbDate start, const QString& text);

    // The range from the first day to the last day's end.
    static void setRange(QDate first, QDate last);

    // Both sides read: FG2 from the calendar, FG1 from the table, matched.
    void readBothSides();

    controls::Grid& fg1() { return Main_Form().FG1[std::size_t(ActiveGridIndexFG1)]; }
    controls::Grid& fg2() { return Main_Form().FG2[std::size_t(ActiveGridIndexFG2)]; }
    // The entry rows of a grid: every row below the headers that shows a date.
    static std::vector<Row> rows(const controls::Grid& grid);
    static QStringList column(const controls::Grid& grid, int column);
    // The key of the picture in a cell, looked up in the lists that hold it ("" for none).
    static QString pictureKey(const controls::Grid& grid, int row, int column);
    // The main window's last step ("" when none).
    QString lastCall() const { return window.calls.isEmpty() ? QString() : window.calls.last(); }

    QTemporaryDir dir;
    QString calendarPath = dir.filePath(QStringLiteral("calendar.ics"));
    QDateTime now = at(2026, 2, 20, 12, 0, 0);
    // Plays the appointment window; empty: the window is closed at once.
    std::function<void(outlook::AppointmentItem&)> appointmentWindow;
    int windowsShown = 0;

    BoxRecorder boxes;
    FakeMainWindow window;
    FakeStatus status;
    FakePhone phone;

private:
    OrganizerServices m_services;
};

} // namespace tessaro::test
