#include "mainprog/ui/CSmsPreviewDlg.h"

#include "mainprog/core/CorvantStrings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace corvant {

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
    question->setObjectName(QStringLiteral("static1010"));
    auto* numberLabel = new QLabel(text(61272), this);
    numberLabel->setObjectName(QStringLiteral("static1011"));
    auto* numberEdit = new QLineEdit(number, this);
    numberEdit->setObjectName(QStringLiteral("edit1000"));
    numberEdit->setReadOnly(true);
    auto* messageLabel = new QLabel(text(61273), this);
    messageLabel->setObjectName(QStringLiteral("static1012"));
    auto* messageEdit = new QPlainTextEdit(message, this);
    messageEdit->setObjectName(QStringLiteral("edit1001"));
    messageEdit->setReadOnly(true);
    messageEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    auto* partsEdit = new QLineEdit(partsLine, this);
    partsEdit->setObjectName(QStringLiteral("edit1002"));
    partsEdit->setReadOnly(true);
    partsEdit->setFrame(false);
    store_ = new QCheckBox(text(61274), this);
    store_->setObjectName(QStringLiteral("check1009"));
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName(QStringLiteral("button1"));
    buttons->button(QDialogButtonBox::Ok)->setText(text(61269));
    buttons->button(QDialogButtonBox::Cancel)->setObjectName(QStringLiteral("button2"));
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
