// The index dialog (146, "Index-Zuweisung"): offers a free index for an entry whose index is
// taken or too high. "Akzeptieren" takes the index in the edit (whatever was typed there),
// "Alle akzeptieren" (shown only while several entries go in at once) does so for the later
// entries too, "Abbrechen" takes none.
#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace brevik {

constexpr int IDC_ACCEPT_ALL = 1028;

class CIndexDlg : public QDialog {
    Q_OBJECT

public:
    CIndexDlg(int offeredIndex, bool severalAllowed, QWidget* parent);

    int index() const { return index_; }
    bool acceptAll() const { return acceptAll_; }

    void accept() override;
    void done(int result) override;

private:
    QLineEdit* edit_ = nullptr;
    QPushButton* acceptAllButton_ = nullptr;
    bool severalAllowed_;
    int index_ = 0;
    bool acceptAll_ = false;
};

} // namespace brevik
