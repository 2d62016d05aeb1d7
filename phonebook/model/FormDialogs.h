// The form's modal questions: message boxes with Yes and No, and the dialogs that return a
// value to the model. The program shows them through its message service; tests script them.
#pragma once

#include "phonebook/model/PhoneDirectory.h"

#include <optional>
#include <string>

namespace brevik {

// What the entry dialog (142) shows and gives back: texts of up to 127 characters.
struct EntryDialogData {
    int titleId = 0;
    std::string name;
    std::string number;
    std::string index;
    std::string status;
    int nameLength = 0;   // limits of names and numbers bound for the phone
    int numberLength = 0;
    int listKind = 0;     // 1 the phone list, 2 the address book list
};

struct IndexAnswer {
    enum Button { Cancel, Accept, AcceptAll };
    Button button = Cancel;
    int index = 0; // the index in the dialog's edit when it was accepted
};

class FormDialogs {
public:
    virtual ~FormDialogs() = default;

    // A message box with Yes and No showing the text of stringId, "%s" replaced by argument
    // (Latin-1). True for Yes.
    virtual bool AskYesNo(int stringId, const std::string& argument = {}) = 0;
    // The index dialog (146) offering offeredIndex; "Alle akzeptieren" only when severalAllowed.
    virtual IndexAnswer AskIndex(int offeredIndex, bool severalAllowed) = 0;
    // The folder-name dialog (140) with the texts of titleId and promptId and the name filled
    // in. The name given (never empty), or nullopt on cancel.
    virtual std::optional<std::string> AskFolderName(int titleId, int promptId, const std::string& initialName) = 0;
    // The folder-choice dialog (141) over the table. The chosen row, or nullopt on cancel.
    virtual std::optional<int> ChooseFolder(const PabFolderTable& folders) = 0;
    // The entry dialog (142) filled with input; what was typed on OK, nullopt on cancel.
    virtual std::optional<EntryDialogData> AskEntry(const EntryDialogData& input) = 0;
};

} // namespace brevik
