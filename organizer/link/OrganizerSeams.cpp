#include "organizer/link/OrganizerSeams.h"

namespace tessaro {

namespace {

OrganizerServices& services()
{
    static OrganizerServices s;
    return s;
}

} // namespace

OrganizerServices setOrganizerServices(OrganizerServices s)
{
    OrganizerServices old = std::move(services());
    services() = std::move(s);
    return old;
}

void ResetMobileState()
{
    if (services().resetMobileState)
        services().resetMobileState();
}

void ShowMobileStatus()
{
    if (services().showMobileStatus)
        services().showMobileStatus();
}

void FocusMainWindow()
{
    if (services().focusMainWindow)
        services().focusMainWindow();
}

MainWindowGeometry CurrentMainWindowGeometry()
{
    if (services().mainWindowGeometry)
        return services().mainWindowGeometry();
    MainWindowGeometry none;
    none.windowState = 1;
    return none;
}

ScreenSize CurrentScreenSize()
{
    return services().screenSize ? services().screenSize() : ScreenSize{};
}

} // namespace tessaro
