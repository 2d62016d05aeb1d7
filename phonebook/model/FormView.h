// What the form's windows do for the model: the status bar, the busy state, the combo boxes,
// the two lists, the preview row, and closing. The program implements it on its widgets;
// tests record the calls.
#pragma once

#include "platform/wintypes.h"

namespace brevik {

class FormView {
public:
    virtual ~FormView() = default;

    // Pane 0 of the frame's status bar shows the text of the string id.
    virtual void SetStatusText(int stringId) = 0;
    // The application's busy flag with the wait cursor (true), or neither and the arrow.
    virtual void SetBusy(bool busy) = 0;

    virtual void SelectDirectoryInCombo(int directory) = 0;
    // The directory selected in the directory combo box; -1 when none.
    virtual int DirectoryComboSelection() const = 0;

    // The phone list shows the shown directory's live entries anew (and drops its selection
    // and the preview); likewise the address book list.
    virtual void PhoneListFilled() = 0;
    virtual void PabListFilled() = 0;

    // The folder combo box is emptied; or refilled from the folder table with row 0 selected.
    virtual void FolderComboCleared() = 0;
    virtual void FolderTableFilled() = 0;
    virtual void SelectFolderInCombo(int row) = 0;
    // The selected row of the folder combo box; -1 when none.
    virtual int FolderComboSelection() const = 0;

    virtual void SetPreviewRowVisible(bool visible) = 0;

    // Posts WM_CLOSE to the form's owner (the frame).
    virtual void PostCloseToOwner() = 0;
    // Destroys the form's window and ends the process with exit code -1, without a question.
    virtual void EndProgram() = 0;
};

} // namespace brevik
