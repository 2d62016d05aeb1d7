#include "platform/ui/msgservice/MessageService.h"

#include "platform/ui/msgservice/ScriptFile.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <cstdio>

namespace torvane::ui {

namespace {

// The controls a test can see and fill: named line edits, combo boxes, check boxes, labels and
// text areas of the dialog.
QString controlText(QWidget* w)
{
    if (auto* edit = qobject_cast<QLineEdit*>(w))
        return edit->text();
    if (auto* combo = qobject_cast<QComboBox*>(w))
        return combo->currentText();
    if (auto* check = qobject_cast<QCheckBox*>(w))
        return check->isChecked() ? QStringLiteral("1") : QStringLiteral("0");
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->text();
    if (auto* text = qobject_cast<QPlainTextEdit*>(w))
        return text->toPlainText();
    if (auto* text = qobject_cast<QTextEdit*>(w))
        return text->toPlainText();
    return {};
}

bool isControl(QWidget* w)
{
    return qobject_cast<QLineEdit*>(w) || qobject_cast<QComboBox*>(w) || qobject_cast<QCheckBox*>(w)
        || qobject_cast<QLabel*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w);
}

FieldTexts dialogFields(QDialog& dialog)
{
    FieldTexts fields;
    for (QWidget* w : dialog.findChildren<QWidget*>()) {
        // A combo box's own line edit carries no name of its own; the combo reports its text.
        if (!w->objectName().isEmpty() && !w->objectName().startsWith(QLatin1String("qt_")) && isControl(w))
            fields.append({w->objectName(), controlText(w)});
    }
    return fields;
}

bool setControlText(QDialog& dialog, const QString& name, const QString& value)
{
    QWidget* w = dialog.findChild<QWidget*>(name);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) {
        edit->setText(value);
    } else if (auto* combo = qobject_cast<QComboBox*>(w)) {
        if (combo->isEditable()) {
            combo->setEditText(value);
        } else {
            const int index = combo->findText(value);
            if (index < 0)
                return false;
            combo->setCurrentIndex(index);
        }
    } else if (auto* check = qobject_cast<QCheckBox*>(w)) {
        check->setChecked(value == QLatin1String("1"));
    } else if (auto* text = qobject_cast<QPlainTextEdit*>(w)) {
        text->setPlainText(value);
    } else if (auto* text = qobject_cast<QTextEdit*>(w)) {
        text->setPlainText(value);
    } else {
        return false;
    }
    return true;
}

QMessageBox::StandardButtons boxButtons(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL: return QMessageBox::Ok | QMessageBox::Cancel;
    case MB_ABORTRETRYIGNORE: return QMessageBox::Abort | QMessageBox::Retry | QMessageBox::Ignore;
    case MB_YESNOCANCEL: return QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel;
    case MB_YESNO: return QMessageBox::Yes | QMessageBox::No;
    case MB_RETRYCANCEL: return QMessageBox::Retry | QMessageBox::Cancel;
    default: return QMessageBox::Ok;
    }
}

QMessageBox::Icon boxIcon(UINT type)
{
    switch (type & MB_ICONMASK) {
    case MB_ICONSTOP: return QMessageBox::Critical;
    case MB_ICONQUESTION: return QMessageBox::Question;
    case MB_ICONEXCLAMATION: return QMessageBox::Warning;
    case MB_ICONINFORMATION: return QMessageBox::Information;
    default: return QMessageBox::NoIcon;
    }
}

int answerOf(QMessageBox::StandardButton button, UINT type)
{
    switch (button) {
    case QMessageBox::Ok: return IDOK;
    case QMessageBox::Cancel: return IDCANCEL;
    case QMessageBox::Abort: return IDABORT;
    case QMessageBox::Retry: return IDRETRY;
    case QMessageBox::Ignore: return IDIGNORE;
    case QMessageBox::Yes: return IDYES;
    case QMessageBox::No: return IDNO;
    default: return defaultAnswer(type); // closed by the window's close button
    }
}

int dialogAnswer(int resultCode)
{
    return resultCode == QDialog::Rejected ? IDCANCEL : resultCode; // Accepted is 1, as IDOK
}

} // namespace

int defaultAnswer(UINT type)
{
    switch (type & MB_TYPEMASK) {
    case MB_OKCANCEL:
    case MB_YESNOCANCEL:
    case MB_RETRYCANCEL: return IDCANCEL;
    case MB_ABORTRETRYIGNORE: return IDABORT;
    case MB_YESNO: return IDNO;
    default: return IDOK;
    }
}

MessageService& MessageService::instance()
{
    static MessageService service;
    return service;
}

MessageService::MessageService()
{
    const QString script = qEnvironmentVariable("TORVANE_UI_SCRIPT");
    logPath_ = qEnvironmentVariable("TORVANE_UI_LOG");
    if (script.isEmpty())
        return;
    scripted_ = true;
    QFile file(script);
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "message service: cannot read the script %s\n", qPrintable(script));
        return;
    }
    QStringList errors;
    for (auto& answer : parseScript(QString::fromUtf8(file.readAll()), &errors))
        answers_.push_back(std::move(answer));
    for (const QString& error : errors)
        std::fprintf(stderr, "message service: %s: %s\n", qPrintable(script), qPrintable(error));
}

bool MessageService::takeAnswer(const QString& target, ScriptedAnswer* answer)
{
    for (auto it = answers_.begin(); it != answers_.end(); ++it) {
        if (it->target == target) {
            *answer = std::move(*it);
            answers_.erase(it);
            return true;
        }
    }
    return false;
}

int MessageService::messageBox(QWidget* owner, const QString& text, const QString& caption, UINT type)
{
    ShownBox box {kMessageBoxName, caption, text, {}, 0};
    if (scripted_) {
        ScriptedAnswer answer;
        box.answer = takeAnswer(kMessageBoxName, &answer) ? answer.button : defaultAnswer(type);
    } else {
        QMessageBox dialog(boxIcon(type), caption, text, boxButtons(type), owner);
        dialog.exec();
        box.answer = answerOf(dialog.standardButton(dialog.clickedButton()), type);
    }
    const int result = box.answer;
    record(std::move(box));
    return result;
}

int MessageService::execDialog(QDialog& dialog)
{
    ShownBox box {dialog.objectName(), dialog.windowTitle(), {}, dialogFields(dialog), 0};
    box.answer = scripted_ ? scriptedDialog(dialog, box) : dialogAnswer(dialog.exec());
    const int result = box.answer;
    record(std::move(box));
    return result;
}

// Plays the answers that name the dialog until one of them ends it (an OK that the dialog
// refuses, for bad input, leaves it open for the next); without one that does, it is rejected.
int MessageService::scriptedDialog(QDialog& dialog, ShownBox& box)
{
    bool ended = false;
    int code = QDialog::Rejected;
    const auto connection = QObject::connect(&dialog, &QDialog::finished, [&](int result) {
        ended = true;
        code = result;
    });
    ScriptedAnswer answer;
    while (!ended && takeAnswer(box.kind, &answer)) {
        for (const auto& [name, value] : answer.fields) {
            if (!setControlText(dialog, name, value))
                std::fprintf(stderr, "message service: %s has no control %s to fill\n", qPrintable(box.kind),
                             qPrintable(name));
        }
        if (answer.button == RUN_DIALOG)
            dialog.exec();
        else if (answer.button == IDOK)
            dialog.accept();
        else if (answer.button == IDCANCEL)
            dialog.reject();
        else
            dialog.done(answer.button);
    }
    if (!ended)
        dialog.reject();
    QObject::disconnect(connection);
    return dialogAnswer(code);
}

void MessageService::record(ShownBox box)
{
    if (!logPath_.isEmpty()) {
        QFile log(logPath_);
        if (log.open(QIODevice::Append | QIODevice::Text))
            log.write((formatLogLine(box) + QLatin1Char('\n')).toUtf8());
    }
    shown_.push_back(std::move(box));
}

} // namespace torvane::ui
