// The barring password dialog (template 142): a hidden edit, OK and Cancel. OK keeps at most
// 255 characters of what was typed.
#pragma once

#include <QDialog>

#include <string>

class QLineEdit;

namespace corvant {

class CPasswordDlg : public QDialog {
    Q_OBJECT

public:
    explicit CPasswordDlg(QWidget* parent = nullptr);

    void accept() override;
    const std::string& password() const { return password_; }

private:
    QLineEdit* edit_;
    std::string password_;
};

} // namespace corvant
