#include "organizer/mainwindow/EntryCommands.h"

#include "organizer/mainwindow/CommandWindows.h"
#include "organizer/mainwindow/GridInteraction.h"

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/sync/Deleting.h"
#include "organizer/sync/GridFill.h"
#include "organizer/sync/GridLookups.h"
#include "organizer/sync/GridRows.h"
#include "organizer/sync/SyncMarks.h"
#include "organizer/sync/TIVOutlook.h"

#include "platform/outlook/NameSpace.h"

#include <optional>

namespace tessaro {

namespace {

constexpr int TxtEntryWord = 105;
constexpr int TxtDeleteSerieFromMobile = 115;
constexpr int TxtDeleteFromMobile = 116;
constexpr int TxtAreYouSure = 117;
constexpr int TxtDeleteFromOutlook = 118;
constexpr int TxtMobileOk = 119;
constexpr int TxtDeleteSerieFromOutlook = 127;

const QString kDeleteProc = QStringLiteral("Menu_EintragLöschen_Click");

// The question both sides ask before a delete.
bool confirmDelete(const controls::Grid& grid, int warning)
{
    const int row = grid.row();
    const QString question = LangText(TxtEntryWord) + QStringLiteral(" < ") +
                             WithoutLeadingBlanks(grid.textMatrix(row, grid.col())) + QStringLiteral(" >") + vbCrLf +
                             grid.textMatrix(row, ColDateText) + vbCrLf + LangText(warning) + vbCrLf +
                             LangText(TxtAreYouSure);
    return MsgBox(question, vbExclamation | vbOKCancel, AppTitle) == vbOK;
}

void deletePhoneEntry(controls::Grid& grid)
{
    std::int16_t index = -1;
    if (!GetMobileEntryIndex(PhoneEntryTable, grid.textMatrix(grid.row(), ColPhoneLocation), index))
        return;
    const PhoneEntry& entry = PhoneEntryTable.Entries(index);
    if (entry.LocationIndex == -1)
        return;
    if (!confirmDelete(grid, entry.IsSerie != FlagFalse ? TxtDeleteSerieFromMobile : TxtDeleteFromMobile))
        return;
    DeleteSelectedMobileEntry(grid, PhoneEntryTable);
    ShowMobileStatus();
}

void deleteAppointment(controls::Grid& grid)
{
    const QString id = grid.textMatrix(grid.row(), ColEntryId);
    if (id.isEmpty())
        return;
    std::optional<outlook::AppointmentItem> found;
    try {
        found = OutlookApplication().GetNamespace(QStringLiteral("MAPI")).GetItemFromID(id);
    } catch (const outlook::Error& e) {
        // An appointment that is gone ends the delete without a word.
        if (e.number() == outlook::ErrItemNotFound || e.number() == outlook::ErrItemDeleted)
            return;
        throw;
    }
    outlook::AppointmentItem& item = *found;
    std::optional<outlook::Error> failure;
    switch (TrySaveOutlookItem(item, &failure)) {
    case SaveOutcome::Deleted:
        return;
    case SaveOutcome::Failed:
        // A calendar that cannot store the appointment cannot delete it either.
        throw *failure;
    case SaveOutcome::Saved:
        break;
    }
    if (!confirmDelete(grid, item.IsRecurring() ? TxtDeleteSerieFromOutlook : TxtDeleteFromOutlook))
        return;
    MainFormSteps& form = MainForm();
    if (item.IsRecurring()) {
        item.Delete();
        form.SetBusyPointer();
        ReadOutlook(true);
        form.SetNormalPointer();
        return;
    }
    // The calendar first: when it refuses, the rows and the count still show what it holds.
    item.Delete();
    if (DeleteGridEntry(grid, ColPcText)) {
        DeleteOrgEntryByID(id);
        OrganizerEntryCount = std::int16_t(OrganizerEntryCount - 1);
        OrganizerEntriesRead = OrganizerEntryCount > 0;
        form.SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
    } else {
        // The appointment is gone but its row could not go: the view is rebuilt from the calendar.
        ReadOutlook(true);
    }
}

} // namespace

void Menu_EintragLoeschen_Click()
{
    const bool done = runCommand(kDeleteProc, [] {
        controls::Grid& grid = GridOf(CurrentGrid);
        if (grid.col() == ColPhoneText)
            deletePhoneEntry(grid);
        else if (grid.col() == ColPcText)
            deleteAppointment(grid);
    });
    if (!done)
        MainForm().SetNormalPointer();
    MainForm().TIVResize();
}

void NewEntry()
{
    const int col = GridOf(CurrentGrid).col();
    if (col == ColPhoneText) {
        if (!MobileEntriesRead)
            ReadMobile(true);
        // Without the phone's entries a new one could land on a location that is taken.
        if (MobileEntriesRead && MobileEntryCount < MobileCapacity) {
            ClearCurrentEntry();
            CurrentEntry.Summary.clear();
            Windows().MobileEntryFormShow();
        }
    } else if (col == ColPcText) {
        NewOutlookEntry(VisibleFG2());
    }
    CompareGrids(VisibleFG1(), VisibleFG2(), ColPhoneText, ColPcText, ColMark);
}

void OpenEntry()
{
    controls::Grid& grid = GridOf(CurrentGrid);
    const int row = grid.row();
    if (grid.col() == ColPhoneText && !grid.textMatrix(row, ColPhoneLocation).isEmpty()) {
        FGClick(grid);
    } else if (grid.col() == ColPcText && !grid.textMatrix(row, ColEntryId).isEmpty()) {
        // From the phone grid, the appointment of this row is looked up in the calendar grid; what
        // was selected there last is another one.
        if (CurrentGrid.grid == GridName::FG2 || FindGridRowByEntryID(VisibleFG2(), grid.textMatrix(row, ColEntryId)))
            OpenOutlookEntry(VisibleFG2());
    }
}

void TestMobile_Click()
{
    MainFormSteps& form = MainForm();
    StatusDisplay& status = StatusWindow();
    CommandWindows& windows = Windows();
    form.SetBusyPointer();
    windows.PhoneTestWindow(true);
    status.Start(LangText(TxtAppCaption), false);
    status.SetText(LangText(TxtReadingStatus));
    // The phone's entries read earlier stay read: GetMobileInfo keeps them while the phone
    // still has the same locations.
    const bool answered = GetMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount);
    windows.PhoneTestWindow(false);
    form.SetNormalPointer();
    if (answered)
        status.SetText(MobileManufacturer + QLatin1Char(' ') + MobileModel + QLatin1Char('\r') + LangText(TxtMobileOk));
    else
        status.Quit();
    ShowMobileStatus();
}

} // namespace tessaro
