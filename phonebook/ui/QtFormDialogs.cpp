#include "phonebook/ui/QtFormDialogs.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/ui/CEntryDlg.h"
#include "phonebook/ui/CFolderChoiceDlg.h"
#include "phonebook/ui/CFolderNameDlg.h"
#include "phonebook/ui/CIndexDlg.h"
#include "phonebook/ui/Latin1Text.h"
#include "platform/ui/msgservice/MessageService.h"

namespace brevik {

namespace ui = torvane::ui;

namespace {

QString text(int id)
{
    const char* found = brevikString(id);
    return found ? QString::fromUtf8(found) : QString();
}

} // namespace

bool QtFormDialogs::AskYesNo(int stringId, const std::string& argument)
{
    QString question = text(stringId);
    question.replace(QStringLiteral("%s"), fromLatin1(argument));
    return ui::messageBox(owner_, question, text(IDS_APP_TITLE), ui::MB_YESNO | ui::MB_ICONQUESTION) == ui::IDYES;
}

IndexAnswer QtFormDialogs::AskIndex(int offeredIndex, bool severalAllowed)
{
    CIndexDlg dialog(offeredIndex, severalAllowed, owner_);
    if (ui::execDialog(dialog) != ui::IDOK)
        return {};
    return {dialog.acceptAll() ? IndexAnswer::AcceptAll : IndexAnswer::Accept, dialog.index()};
}

std::optional<std::string> QtFormDialogs::AskFolderName(int titleId, int promptId, const std::string& initialName)
{
    CFolderNameDlg dialog(text(titleId), text(promptId), initialName, owner_);
    if (ui::execDialog(dialog) != ui::IDOK)
        return std::nullopt;
    return dialog.name();
}

std::optional<int> QtFormDialogs::ChooseFolder(const PabFolderTable& folders)
{
    CFolderChoiceDlg dialog(folders, owner_);
    if (ui::execDialog(dialog) != ui::IDOK)
        return std::nullopt;
    return dialog.chosenRow();
}

std::optional<EntryDialogData> QtFormDialogs::AskEntry(const EntryDialogData& input)
{
    CEntryDlg dialog(input, owner_);
    if (ui::execDialog(dialog) != ui::IDOK)
        return std::nullopt;
    return dialog.result();
}

} // namespace brevik
