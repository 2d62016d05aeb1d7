#include "mainprog/ui/CCfgPropPage1.h"

#include "mainprog/core/CorvantStrings.h"
#include "platform/ui/controlids/ControlIds.h"
#include "platform/ui/msgservice/MessageService.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QFocusEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace corvant {

using torvane::ui::ControlKind;
using torvane::ui::nameControl;

namespace {

constexpr int kFieldMaxParts = 0;
constexpr int kFieldService = 1;
constexpr int kFieldValidity = 2;
constexpr int kFieldWait = 3;
constexpr int kFieldDirectory = 4;
constexpr int kFieldCount = 5;

QString fromLocal(const std::string& text)
{
    return QFile::decodeName(QByteArray::fromStdString(text));
}

std::string toLocal(const QString& text)
{
    return QFile::encodeName(text).toStdString();
}

// The index of the item the combo shows, or -1 when its text is not that item's (typed).
int shownSelection(const QComboBox* combo)
{
    const int index = combo->currentIndex();
    return index >= 0 && combo->currentText() == combo->itemText(index) ? index : -1;
}

QComboBox* combo(QWidget* parent, int id, bool editable)
{
    auto* c = new QComboBox(parent);
    nameControl(c, ControlKind::Combo, id);
    c->setEditable(editable);
    if (editable)
        c->setInsertPolicy(QComboBox::NoInsert);
    return c;
}

QLineEdit* numberField(QWidget* parent, int id, int value)
{
    auto* edit = new QLineEdit(QString::number(value), parent);
    nameControl(edit, ControlKind::Edit, id);
    edit->setMaxLength(5);
    return edit;
}

} // namespace

CCfgPropPage1::CCfgPropPage1(EngineApi& engine, torvane::registry::AppProfile& profile,
                             std::function<void()> configureSmsManager, QWidget* parent)
    : CfgPage(parent)
    , engine_(engine)
    , model_(profile)
    , configureSmsManager_(std::move(configureSmsManager))
{
    setObjectName(QStringLiteral("CCfgPropPage1"));
    const CfgPage1View view = model_.load();

    maxParts_ = numberField(this, 1029, view.maxParts);
    service_ = combo(this, 1002, true);
    service_->addItem(QString::fromLatin1(corvantString(IDS_PHONE_SETTING)));
    for (const std::string& entry : view.serviceHistory)
        service_->addItem(QString::fromLatin1(entry.c_str()));
    service_->setCurrentIndex(view.serviceSelection < service_->count() ? view.serviceSelection : -1);
    validity_ = combo(this, 1003, false);
    for (int i = 0; i < VALIDITY_CHOICES; ++i)
        validity_->addItem(QString::fromLatin1(corvantString(IDS_VALIDITY_FIRST + i)));
    validity_->setCurrentIndex(view.validitySelection < VALIDITY_CHOICES ? view.validitySelection : -1);
    wait_ = numberField(this, 1030, view.waitMinutes);
    directory_ = combo(this, 1004, true);
    for (const std::string& entry : view.pathHistory)
        directory_->addItem(fromLocal(entry));
    directory_->setCurrentIndex(view.pathSelection < directory_->count() ? view.pathSelection : -1);
    browse_ = new QPushButton(QStringLiteral("Browse..."), this);
    nameControl(browse_, ControlKind::Button, 1028);
    browse_->setAutoDefault(false);
    preview_ = new QCheckBox(QStringLiteral("Show the message before sending"), this);
    nameControl(preview_, ControlKind::Check, 1001);
    preview_->setChecked(view.preview);

    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(directory_, 1);
    folderRow->addWidget(browse_);
    auto* form = new QFormLayout(this);
    form->addRow(QStringLiteral("Maximum number of concatenated SMS:"), maxParts_);
    form->addRow(QStringLiteral("Service centre:"), service_);
    form->addRow(QStringLiteral("Validity:"), validity_);
    form->addRow(QStringLiteral("Waiting period (min.):"), wait_);
    form->addRow(QStringLiteral("Home directory:"), folderRow);
    form->addRow(preview_);

    fields_ = {maxParts_, service_, validity_, wait_, directory_};
    for (QWidget* field : fields_)
        field->installEventFilter(this);
    service_->lineEdit()->installEventFilter(this);
    directory_->lineEdit()->installEventFilter(this);

    connect(service_->lineEdit(), &QLineEdit::textEdited, this, &CCfgPropPage1::onServiceEdited);
    connect(directory_->lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        typedPath_ = toLocal(text);
        emit changed();
    });
    for (QComboBox* box : {service_, validity_, directory_}) {
        connect(box, &QComboBox::activated, this, [this, box] {
            if (memory_.field >= 0 && fields_[std::size_t(memory_.field)] == box)
                memory_.accepted = true;
            emit changed();
        });
    }
    for (QLineEdit* edit : {maxParts_, wait_})
        connect(edit, &QLineEdit::textEdited, this, &CfgPage::changed);
    connect(preview_, &QCheckBox::toggled, this, &CfgPage::changed);
    connect(browse_, &QPushButton::clicked, this, &CCfgPropPage1::onBrowse);
}

void CCfgPropPage1::onServiceEdited(const QString& text)
{
    QLineEdit* edit = service_->lineEdit();
    int caret = edit->cursorPosition();
    const std::string kept = filterServiceCentre(text.toLatin1().toStdString(), &caret);
    const QString filtered = QString::fromLatin1(kept.c_str());
    if (filtered != text) {
        edit->setText(filtered);
        edit->setCursorPosition(caret);
    }
    typedService_ = kept;
    emit changed();
}

void CCfgPropPage1::onBrowse()
{
    QFileDialog dialog(this, QString::fromLatin1(corvantString(IDS_HOME_DIRECTORY)));
    dialog.setObjectName(QStringLiteral("browseFolder"));
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly);
    if (torvane::ui::execDialog(dialog) != torvane::ui::IDOK || dialog.selectedFiles().isEmpty())
        return;
    const QString folder = dialog.selectedFiles().constFirst();
    directory_->setEditText(folder);
    typedPath_ = toLocal(folder);
    emit changed();
}

int CCfgPropPage1::fieldOf(QObject* object) const
{
    for (int i = 0; i < kFieldCount; ++i) {
        QWidget* field = fields_[std::size_t(i)];
        if (object == field)
            return i;
        if (auto* box = qobject_cast<QComboBox*>(field); box != nullptr && object == box->lineEdit())
            return i;
    }
    return -1;
}

void CCfgPropPage1::remember(int field)
{
    memory_ = {};
    memory_.field = field;
    QWidget* w = fields_[std::size_t(field)];
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        memory_.selection = box->currentIndex();
        memory_.text = box->currentText();
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        memory_.text = edit->text();
    }
}

// Puts the remembered selection and text back; the typed texts stay what they are.
void CCfgPropPage1::restore()
{
    if (memory_.field < 0)
        return;
    QWidget* w = fields_[std::size_t(memory_.field)];
    if (auto* box = qobject_cast<QComboBox*>(w)) {
        box->setCurrentIndex(memory_.selection);
        if (box->isEditable())
            box->setEditText(memory_.text);
    } else if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(memory_.text);
    }
}

void CCfgPropPage1::acceptAndMoveOn(int field)
{
    if (memory_.field == field)
        memory_.accepted = true;
    fields_[std::size_t((field + 1) % kFieldCount)]->setFocus(Qt::OtherFocusReason);
}

bool CCfgPropPage1::eventFilter(QObject* watched, QEvent* event)
{
    const int field = fieldOf(watched);
    if (field < 0)
        return CfgPage::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::FocusIn: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason && memory_.field != field)
            remember(field);
        break;
    }
    case QEvent::FocusOut: {
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::PopupFocusReason || reason == Qt::ActiveWindowFocusReason || memory_.field != field)
            break;
        const bool isCombo = qobject_cast<QComboBox*>(fields_[std::size_t(field)]) != nullptr;
        const bool leftWithTab = reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason;
        if (!memory_.accepted && (isCombo || leftWithTab))
            restore();
        memory_.field = -1;
        break;
    }
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            acceptAndMoveOn(field);
            return true;
        }
        break;
    }
    default:
        break;
    }
    return CfgPage::eventFilter(watched, event);
}

void CCfgPropPage1::mousePressEvent(QMouseEvent* event)
{
    restore();
    CfgPage::mousePressEvent(event);
}

bool CCfgPropPage1::OnKillActive()
{
    const auto breach = CfgPage1Model::checkLimits(parseFieldNumber(maxParts_->text().toStdString()),
                                                   parseFieldNumber(wait_->text().toStdString()));
    if (!breach)
        return true;
    engine_.Fehler_Melden(ERROR_CLASS_OPERATING, breach->reportId);
    QLineEdit* edit = breach->controlId == 1029 ? maxParts_ : wait_;
    edit->setFocus(Qt::OtherFocusReason);
    edit->selectAll();
    return false;
}

CfgPage1Choice CCfgPropPage1::choice() const
{
    CfgPage1Choice c;
    c.maxParts = parseFieldNumber(maxParts_->text().toStdString());
    c.waitMinutes = parseFieldNumber(wait_->text().toStdString());
    c.serviceSelection = shownSelection(service_);
    for (int i = 1; i < service_->count(); ++i)
        c.serviceHistory.push_back(service_->itemText(i).toLatin1().toStdString());
    c.typedService = typedService_;
    c.validitySelection = validity_->currentIndex();
    c.pathSelection = shownSelection(directory_);
    for (int i = 0; i < directory_->count(); ++i)
        c.pathHistory.push_back(toLocal(directory_->itemText(i)));
    c.typedPath = typedPath_;
    c.preview = preview_->isChecked();
    return c;
}

void CCfgPropPage1::OnOK()
{
    model_.apply(choice(), configureSmsManager_);
    // The page stays open after Apply: it now shows the histories as written, so that a second
    // Apply writes the same again instead of adding the typed text once more.
    const CfgPage1View view = model_.load();
    typedService_.clear();
    typedPath_.clear();
    const bool phoneSetting = shownSelection(service_) == 0;
    while (service_->count() > 1)
        service_->removeItem(1);
    for (const std::string& entry : view.serviceHistory)
        service_->addItem(QString::fromLatin1(entry.c_str()));
    service_->setCurrentIndex(phoneSetting ? 0 : view.serviceSelection < service_->count() ? view.serviceSelection : -1);
    directory_->clear();
    for (const std::string& entry : view.pathHistory)
        directory_->addItem(fromLocal(entry));
    directory_->setCurrentIndex(view.pathSelection < directory_->count() ? view.pathSelection : -1);
}

} // namespace corvant
