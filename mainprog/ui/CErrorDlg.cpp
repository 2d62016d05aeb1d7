#include "mainprog/ui/CErrorDlg.h"

#include "mainprog/ui/CorvantArt.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

QPlainTextEdit* readOnlyText(const std::string& text, int id, QWidget* parent)
{
    auto* edit = nameControl(new QPlainTextEdit(QString::fromLatin1(text.c_str()), parent), ControlKind::Edit, id);
    edit->setReadOnly(true);
    edit->setFixedHeight(64);
    return edit;
}

} // namespace

CErrorDlg::CErrorDlg(const ErrorReportTexts& texts, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("CErrorDlg"));
    setWindowTitle(QStringLiteral("Quorvane 3.0 Error Message"));
    setWindowIcon(corvantIcon(IDI_MAINFRAME));

    auto* title = new QLineEdit(QString::fromLatin1(texts.title.c_str()), this);
    nameControl(title, ControlKind::Edit, 1013);
    title->setReadOnly(true);
    auto* close = new QPushButton(QStringLiteral("Close"), this);
    nameControl(close, ControlKind::Button, torvane::ui::IDOK);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(title, 0, 0);
    layout->addWidget(readOnlyText(texts.text, 1011, this), 1, 0);
    layout->addWidget(readOnlyText(texts.detail, 1012, this), 2, 0);
    layout->addWidget(close, 3, 0, Qt::AlignRight);
    setMinimumWidth(380);
}

} // namespace corvant
