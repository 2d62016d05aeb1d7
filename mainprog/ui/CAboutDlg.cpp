#include "mainprog/ui/CAboutDlg.h"

#include "mainprog/ui/CorvantArt.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

CAboutDlg::CAboutDlg(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CAboutDlg"));
    setWindowTitle(QStringLiteral("About Quorvane 3.0"));
    auto* icon = new QLabel(this);
    icon->setPixmap(corvantIcon(IDI_MAINFRAME).pixmap(32, 32));
    auto* text = new QLabel(QStringLiteral("Quorvane 3.0"), this);
    text->setObjectName(QStringLiteral("static"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    nameControl(buttons->button(QDialogButtonBox::Ok), ControlKind::Button, torvane::ui::IDOK);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace corvant
