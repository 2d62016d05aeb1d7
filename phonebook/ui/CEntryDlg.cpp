#include "phonebook/ui/CEntryDlg.h"

#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/EditFilters.h"
#include "phonebook/model/GsmName.h"
#include "phonebook/ui/Latin1Text.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace brevik {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

constexpr int kTextLength = 127;

std::string fieldText(const QString& text)
{
    return toLatin1(text.left(kTextLength));
}

} // namespace

CEntryDlg::CEntryDlg(const EntryDialogData& input, QWidget* parent)
    : QDialog(parent)
    , data_(input)
{
    setObjectName(QStringLiteral("CEntryDlg"));
    const char* title = brevikString(input.titleId);
    setWindowTitle(title ? QString::fromUtf8(title) : QStringLiteral("Eingabe eines neuen Eintrags"));
    const auto makeEdit = [this](int id, const std::string& text) {
        auto* edit = nameControl(new QLineEdit(fromLatin1(text), this), ControlKind::Edit, id);
        edit->setMaxLength(kTextLength);
        return edit;
    };
    name_ = makeEdit(1021, input.name);
    number_ = makeEdit(1022, input.number);
    index_ = makeEdit(1023, input.index);
    status_ = makeEdit(1024, input.status);
    name_->setMinimumWidth(name_->fontMetrics().averageCharWidth() * 28);
    number_->setMinimumWidth(number_->fontMetrics().averageCharWidth() * 22);
    index_->setMaximumWidth(index_->fontMetrics().averageCharWidth() * 7);
    status_->setMaximumWidth(status_->fontMetrics().averageCharWidth() * 4);
    connect(name_, &QLineEdit::textEdited, this, &CEntryDlg::onNameEdited);
    connect(number_, &QLineEdit::textEdited, this, &CEntryDlg::onNumberEdited);

    auto* grid = new QGridLayout;
    const char* labels[] = {"Name", "Telefon-Nr.", "Index", "!"};
    QLineEdit* edits[] = {name_, number_, index_, status_};
    for (int k = 0; k < 4; ++k) {
        grid->addWidget(new QLabel(QString::fromUtf8(labels[k]), this), 0, k);
        grid->addWidget(edits[k], 1, k);
    }
    auto* buttons = new QDialogButtonBox(this);
    nameControl(buttons->addButton(QStringLiteral("OK"), QDialogButtonBox::AcceptRole), ControlKind::Button,
                torvane::ui::IDOK);
    nameControl(buttons->addButton(QStringLiteral("Abbrechen"), QDialogButtonBox::RejectRole), ControlKind::Button,
                torvane::ui::IDCANCEL);
    connect(buttons, &QDialogButtonBox::accepted, this, &CEntryDlg::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &CEntryDlg::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);
    name_->setFocus();
}

void CEntryDlg::onNameEdited()
{
    if (!forPhone())
        return;
    if (const auto limited = LimitPhoneName(editText(*name_), data_.nameLength))
        setEditText(*name_, *limited);
}

void CEntryDlg::onNumberEdited()
{
    if (forPhone()) {
        if (const auto limited = LimitPhoneNumber(editText(*number_), data_.numberLength))
            setEditText(*number_, *limited);
    }
    if (const auto corrected = CorrectNumberChange(editText(*number_), !forPhone()))
        setEditText(*number_, *corrected);
}

void CEntryDlg::accept()
{
    data_.name = fieldText(name_->text());
    // "-" and "/" typed into a valid number go here.
    data_.number = FilterPhoneNumber(fieldText(number_->text()), !forPhone());
    data_.index = fieldText(index_->text());
    data_.status = fieldText(status_->text());
    QDialog::accept();
}

} // namespace brevik
