#include "organizer/daterange/Calendar.h"

#include "organizer/daterange/CalendarFrame.h"
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/MainFormControls.h"

#include "platform/ui/datetext/WallClock.h"

#include <QLocale>

#include <optional>

namespace tessaro {

namespace {

std::optional<torvane::datetext::DateNames>& dateNames()
{
    static std::optional<torvane::datetext::DateNames> names;
    return names;
}

std::function<QDateTime()>& clock()
{
    static std::function<QDateTime()> c;
    return c;
}

} // namespace

const torvane::datetext::DateNames& RegionalDateNames()
{
    if (!dateNames())
        dateNames() = torvane::datetext::DateNames::fromLocale(QLocale::system());
    return *dateNames();
}

void setRegionalDateNames(const torvane::datetext::DateNames& names)
{
    dateNames() = names;
}

QDateTime CurrentDateTime()
{
    return clock() ? clock()() : QDateTime::currentDateTime();
}

void setDateTimeClock(std::function<QDateTime()> c)
{
    clock() = std::move(c);
}

QDateTime toDateTime(VbDate date)
{
    const DateParts p = vbDateParts(date);
    return torvane::datetext::wallClock(QDate(p.year, p.month, p.day), QTime(p.hour, p.minute, p.second));
}

VbDate fromDateTime(const QDateTime& dateTime)
{
    const QDate d = dateTime.date();
    const QTime t = dateTime.time();
    return makeVbDate(d.year(), d.month(), d.day(), t.hour(), t.minute(), t.second());
}

VbDate onTheClock(VbDate date)
{
    const QDateTime local = toDateTime(date);
    return local.isValid() ? fromDateTime(local) : date;
}

void RefreshDateRange()
{
    MainFormControls& form = Main_Form();
    const QString count = form.PeriodeText.text();
    const int unit = form.PeriodeCombo.listIndex();
    form.StartDateText.setText(SetGlobalStartEndDate(MainFormPicker(), count, unit));
    form.EndDateText.setText(SetStartDate(RangeEnd));
    // Without the desktop calendar the PC text column is hidden, and with it the range line.
    if (OrganizerAvailable) {
        const QString header = SetPeriodeHeader();
        form.FG1[std::size_t(ActiveGridIndexFG1)].setTextMatrix(1, ColPcText, header);
        form.FG2[std::size_t(ActiveGridIndexFG2)].setTextMatrix(1, ColPcText, header);
    }
}

} // namespace tessaro
