#include "mainprog/ui/CSmsPreviewDlg.h"

#include "mainprog/core/CorvantStrings.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {
QString text(int id)
{
    return QString::fromLatin1(loadString(id));
}
} // namespace

CSmsPreviewDlg::CSmsPreviewDlg(const QString& number, const QString& message, const QString& partsLine,
                               QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CSmsPreviewDlg"));
    setWindowTitle(text(61268));
    auto* question = new QLabel(text(61271), this);
    nameControl(question, ControlKind::Static, 1010);
    auto* numberLabel = new QLabel(text(61272), this);
    nameControl(numberLabel, ControlKind::Static, 1011);
    auto* numberEdit = new QLineEdit(number, this);
    nameControl(numberEdit, ControlKind::Edit, 1000);
    numberEdit->setReadOnly(true);
    auto* messageLabel = new QLabel(text(61273), this);
    nameControl(messageLabel, ControlKind::Static, 1012);
    auto* messageEdit = new QPlainTextEdit(message, this);
    nameControl(messageEdit, ControlKind::Edit, 1001);
    messageEdit->setReadOnly(true);
    messageEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* partsEdit = new QLineEdit(partsLine, this);
    nameControl(partsEdit, ControlKind::Edit, 1002);
    partsEdit->setReadOnly(true);
    partsEdit->setFrame(false);
    store_ = new QCheckBox(text(61274), this);
    nameControl(store_, ControlKind::Check, 1009);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    nameControl(buttons->button(QDialogButtonBox::Ok), ControlKind::Button, torvane::ui::IDOK);
    buttons->button(QDialogButtonBox::Ok)->setText(text(61269));
    nameControl(buttons->button(QDialogButtonBox::Cancel), ControlKind::Button, torvane::ui::IDCANCEL);
    buttons->button(QDialogButtonBox::Cancel)->setText(text(61270));
    connect(buttons, &QDialogButtonBox::accepted, this, &CSmsPreviewDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CSmsPreviewDlg::reject);

    auto* layout = new QVBoxLayout(this);
    for (QWidget* w : {static_cast<QWidget*>(question), static_cast<QWidget*>(numberLabel),
                       static_cast<QWidget*>(numberEdit), static_cast<QWidget*>(messageLabel),
                       static_cast<QWidget*>(messageEdit), static_cast<QWidget*>(partsEdit),
                       static_cast<QWidget*>(store_), static_cast<QWidget*>(buttons)})
        layout->addWidget(w);
}

void CSmsPreviewDlg::accept()
{
    mode_ = store_->isChecked() ? 2 : -1;
    QDialog::accept();
}

} // namespace corvant
