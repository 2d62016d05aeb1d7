// Modal message boxes and dialogs of a program go through this one service, so that a test can
// answer them (OK, Cancel, Yes, No, text typed into a dialog's controls), read what was shown,
// and never block on a real modal box.
//
// Unscripted, a message box is a QMessageBox and a dialog runs its own modal loop. Scripted,
// nothing is shown: each box takes the first waiting answer that names it (a message box by
// "MessageBox", a dialog by its object name), or its default answer when none does. Every box is
// recorded, and appended to a log file when one is set.
//
// A program started by a test is scripted through its environment: TORVANE_UI_SCRIPT names a
// file of answers, TORVANE_UI_LOG a file each box is appended to (formats in ScriptFile.h).
// Neither is set in normal use. UI thread only.
#pragma once

#include "platform/wintypes.h"

#include <QList>
#include <QPair>
#include <QString>

#include <deque>
#include <vector>

class QDialog;
class QWidget;

namespace torvane::ui {

// Buttons and icons of a message box (the type argument), and the answers.
constexpr UINT MB_OK = 0x0;
constexpr UINT MB_OKCANCEL = 0x1;
constexpr UINT MB_ABORTRETRYIGNORE = 0x2;
constexpr UINT MB_YESNOCANCEL = 0x3;
constexpr UINT MB_YESNO = 0x4;
constexpr UINT MB_RETRYCANCEL = 0x5;
constexpr UINT MB_TYPEMASK = 0xF;
constexpr UINT MB_ICONSTOP = 0x10;
constexpr UINT MB_ICONQUESTION = 0x20;
constexpr UINT MB_ICONEXCLAMATION = 0x30;
constexpr UINT MB_ICONINFORMATION = 0x40;
constexpr UINT MB_ICONMASK = 0xF0;

constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDABORT = 3;
constexpr int IDRETRY = 4;
constexpr int IDIGNORE = 5;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// What a scripted box is named by when it is a message box.
inline const QString kMessageBoxName = QStringLiteral("MessageBox");

using FieldTexts = QList<QPair<QString, QString>>; // (control object name, text)

struct ShownBox {
    QString kind;    // kMessageBoxName, or the dialog's object name
    QString caption; // the box's or dialog's title
    QString text;    // a message box's text; empty for a dialog
    FieldTexts fields; // a dialog's named controls and their texts when it was shown
    int answer = 0;  // IDOK, IDCANCEL, ... (a dialog's own end code when it is none of them)
};

// A dialog's scripted answer that lets it run its own modal loop, shown, while the test plays it
// (from a timer); the boxes it puts up stay scripted.
constexpr int RUN_DIALOG = -1;

struct ScriptedAnswer {
    QString target; // kMessageBoxName or a dialog's object name
    int button = IDOK; // or RUN_DIALOG for a dialog
    FieldTexts fields; // texts put into the dialog's controls before the button
};

class MessageService {
public:
    // The process's service; the first call reads TORVANE_UI_SCRIPT and TORVANE_UI_LOG.
    static MessageService& instance();

    // Shows a message box and returns the button chosen (IDOK, IDYES, ...).
    int messageBox(QWidget* owner, const QString& text, const QString& caption, UINT type);

    // Runs the dialog modally. Returns IDOK when it was accepted, IDCANCEL when it was
    // rejected, or the code it was ended with through QDialog::done.
    int execDialog(QDialog& dialog);

    // Scripting (tests).
    bool scripted() const { return scripted_; }
    void setScripted(bool on) { scripted_ = on; }
    void addAnswer(ScriptedAnswer answer) { answers_.push_back(std::move(answer)); }
    void clearAnswers() { answers_.clear(); }
    std::size_t pendingAnswers() const { return answers_.size(); }
    const std::vector<ShownBox>& shown() const { return shown_; }
    void clearShown() { shown_.clear(); }

private:
    MessageService();
    bool takeAnswer(const QString& target, ScriptedAnswer* answer);
    int scriptedDialog(QDialog& dialog, ShownBox& box);
    void record(ShownBox box);

    bool scripted_ = false;
    std::deque<ScriptedAnswer> answers_;
    std::vector<ShownBox> shown_;
    QString logPath_;
};

// Shortcuts to the process's service.
inline int messageBox(QWidget* owner, const QString& text, const QString& caption, UINT type = MB_OK)
{
    return MessageService::instance().messageBox(owner, text, caption, type);
}
inline int execDialog(QDialog& dialog)
{
    return MessageService::instance().execDialog(dialog);
}

// The answer a box gets when nobody chooses: OK where it is the only button, else the one that
// backs out (Cancel, No, Abort).
int defaultAnswer(UINT type);

} // namespace torvane::ui
