// The form's own commands on the model: saving either list, quitting with its questions, and
// changing the directory shown while it has unwritten changes.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/DlgViewModel.h"

namespace brevik {

bool DlgViewModel::OnSaveToPhone()
{
    return WritePhonebook();
}

void DlgViewModel::OnSaveAddressBook()
{
    SavePabList();
}

void DlgViewModel::OnButtonQuit()
{
    if (hasFlag(FLAG_PAB_CHANGED) && dialogs_.AskYesNo(IDS_ASK_SAVE_PAB_BEFORE_QUIT)) {
        SavePabList();
        if (ended_)
            return;
    }
    // The address book stays open until the frame really closes: a write that ends without
    // writing keeps the form, and the form keeps working on its address book.
    if (pendingJob_ == Job::Write) {
        // A write is under way; the frame closes when it has ended well.
        setFlag(FLAG_QUIT_AFTER_WRITE, true);
        return;
    }
    if (hasFlag(FLAG_PHONE_CHANGED) && dialogs_.AskYesNo(IDS_ASK_SAVE_PHONE_BEFORE_QUIT)) {
        // Only a write that has started can close the frame at its end; one that ended at once
        // (nothing to write, a read-only directory) leaves the form open and the flag clear.
        setFlag(FLAG_QUIT_AFTER_WRITE, OnSaveToPhone());
        return;
    }
    view_.PostCloseToOwner();
}

void DlgViewModel::OnSelchangeDirectory(int selection)
{
    if (selection < 0 || selection >= kDirectoryCount)
        return;
    if (jobPending()) {
        view_.SelectDirectoryInCombo(directories_.current);
        return;
    }
    if (!hasFlag(FLAG_PHONE_CHANGED)) {
        SelectDirectory(selection);
        return;
    }
    if (dialogs_.AskYesNo(IDS_ASK_SAVE_PHONE_BEFORE_CHANGE)) {
        // The write's end shows the directory now chosen; a write that fails shows the old one
        // again, in the combo box too.
        setFlag(FLAG_RESELECT_AFTER_WRITE, true);
        WritePhonebook();
        return;
    }
    SelectDirectory(selection);
    setFlag(FLAG_PHONE_CHANGED, false);
}

} // namespace brevik
