#include "phonebook/ui/CIndexDlg.h"

#include "phonebook/model/EditFilters.h"
#include "phonebook/ui/Latin1Text.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevik {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {
constexpr int IDC_INDEX_EDIT = 1021;
}

CIndexDlg::CIndexDlg(int offeredIndex, bool severalAllowed, QWidget* parent)
    : QDialog(parent)
    , severalAllowed_(severalAllowed)
    , index_(offeredIndex)
{
    setObjectName(QStringLiteral("CIndexDlg"));
    setWindowTitle(QStringLiteral("Index-Zuweisung"));
    edit_ = nameControl(new QLineEdit(QString::number(offeredIndex), this), ControlKind::Edit, IDC_INDEX_EDIT);
    edit_->setMaxLength(10);
    auto* accept = nameControl(new QPushButton(QStringLiteral("Akzeptieren"), this), ControlKind::Button, torvane::ui::IDOK);
    acceptAllButton_ = nameControl(new QPushButton(QStringLiteral("Alle akzeptieren"), this), ControlKind::Button, IDC_ACCEPT_ALL);
    auto* cancel = nameControl(new QPushButton(QStringLiteral("Abbrechen"), this), ControlKind::Button, torvane::ui::IDCANCEL);
    accept->setDefault(true);
    acceptAllButton_->setVisible(severalAllowed);
    connect(accept, &QPushButton::clicked, this, &CIndexDlg::accept);
    connect(acceptAllButton_, &QPushButton::clicked, this, [this] { done(IDC_ACCEPT_ALL); });
    connect(cancel, &QPushButton::clicked, this, &CIndexDlg::reject);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(acceptAllButton_);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Der eingegebene Index existiert bereits oder ist zu hoch."), this));
    layout->addWidget(new QLabel(QStringLiteral("Soll der niedrigste verfügbare Index-Wert verwendet werden ?"), this));
    layout->addWidget(edit_);
    layout->addLayout(buttons);
    edit_->selectAll();
    edit_->setFocus();
}

void CIndexDlg::accept()
{
    index_ = IndexFromText(toLatin1(edit_->text()));
    QDialog::accept();
}

void CIndexDlg::done(int result)
{
    if (result == IDC_ACCEPT_ALL) {
        // Without the button there is no accepting all.
        if (!severalAllowed_)
            return;
        acceptAll_ = true;
        accept();
        return;
    }
    QDialog::done(result);
}

} // namespace brevik
