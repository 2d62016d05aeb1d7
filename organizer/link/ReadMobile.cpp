#include "organizer/link/ReadMobile.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"

namespace tessaro {

namespace {

void toggleFG1()
{
    ActiveGridIndexFG1 = std::int16_t(1 - ActiveGridIndexFG1);
}

} // namespace

bool ReadMobile(bool silent)
{
    StatusDisplay& status = StatusWindow();
    MainFormSteps& form = MainForm();
    GridSteps& grids = Grids();
    try {
        status.Start(LangText(TxtAppCaption), silent);
        status.SetText(LangText(TxtReadingStatus));
        form.SetBusyPointer();

        bool result = false;
        // A failed opening has reset the phone side itself, and that reset leaves the index
        // naming the instance it shows: it is not touched here.
        if (InitComm()) {
            toggleFG1();
            grids.ClearGridInstance({GridName::FG1, ActiveGridIndexFG1});
            if (MobileEntriesRead) {
                if (OrganizerAvailable && OrganizerEntryCount > 0)
                    grids.ClearEntriesInCol(PhoneEntryTable, ColPhoneText);
                else
                    form.Menu_ClearAppSingle_Click();
            } else if (!MobileConnected) {
                if (!ReadMobileInfo(MobileConnected, MobileModel, MobileManufacturer, MobileEntryCount)) {
                    // The shown instance stays the visible one, and the phone's late answer
                    // goes with the closed port.
                    toggleFG1();
                    CloseComm();
                    status.Quit();
                    form.SetNormalPointer();
                    return false;
                }
                ShowMobileStatus();
                form.SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
            }
            SetLocationRange(FirstLocation, LastLocation);

            status.SetText(LangText(TxtReadingEntries));
            if (GetMobileEntries()) {
                CloseComm();
                status.SetText(LangText(TxtWritingGrid));
                grids.FillGridMobileEntry(PhoneEntryTable, ColPhoneText, ColPcText, ColMark, ColPhoneLocation);
                if (OrganizerEntriesRead) {
                    grids.FillGridControll(VisibleGrid(GridName::FG2), FirstEntryRow, ColPcText, ColPhoneText,
                                           ColMark);
                    grids.FillGridPicture(VisibleGrid(GridName::FG2), FirstEntryRow, ColSyncPicture, ColMark);
                }
                MobileEntriesRead = true;
                form.GridHeadlines();
                grids.ShowGridInstance(VisibleGrid(GridName::FG1));
                DateRange().RefreshDateRange();
                ShowMobileStatus();
                result = true;
            } else {
                toggleFG1();
                ResetMobileState();
            }
        }

        status.Quit();
        grids.SelectFirstEntryRow(VisibleGrid(GridName::FG1), ColPhoneText);
        form.FG1_Click();
        form.SetNormalPointer();
        return result;
    } catch (const OrgError& err) {
        ShowErrorBox(err, QStringLiteral("ReadMobile"));
        CloseComm();
        status.Quit();
        form.SetNormalPointer();
        return false;
    }
}

} // namespace tessaro
