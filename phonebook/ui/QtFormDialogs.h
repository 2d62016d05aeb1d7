// The form's questions and dialogs on screen, through the message service (which a test
// scripts): Yes/No boxes titled "Telefonbuch" and the index, folder-name, folder-choice and
// entry dialogs.
#pragma once

#include "phonebook/model/FormDialogs.h"

class QWidget;

namespace brevik {

class QtFormDialogs : public FormDialogs {
public:
    explicit QtFormDialogs(QWidget* owner) : owner_(owner) {}

    bool AskYesNo(int stringId, const std::string& argument) override;
    IndexAnswer AskIndex(int offeredIndex, bool severalAllowed) override;
    std::optional<std::string> AskFolderName(int titleId, int promptId, const std::string& initialName) override;
    std::optional<int> ChooseFolder(const PabFolderTable& folders) override;
    std::optional<EntryDialogData> AskEntry(const EntryDialogData& input) override;

private:
    QWidget* owner_;
};

} // namespace brevik
