#include "mainprog/ui/CPasswordDlg.h"

#include "mainprog/ui/CorvantArt.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

namespace {
constexpr int PASSWORD_MAX = 255;
}

CPasswordDlg::CPasswordDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CPasswordDlg"));
    setWindowTitle(QStringLiteral("Password-Check"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));

    auto* prompt = new QLabel(QStringLiteral("Please enter the password"), this);
    prompt->setObjectName(QStringLiteral("static"));
    edit_ = new QLineEdit(this);
    edit_->setObjectName(QStringLiteral("edit1029"));
    edit_->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("button1"));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("button2"));
    connect(buttons, &QDialogButtonBox::accepted, this, &CPasswordDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPasswordDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
}

void CPasswordDlg::accept()
{
    password_ = edit_->text().left(PASSWORD_MAX).toLatin1().toStdString();
    QDialog::accept();
}

} // namespace corvant
