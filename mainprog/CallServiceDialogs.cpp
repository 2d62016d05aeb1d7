#include "mainprog/CallServiceDialogs.h"

#include "mainprog/CCorvantApp.h"
#include "mainprog/core/LauncherLayout.h"
#include "mainprog/ui/CFwdDlg.h"
#include "mainprog/ui/CLockDlg.h"
#include "mainprog/ui/CMainFrame.h"
#include "platform/ui/msgservice/MessageService.h"

namespace corvant {

void installCallServiceDialogs(CCorvantApp& app, CallServiceEngine& engine)
{
    CMainFrame* frame = app.mainFrame();
    if (frame == nullptr)
        return;
    const auto setBusy = [&app](bool busy) { app.setBusy(busy); };
    frame->setDialogEntry(ID_CALL_FORWARDING, [&app, &engine, setBusy](QWidget* parent) {
        CFwdDlg dialog(engine, app.profile(), setBusy, parent);
        torvane::ui::execDialog(dialog);
    });
    frame->setDialogEntry(ID_BARRING, [&app, &engine, setBusy, frame](QWidget* parent) {
        CLockDlg dialog(engine, app.profile(), setBusy, [frame](const QString& text) { frame->setStatusText(text); },
                        parent);
        torvane::ui::execDialog(dialog);
    });
}

} // namespace corvant
