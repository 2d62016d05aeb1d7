#include "organizer/mainwindow/PeriodFields.h"

#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/CalendarFrame.h"
#include "organizer/daterange/DateArithmetic.h"
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"

#include "platform/ui/datetext/DateText.h"

#include <optional>

namespace tessaro {

namespace {

constexpr int TxtSyncNewRange = 112;
constexpr int KeyEnter = 13;
constexpr int KeyEsc = 27;

VbDate dayOf(QDate d)
{
    return makeVbDate(d.year(), d.month(), d.day());
}

QDate dateOf(VbDate v)
{
    const DateParts p = vbDateParts(v);
    return QDate(p.year, p.month, p.day);
}

VbDate pickedDay()
{
    return dayOf(Main_Form().TIVStartCalendar.value());
}

const QString& selectedInterval()
{
    return PeriodIntervals.at(std::size_t(Main_Form().PeriodeCombo.listIndex()));
}

// A date field's text without its weekday: everything up to the first blank goes; a text without
// a blank stays whole. The text the field shows for `shown` is that day: its two-digit year read
// back would put a day after 2029 a century early.
std::optional<VbDate> typedDate(const QString& text, VbDate shown)
{
    if (text == SetStartDate(shown))
        return shown;
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QString rest = blank < 0 ? text : text.mid(blank + 1);
    const std::optional<QDate> d = torvane::datetext::parseDate(rest, ShortDateFormat, RegionalDateNames());
    if (!d)
        return std::nullopt;
    return dayOf(*d);
}

// Both fields show the range RefreshDateRange computed last: a date typed into one field moves
// the other too, and Esc in either brings back what it shows now.
void rememberAcceptedTexts()
{
    CurrentEndText = Main_Form().EndDateText.text();
    CurrentStartText = Main_Form().StartDateText.text();
}

// The count written as its number: "12abc" is 12, "abc" 0.
QString countAsNumber(const QString& text)
{
    const double value = NumericValue(text);
    return value == 0 ? QStringLiteral("0") : QString::number(value, 'g', 15);
}

// The count's rewrite goes on statement by statement past a failing one.
template <class F>
void skippingErrors(F&& f)
{
    try {
        f();
    } catch (...) {
    }
}

} // namespace

std::array<QString, 4> PeriodUnitNamesFor(const QString& countText)
{
    const bool singular = countText == QLatin1String("1");
    if (LanguageBase == LanguageEnglish) {
        if (singular)
            return {QStringLiteral("Day"), QStringLiteral("Week"), QStringLiteral("Month"), QStringLiteral("Year")};
        return {QStringLiteral("Days"), QStringLiteral("Weeks"), QStringLiteral("Month"), QStringLiteral("Years")};
    }
    if (singular)
        return {QStringLiteral("Tag"), QStringLiteral("Woche"), QStringLiteral("Monat"), QStringLiteral("Jahr")};
    return {QStringLiteral("Tage"), QStringLiteral("Wochen"), QStringLiteral("Monate"), QStringLiteral("Jahre")};
}

void ShowStartCalendar()
{
    MainFormControls& f = Main_Form();
    if (f.TIVStartCalendar.isVisible()) {
        CalendarFrameClear(MainFormPicker());
        return;
    }
    SavedPicker.periodIndex = std::int16_t(f.PeriodeCombo.listIndex());
    SavedPicker.periodCount = f.PeriodeText.text();
    SavedPicker.startText = CurrentStartText = f.StartDateText.text();
    SavedPicker.endText = CurrentEndText = f.EndDateText.text();
    SavedPicker.rangeStart = RangeStart;
    f.TIVStartCalendar.setValue(dateOf(RangeStart));
    CalendarFrameSetMainForm(0, 0, 3000, 2400);
}

void CalCommandOK_Click()
{
    MainFormControls& f = Main_Form();
    CalendarFrameClear(MainFormPicker());
    const VbDate day = pickedDay();
    if (day == DateOnly(SavedPicker.rangeStart) && f.EndDateText.text() == SavedPicker.endText)
        return;
    if (OrganizerEntriesRead && MsgBox(LangText(TxtSyncNewRange), vbExclamation | vbOKCancel, AppTitle) != vbOK) {
        CalCommandCancel_Click();
        return;
    }
    RefreshDateRange();
    f.StartDateText.setText(SetStartDate(day));
    if (!OrganizerEntriesRead)
        return;
    MainFormSteps& form = MainForm();
    form.SetBusyPointer();
    ReadOutlook(false);
    FillGridMobileEntry(PhoneEntryTable, ColPhoneText, ColPcText, ColMark, ColPhoneLocation);
    FillGridControll(VisibleFG2(), FirstEntryRow, ColPcText, ColPhoneText, ColMark);
    FillGridPicture(VisibleFG2(), FirstEntryRow, ColSyncPicture, ColMark);
    form.SetNormalPointer();
}

void CalCommandCancel_Click()
{
    MainFormControls& f = Main_Form();
    f.TIVStartCalendar.setValue(dateOf(SavedPicker.rangeStart));
    // Putting back a unit or a count that differs recomputes the range through their events.
    if (f.PeriodeCombo.listIndex() != SavedPicker.periodIndex)
        f.PeriodeCombo.setListIndex(SavedPicker.periodIndex);
    f.PeriodeText.setText(SavedPicker.periodCount);
    // A start typed into its field moved the range while the picker was open; the range follows
    // the restored fields again, so the next read does not use a start the fields no longer show.
    RefreshDateRange();
    f.StartDateText.setText(SavedPicker.startText);
    f.EndDateText.setText(SavedPicker.endText);
    CalendarFrameClear(MainFormPicker());
}

void TIVStartCalendar_Click()
{
    MainFormControls& f = Main_Form();
    const VbDate day = pickedDay();
    f.StartDateText.setText(SetStartDate(day));
    f.EndDateText.setText(SetStartDate(GetRangeEndDate(selectedInterval(), f.PeriodeText.text(), day)));
}

void TIVStartCalendar_KeyPress(int keyAscii)
{
    if (keyAscii == KeyEsc)
        CalCommandCancel_Click();
}

void PeriodeCombo_Click()
{
    RefreshDateRange();
    rememberAcceptedTexts();
}

void PeriodeText_Change()
{
    // Rewriting the count changes the field again; that change is this one's.
    static bool running = false;
    if (running)
        return;
    running = true;
    MainFormControls& f = Main_Form();
    skippingErrors([&] {
        try {
            f.PeriodeText.setText(countAsNumber(f.PeriodeText.text()));
        } catch (...) {
            f.PeriodeText.setText(QStringLiteral("0"));
        }
    });
    skippingErrors([&] { PeriodUnitNames = PeriodUnitNamesFor(f.PeriodeText.text()); });
    const int index = f.PeriodeCombo.listIndex();
    skippingErrors([&] { SavedPicker.periodIndex = std::int16_t(index); });
    skippingErrors([&] { f.PeriodeCombo.clear(); });
    for (const QString& name : PeriodUnitNames)
        skippingErrors([&] { f.PeriodeCombo.addItem(name); });
    skippingErrors([&] { f.PeriodeCombo.setListIndex(index); });
    skippingErrors([&] { f.PeriodeCombo.setText(f.PeriodeCombo.list(index)); });
    skippingErrors([] { RefreshDateRange(); });
    skippingErrors([] { rememberAcceptedTexts(); });
    running = false;
}

void PeriodeText_KeyPress(int& keyAscii)
{
    if (keyAscii == KeyEsc) {
        Main_Form().PeriodeText.setText(SavedPicker.periodCount);
        RefreshDateRange();
    } else if (keyAscii == KeyEnter) {
        keyAscii = 0;
    }
}

void StartDateText_KeyPress(int& keyAscii)
{
    MainFormControls& f = Main_Form();
    if (keyAscii == KeyEsc) {
        f.StartDateText.setText(CurrentStartText);
        keyAscii = 0;
    } else if (keyAscii == KeyEnter) {
        keyAscii = 0;
        const std::optional<VbDate> day = typedDate(f.StartDateText.text(), pickedDay());
        if (!day) {
            f.StartDateText.setText(CurrentStartText);
        } else if (SetStartDate(*day) != CurrentStartText) {
            f.TIVStartCalendar.setValue(dateOf(*day));
            RefreshDateRange();
            rememberAcceptedTexts();
        }
    }
}

void EndDateText_KeyPress(int& keyAscii)
{
    MainFormControls& f = Main_Form();
    if (keyAscii == KeyEsc) {
        f.EndDateText.setText(CurrentEndText);
        keyAscii = 0;
    } else if (keyAscii == KeyEnter) {
        keyAscii = 0;
        const VbDate shownEnd = DateOnly(GetRangeEndDate(selectedInterval(), f.PeriodeText.text(), pickedDay()));
        const std::optional<VbDate> end = typedDate(f.EndDateText.text(), shownEnd);
        if (!end || SetStartDate(*end) == CurrentEndText) {
            f.EndDateText.setText(CurrentEndText);
            return;
        }
        // The start whose range ends on that day: the inverse of GetRangeEndDate.
        const double count = NumericValue(f.PeriodeText.text());
        f.TIVStartCalendar.setValue(dateOf(DateAdd(selectedInterval(), -count, *end) + 1));
        RefreshDateRange();
        rememberAcceptedTexts();
    }
}

} // namespace tessaro
