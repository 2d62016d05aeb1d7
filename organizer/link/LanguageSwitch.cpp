#include "organizer/link/LanguageSwitch.h"

#include "organizer/link/MainWindowSeams.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TessaroStrings.h"

namespace tessaro {

bool SwitchLanguageBase(std::int16_t base)
{
    if (LanguageBase == base || (base != LanguageEnglish && base != LanguageGerman))
        return false;
    LanguageBase = base;
    return true;
}

bool SetLanguage()
{
    MainFormSteps& form = MainForm();
    form.InitActiveBar();
    form.GridHeadlines();
    DateRange().RefreshDateRange();
    ShowMobileStatus();
    if (OrganizerAvailable) {
        form.SetProgressStatus(OrganizerName, OrganizerEntryCount, false);
        form.SetCalCommandCancelCaption(CancelButtonCaption());
    }
    form.SetCaption(LangText(TxtAppCaption));
    form.SetHelpFile(HelpFileName());
    return false;
}

} // namespace tessaro
