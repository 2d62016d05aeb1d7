// The folder-choice dialog (141, "Auswahl eines Ordners für das Persönliche Adressbuch"): the
// folder table as a tree of pictures and names; OK gives the chosen row.
#pragma once

#include "phonebook/model/PhoneDirectory.h"

#include <QDialog>

namespace brevik {

class CFolderListBox;

class CFolderChoiceDlg : public QDialog {
    Q_OBJECT

public:
    CFolderChoiceDlg(const PabFolderTable& folders, QWidget* parent);

    // The selected position when OK was pressed, 0 when none was selected.
    int chosenRow() const { return chosenRow_; }

    void accept() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    CFolderListBox* list_ = nullptr;
    int chosenRow_ = 0;
};

} // namespace brevik
