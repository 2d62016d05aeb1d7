#include "phonebook/ui/CFolderNameDlg.h"

#include "phonebook/ui/Latin1Text.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevik {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {
constexpr int IDC_PROMPT = 1027;
constexpr int IDC_NAME = 1021;
constexpr int kNameLength = 255;
}

CFolderNameDlg::CFolderNameDlg(const QString& title, const QString& prompt, const std::string& name, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CFolderNameDlg"));
    setWindowTitle(title);
    auto* label = nameControl(new QLabel(prompt, this), ControlKind::Static, IDC_PROMPT);
    edit_ = nameControl(new QLineEdit(fromLatin1(name), this), ControlKind::Edit,
                        IDC_NAME);
    edit_->setMaxLength(kNameLength);
    edit_->setMinimumWidth(edit_->fontMetrics().averageCharWidth() * 40);
    auto* buttons = new QDialogButtonBox(this);
    nameControl(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), ControlKind::Button,
                torvane::ui::IDOK);
    nameControl(buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole), ControlKind::Button,
                torvane::ui::IDCANCEL);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFolderNameDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFolderNameDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(label);
    layout->addWidget(edit_);
    layout->addWidget(buttons);
    edit_->selectAll();
    edit_->setFocus();
}

void CFolderNameDlg::accept()
{
    const std::string text = toLatin1(edit_->text().left(kNameLength));
    if (text.empty()) {
        edit_->setFocus();
        return;
    }
    name_ = text;
    QDialog::accept();
}

} // namespace brevik
