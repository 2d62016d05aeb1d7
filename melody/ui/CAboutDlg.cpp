#include "melody/ui/CAboutDlg.h"

#include "melody/ui/MelvioArt.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("dialog100"));
    setWindowTitle(QStringLiteral("About Ring tone editor"));
    auto* layout = new QVBoxLayout(this);
    auto* row = new QHBoxLayout;
    auto* icon = new QLabel(this);
    icon->setPixmap(melvio_art::applicationIcon().pixmap(32, 32));
    row->addWidget(icon);
    row->addWidget(new QLabel(QStringLiteral("Ring tone editor Version 3.0"), this));
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}
