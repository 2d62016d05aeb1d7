#include "organizer/link/MobileStatus.h"

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/TessaroStrings.h"

namespace tessaro {

void ShowMobileStatus()
{
    MobileStatusBar& bar = StatusBarPanels();
    const QString counter = LangText(TxtEntriesOccupied) + QStringLiteral(": ");
    if (MobileConnected) {
        bar.SetPanelText(PanelMobile, MobileManufacturer + QLatin1Char(' ') + MobileModel);
        bar.SetPanelPicture(PanelMobile, PictureMobileConnected);
        bar.SetPanelText(PanelMobileStatus, LangText(TxtConnected));
        const QString used = MobileEntriesRead ? QString::number(MobileEntryCount) : QStringLiteral("?");
        bar.SetPanelText(PanelEntryCounter, counter + used + QLatin1Char('/') + QString::number(MobileCapacity));
    } else {
        bar.SetPanelText(PanelMobile, LangText(TxtNoMobile));
        bar.SetPanelPicture(PanelMobile, PictureNoMobile);
        bar.SetPanelText(PanelMobileStatus, LangText(TxtOffline));
        bar.SetPanelText(PanelEntryCounter, counter + QLatin1Char('?'));
    }
    MainForm().SetMenus_Click();
}

} // namespace tessaro
