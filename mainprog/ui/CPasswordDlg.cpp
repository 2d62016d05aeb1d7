#include "mainprog/ui/CPasswordDlg.h"

#include "mainprog/ui/CorvantArt.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

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
    nameControl(edit_, ControlKind::Edit, 1029);
    edit_->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameControl(buttons->button(QDialogButtonBox::Ok), ControlKind::Button, torvane::ui::IDOK);
    nameControl(buttons->button(QDialogButtonBox::Cancel), ControlKind::Button, torvane::ui::IDCANCEL);
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
