#include "mainprog/ui/CAboutDlg.h"

#include "mainprog/ui/CorvantArt.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

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
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("button1"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(text, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addWidget(buttons);
}

} // namespace corvant
