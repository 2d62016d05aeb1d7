#include "mainprog/ui/SmsDialogsQt.h"

#include "mainprog/ui/CSmsPreviewDlg.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QWidget>

namespace corvant {

int SmsDialogsQt::messageBox(bool owned, const std::string& text, const std::string& caption, UINT type)
{
    return torvane::ui::MessageService::instance().messageBox(owned ? mainWindow_() : nullptr,
                                                               QString::fromLatin1(text), QString::fromLatin1(caption),
                                                               type);
}

SmsDialogs::PreviewChoice SmsDialogsQt::preview(const std::string& number, const std::string& shownText,
                                                const std::string& partsLine)
{
    QWidget* main = mainWindow_();
    if (main) {
        main->raise();
        main->activateWindow();
    }
    CSmsPreviewDlg dialog(QString::fromLatin1(number), QString::fromLatin1(shownText), QString::fromLatin1(partsLine),
                          main);
    const int answer = torvane::ui::MessageService::instance().execDialog(dialog);
    PreviewChoice choice;
    choice.send = answer == torvane::ui::IDOK;
    choice.storeOnSim = choice.send && dialog.mode() == 2;
    return choice;
}

} // namespace corvant
