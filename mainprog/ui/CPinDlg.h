// The SIM PIN dialog (template 1035). It works on the PIN buffer it is given (ZelSimPin):
// opening empties it, OK stores the typed PIN (at most nine characters), Cancel leaves it empty.
// The next status check sends what it holds.
#pragma once

#include <QDialog>

class QLineEdit;

namespace corvant {

class CPinDlg : public QDialog {
    Q_OBJECT

public:
    explicit CPinDlg(char* simPin, QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    char* simPin_;
    QLineEdit* pin_;
};

} // namespace corvant
