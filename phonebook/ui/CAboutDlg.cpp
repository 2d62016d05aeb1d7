#include "phonebook/ui/CAboutDlg.h"

#include "phonebook/ui/BrevikArt.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevik {

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("Info über Telefonbuch"));
    auto* icon = new QLabel(this);
    icon->setPixmap(brevikIcon(IDR_MAINFRAME).pixmap(32, 32));
    auto* version = new QLabel(QStringLiteral("Telefonbuch Version 3.0"), this);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    torvane::ui::nameControl(buttons->button(QDialogButtonBox::Ok), torvane::ui::ControlKind::Button, torvane::ui::IDOK);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(version, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace brevik
