#include "organizer/entryeditor/MobileEntrySteps.h"

#include "organizer/entryeditor/EntryEditorSteps.h"

#include "organizer/daterange/Calendar.h"
#include "organizer/daterange/CalendarFrame.h"
#include "organizer/daterange/DateTexts.h"
#include "organizer/link/ErrorReport.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/mainwindow/MainFormState.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/PhoneCalls.h"
#include "organizer/sync/RowInsert.h"
#include "organizer/sync/Transfer.h"

#include "platform/ui/datetext/DatePicture.h"
#include "platform/ui/datetext/DateText.h"

namespace tessaro {

namespace {

const QString kEntryStart = QStringLiteral("EntryStart");
const QString kEntryTime = QStringLiteral("EntryTime");
const QString kEntrySerie = QStringLiteral("EntrySerie");
const QString kEntryPeriode = QStringLiteral("EntryPeriode");
const QString kWeekly = QStringLiteral("W1");

constexpr int kEnter = 13;
constexpr int kEscape = 27;

QDate dayOf(VbDate date)
{
    const DateParts p = vbDateParts(date);
    return QDate(p.year, p.month, p.day);
}

// The kind an entry shows: the first of its kind flags that is set; none is a memo.
int kindOf(const PhoneEntry& e)
{
    const Flag16 flags[] = {e.IsMemo, e.IsMeeting, e.IsAnniversary, e.IsPhoneCall};
    for (int kind = EntryTypeMemo; kind <= EntryTypePhoneCall; ++kind)
        if (flags[kind] == FlagTrue)
            return kind;
    return EntryTypeMemo;
}

// The selected kind option (one always is once the fields were filled).
int selectedKind(const MobileEntryForm& form)
{
    for (int kind = EntryTypeMemo; kind <= EntryTypePhoneCall; ++kind)
        if (form.EntryOptions[std::size_t(kind)].value())
            return kind;
    return EntryTypeMemo;
}

Flag16& kindFlag(PhoneEntry& e, int kind)
{
    Flag16* flags[] = {&e.IsMemo, &e.IsMeeting, &e.IsAnniversary, &e.IsPhoneCall};
    return *flags[kind];
}

// The period list's index of a serie rule; -1 for a rule it does not offer.
int periodIndex(const QString& rule)
{
    if (rule == QLatin1String("D1"))
        return 0;
    if (rule == QLatin1String("D7") || rule == kWeekly)
        return 1;
    if (rule == QLatin1String("Y1"))
        return 2;
    return -1;
}

// The fields onto a record: the selected kind's flag set (the others kept), the start, the alarm
// or else the plain start, the serie while it is switched on (a weekly one repeats on the weekday
// of its start, Sunday bit 0 ... Saturday bit 6), the text. A stored entry rings its audible alarm
// with the displayed one; the change test compares only what the editor shows.
void fieldsOnto(const MobileEntryForm& form, PhoneEntry& e, bool storing)
{
    kindFlag(e, selectedKind(form)) = FlagTrue;
    e.StartTime = StartTimeFromForm(form);
    if (form.EntryAlarm.value() == 1) {
        e.DAlarmSet = FlagTrue;
        e.DAlarm = e.StartTime;
        if (storing) {
            e.AAlarmSet = FlagTrue;
            e.AAlarm = e.StartTime;
        }
    } else {
        e.DtStart = e.StartTime;
        e.DtStartSet = FlagTrue;
    }
    if (form.tool(kEntrySerie).isPressed()) {
        e.RRule = RRuleValues.at(std::size_t(form.tool(kEntryPeriode).listIndex()));
        e.IsSerie = FlagTrue;
        if (e.RRule == kWeekly)
            e.WeekdayMask = 1 << (vbWeekday(e.StartTime) - 1);
    }
    e.Description = form.EntryDescriptionText.text();
    e.DisplayText = e.Description;
}

CalendarPickerWindow pickerOf(MobileEntryForm& form)
{
    return {form.Form.name(), form.StartCalendarFrame, form.TIVStartCalendar, form.Line1, form.Line2};
}

// A changed entry goes over its own location. Only once the phone holds it do its rows and its
// record change; a refused write leaves the old entry on the phone, in the table and in the grids.
void rewriteEntry(controls::Grid& phoneGrid, EntryTable& table, const PhoneEntry& entry)
{
    PhoneEntry& record = table.Entries(int(LeadingNumber(entry.Location)));
    if (!Phone().SendSingleEntry(entry))
        return;
    RemoveMobileRows(entry.Location);
    record = entry;
    InsertGridEntryMobile(phoneGrid, record, GetFirstEntryRow(phoneGrid), ColPhoneText, ColPcText, ColDateText,
                          ColMark, ColPhoneLocation);
    ShowMobileStatus();
}

// A new entry takes a free location and slot before anything shows it; without one nothing is
// shown or counted, and the user is told why.
void writeNewEntry(controls::Grid& phoneGrid, EntryTable& table, PhoneEntry& entry)
{
    std::int32_t location = -1;
    std::int16_t slot = -1;
    if (!FindFreeMobileLocation(table, location) || !FindFreeMobileSlot(table, slot)) {
        MsgBox(LangText(TxtTooManyEntries) + QStringLiteral(": ") + QString::number(MobileCapacity), vbInformation,
               AppTitle);
        return;
    }
    entry.Location = QString::number(location);
    entry.LocationIndex = slot;
    if (entry.IsSerie != FlagFalse && entry.RRule == kWeekly)
        SplitWeeklySerie(phoneGrid, table, entry);
    else
        WriteNewMobileEntry(phoneGrid, table, slot, entry);
}

class MobileEntrySteps : public EntryEditorSteps {
public:
    void PreSetMobileEntryForm(MobileEntryForm& form) override
    {
        const PhoneEntry& e = CurrentEntry;
        controls::Tool time = form.tool(kEntryTime);
        controls::Tool periode = form.tool(kEntryPeriode);
        if (!e.Location.isEmpty()) {
            form.EntryOptions[std::size_t(kindOf(e))].setValue(true);
            time.setText(FormatDate(e.StartTime, ShortTimeFormat));
            form.TIVStartCalendar.setValue(dayOf(e.StartTime));
            form.EntryDescriptionText.setText(e.Description);
            form.EntryAlarm.setValue(e.DAlarmSet != FlagFalse ? 1 : 0);
            if (e.IsSerie != FlagFalse) {
                if (const int index = periodIndex(e.RRule); index >= 0)
                    periode.setListIndex(index);
                periode.setText(periode.listItem(periode.listIndex()));
            }
        } else {
            form.EntryOptions[EntryTypeMemo].setValue(true);
            form.EntryAlarm.setValue(1);
            time.setText(ShortTimeText(GetCurrentTimeText()));
            form.EntryDescriptionText.setText(QString());
            form.TIVStartCalendar.setValue(CurrentDateTime().date());
        }
        const bool serie = e.IsSerie != FlagFalse;
        form.tool(kEntrySerie).setPressed(serie);
        periode.setVisible(serie);
        periode.setEnabled(serie);
    }

    bool CheckEntryAlarm(MobileEntryForm& form) override
    {
        if (form.tool(kEntrySerie).isPressed() || form.EntryAlarm.value() != 1)
            return true;
        return vbDateSeconds(StartTimeFromForm(form)) > vbDateSeconds(fromDateTime(CurrentDateTime()));
    }

    void SaveMobileEntry(MobileEntryForm& form) override
    {
        form.Form.setMousePointer(editor::PointerHourglass);
        // A fresh record of the fields; the summary the editor does not show stays.
        const PhoneEntry old = CurrentEntry;
        PhoneEntry edited = old;
        ClearEntryRecord(edited);
        fieldsOnto(form, edited, true);
        edited.Location = old.Location;
        edited.LocationIndex = old.LocationIndex;
        controls::Grid& phoneGrid = VisibleFG1();
        if (old.Location.isEmpty())
            writeNewEntry(phoneGrid, PhoneEntryTable, edited);
        else if (!PhoneEntryEquals(old, edited))
            rewriteEntry(phoneGrid, PhoneEntryTable, edited);
        CurrentEntry = edited;
        phoneGrid.setCol(ColPhoneText);
        form.Form.setMousePointer(editor::PointerDefault);
    }

    bool EntryDelete_Click(MobileEntryForm&) override
    {
        const PhoneEntry& e = CurrentEntry;
        if (e.Location.isEmpty() || e.LocationIndex == -1)
            return false;
        // The entry as its row shows it: its text and its date.
        const QString question = LangText(TxtEntry) + QStringLiteral(" < ") + WithoutLeadingBlanks(e.DisplayText) +
                                 QStringLiteral(" >") + vbCrLf + DateColumnText(e.StartTime) + vbCrLf +
                                 LangText(e.IsSerie != FlagFalse ? TxtDeleteSerie : TxtDeleteSingle) + vbCrLf +
                                 LangText(TxtAreYouSure);
        if (MsgBox(question, vbOKCancel | vbExclamation, AppTitle) != vbOK)
            return false;
        // By its location: the rows of this entry go in both grids, whichever row was selected.
        // A phone that keeps it keeps the editor open on it.
        if (!DeleteMobileEntryByID(PhoneEntryTable, e.Location))
            return false;
        ClearCurrentEntry();
        return true;
    }

    void SwitchEntrySerie(MobileEntryForm& form) override
    {
        controls::Tool serie = form.tool(kEntrySerie);
        controls::Tool periode = form.tool(kEntryPeriode);
        serie.setPressed(!serie.isPressed());
        periode.setVisible(serie.isPressed());
        periode.setEnabled(periode.isVisible());
        form.ActiveBar1.recalcLayout();
    }

    bool QueryUnload(MobileEntryForm& form) override
    {
        // A command still waiting for the phone lets the close box through; it ends first.
        if (EntryToolBusy)
            return false;
        try {
            PhoneEntry scratch;
            if (CompareMobileEntryForm(form, scratch, CurrentEntry))
                return true;
        } catch (...) {
            ShowCaughtError(QStringLiteral("QueryUnload"));
            return false;
        }
        const QString title = LangText(TxtAppCaption);
        if (MsgBox(LangText(TxtSaveChanges), vbYesNo | vbQuestion, title) != vbYes)
            return true;
        bool mayClose = false;
        form.RunEntryCommand(QStringLiteral("QueryUnload"), [&] {
            mayClose = form.SaveThroughLink(title) != MobileEntryForm::LinkSave::AlarmDeclined;
        });
        return mayClose;
    }

    void TIVStartCalendar_Click(MobileEntryForm& form) override
    {
        const QDate day = form.TIVStartCalendar.value();
        form.tool(kEntryStart).setText(SetStartDate(makeVbDate(day.year(), day.month(), day.day())));
    }

    void TIVStartCalendar_DblClick(MobileEntryForm& form) override
    {
        TIVStartCalendar_Click(form);
        TIVStartCalendar_LostFocus(form);
    }

    void TIVStartCalendar_KeyPress(MobileEntryForm& form, int keyAscii) override
    {
        if (keyAscii != kEscape && keyAscii != kEnter)
            return;
        if (keyAscii == kEscape) {
            // Back to the day the picker opened on.
            if (const auto day = torvane::datetext::parseDate(form.PickerStartText, PickerStartPicture(),
                                                              RegionalDateNames()))
                form.TIVStartCalendar.setValue(*day);
        }
        TIVStartCalendar_Click(form);
        TIVStartCalendar_LostFocus(form);
    }

    void TIVStartCalendar_LostFocus(MobileEntryForm& form) override { CalendarFrameClear(pickerOf(form)); }

    void CalendarFrameSet(MobileEntryForm& form, double left, double top, double width, double height) override
    {
        tessaro::CalendarFrameSet(pickerOf(form), left, top, width, height);
    }

    void ActiveBar1_ToolLostFocus(MobileEntryForm& form, controls::Tool tool) override
    {
        if (tool.name() == kEntryStart) {
            const auto day = StartDayOfText(form, tool.text());
            if (!day) {
                tool.setText(form.SavedStartText);
                return;
            }
            form.TIVStartCalendar.setValue(*day);
            TIVStartCalendar_Click(form);
        } else if (tool.name() == kEntryTime) {
            QString time = tool.text();
            if (!time.contains(QLatin1Char(':'))) {
                tool.setText(form.SavedTimeText);
                return;
            }
            time = ShortTimeText(time);
            if (time.size() < 4) // "9:" means nine o'clock
                time = ShortTimeText(time + QStringLiteral("00"));
            tool.setText(IsValidTime(time) ? time : form.SavedTimeText);
        }
    }
};

MobileEntrySteps& steps()
{
    static MobileEntrySteps instance;
    return instance;
}

} // namespace

std::optional<QDate> StartDayOfText(const MobileEntryForm& form, QString text)
{
    const QDate shown = form.TIVStartCalendar.value();
    if (text == SetStartDate(makeVbDate(shown.year(), shown.month(), shown.day())))
        return shown;
    // A date as typed, or as shown, after its weekday. The whole text is tried first: the
    // regional date may itself hold blanks ("9 Dec 2026").
    auto day = torvane::datetext::parseDate(text, ShortDateFormat, RegionalDateNames());
    if (!day && !SplitToken(text, QStringLiteral(" ")).isEmpty())
        day = torvane::datetext::parseDate(text, ShortDateFormat, RegionalDateNames());
    return day;
}

QString PickerStartPicture()
{
    return torvane::datetext::withFullYears(ShortDateFormat);
}

VbDate StartTimeFromForm(const MobileEntryForm& form)
{
    const auto time = TimeOfDay(form.tool(kEntryTime).text());
    if (!time)
        throw typeMismatchError();
    const QDate day = form.TIVStartCalendar.value();
    return makeVbDate(day.year(), day.month(), day.day(), time->hour(), time->minute(), time->second());
}

bool CompareMobileEntryForm(const MobileEntryForm& form, PhoneEntry& result, const PhoneEntry& source)
{
    if (source.Location.isEmpty())
        return true;
    PhoneEntry e = source;
    fieldsOnto(form, e, false);
    result = e;
    return PhoneEntryEquals(result, source);
}

void installMobileEntrySteps()
{
    setEntryEditorSteps(&steps());
}

void uninstallMobileEntrySteps()
{
    // Steps installed over these (a test's) stay.
    EntryEditorSteps* installed = setEntryEditorSteps(nullptr);
    if (installed != &steps())
        setEntryEditorSteps(installed);
}

} // namespace tessaro
