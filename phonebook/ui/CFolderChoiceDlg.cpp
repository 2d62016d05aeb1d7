#include "phonebook/ui/CFolderChoiceDlg.h"

#include "phonebook/ui/FolderItems.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevik {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

CFolderChoiceDlg::CFolderChoiceDlg(const PabFolderTable& folders, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CFolderChoiceDlg"));
    setWindowTitle(QStringLiteral("Auswahl eines Ordners für das Persönliche Adressbuch"));
    list_ = new CFolderListBox(this);
    list_->fill(folders);
    list_->setMinimumSize(260, 180);
    auto* buttons = new QDialogButtonBox(this);
    nameControl(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), ControlKind::Button,
                torvane::ui::IDOK);
    nameControl(buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole), ControlKind::Button,
                torvane::ui::IDCANCEL);
    connect(buttons, &QDialogButtonBox::accepted, this, &CFolderChoiceDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CFolderChoiceDlg::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, &CFolderChoiceDlg::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(list_);
    layout->addWidget(buttons);
    // The focus goes back to the list whenever it is painted.
    list_->viewport()->installEventFilter(this);
    list_->setFocus();
}

void CFolderChoiceDlg::accept()
{
    chosenRow_ = std::max(list_->currentRow(), 0);
    QDialog::accept();
}

bool CFolderChoiceDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == list_->viewport() && event->type() == QEvent::Paint && isActiveWindow() && !list_->hasFocus())
        list_->setFocus();
    return QDialog::eventFilter(watched, event);
}

} // namespace brevik
