#include "organizer/mainwindow/MenuStates.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/mainwindow/ActiveBar.h"
#include "organizer/mainwindow/MainFormControls.h"
#include "organizer/mainwindow/MainFormState.h"

namespace tessaro {

void SetMenus_Click()
{
    torvane::controls::CommandBar& bar = Main_Form().ActiveBar1;
    const int held = PhoneEntryTable.Count;
    if (DebugFlag)
        MsgBox(QStringLiteral("Debug: ActiveBar1"), vbOKOnly, AppTitle);
    bar.band(band::TessaroOrganizerMenu).tool(tool::TessaroClearGrid).setEnabled(!OrganizerAvailable);
    if (DebugFlag)
        MsgBox(QStringLiteral("Debug: ActiveBar1 finnished"), vbOKOnly, AppTitle);
    bar.band(band::TessaroClearGridMenu).tool(tool::TessaroClearBothCol).setEnabled(OrganizerEntryCount > 0 && held > 0);
    bar.band(band::TessaroClearGridMenu).tool(tool::TessaroClearMobileCol).setEnabled(held > 0);
    bar.band(band::TessaroClearGridMenu).tool(tool::TessaroClearOrgCol).setEnabled(OrganizerEntryCount > 0);
    bar.band(band::TessaroTools).tool(tool::TessaroNewEntry).setEnabled(held < MobileCapacity);
    bar.band(band::TessaroOrganizerMenu).tool(tool::TessaroClearGrid).setVisible(!OrganizerAvailable);
    bar.band(band::TessaroTools).tool(tool::TessaroClear).setEnabled(OrganizerEntryCount > 0 || held > 0);
    bar.band(band::TessaroTools).tool(tool::TessaroCalendar).setVisible(OrganizerAvailable);
    bar.band(band::TessaroTools).tool(tool::TessaroReadOrganizer).setVisible(OrganizerAvailable);
    bar.refresh();
}

} // namespace tessaro
