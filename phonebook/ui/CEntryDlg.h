// The entry dialog (142): name, number, index and status of a new or changed entry. While the
// entry is bound for the phone, a name cannot grow past the phone's length nor keep a refused
// character, and a number cannot grow past its length; in either list a number keeps only the
// characters a number may have. Whether the fields are complete is the caller's to check.
#pragma once

#include "phonebook/model/FormDialogs.h"

#include <QDialog>

class QLineEdit;

namespace brevik {

class CEntryDlg : public QDialog {
    Q_OBJECT

public:
    CEntryDlg(const EntryDialogData& input, QWidget* parent);

    // The texts when OK was pressed (the number cleaned of what a number does not keep).
    const EntryDialogData& result() const { return data_; }

    void accept() override;

private:
    void onNameEdited();
    void onNumberEdited();
    bool forPhone() const { return data_.listKind == 1; }

    EntryDialogData data_;
    QLineEdit* name_ = nullptr;
    QLineEdit* number_ = nullptr;
    QLineEdit* index_ = nullptr;
    QLineEdit* status_ = nullptr;
};

} // namespace brevik
