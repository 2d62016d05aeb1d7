#include "mainprog/ui/CPinDlg.h"

#include "mainprog/core/PhoneStatusAnswer.h"
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

CPinDlg::CPinDlg(char* simPin, QWidget* parent)
    : QDialog(parent)
    , simPin_(simPin)
{
    clearSimPin(simPin_);
    setObjectName(QStringLiteral("CPinDlg"));
    setWindowTitle(QStringLiteral("PIN-Check"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));

    auto* prompt = new QLabel(QStringLiteral("Please enter the PIN"), this);
    prompt->setObjectName(QStringLiteral("static"));
    pin_ = new QLineEdit(this);
    nameControl(pin_, ControlKind::Edit, 1023);
    pin_->setEchoMode(QLineEdit::Password);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameControl(buttons->button(QDialogButtonBox::Ok), ControlKind::Button, torvane::ui::IDOK);
    nameControl(buttons->button(QDialogButtonBox::Cancel), ControlKind::Button, torvane::ui::IDCANCEL);
    connect(buttons, &QDialogButtonBox::accepted, this, &CPinDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CPinDlg::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(prompt);
    layout->addWidget(pin_);
    layout->addWidget(buttons);
}

void CPinDlg::accept()
{
    storeSimPin(simPin_, pin_->text().toLatin1().toStdString());
    QDialog::accept();
}

void CPinDlg::reject()
{
    clearSimPin(simPin_);
    QDialog::reject();
}

} // namespace corvant
