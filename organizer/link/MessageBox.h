// The organizer's message boxes. The library shows none itself: the program installs a
// handler that puts up the real box, and tests install one that records the text and
// answers as scripted, so no test ever blocks on a modal box.
#pragma once

#include <QString>

#include <functional>

namespace torvane::controls {
class ControlError;
}

namespace tessaro {

// Button and icon bits of a box, and its answers.
constexpr int vbOKOnly = 0;
constexpr int vbOKCancel = 1;
constexpr int vbYesNo = 4;
constexpr int vbQuestion = 32;
constexpr int vbExclamation = 48;
constexpr int vbInformation = 64;
constexpr int vbOK = 1;
constexpr int vbCancel = 2;
constexpr int vbYes = 6;
constexpr int vbNo = 7;

// The line end the organizer's texts use, inside boxes and error descriptions alike.
inline const QString vbCrLf = QStringLiteral("\r\n");

// The program title (the caption of every box); a second copy renames itself.
extern QString AppTitle;

using MessageBoxHandler = std::function<int(const QString& text, int style, const QString& caption)>;

// Installs the handler and returns the previous one. Without a handler a box answers OK
// (Yes for a Yes/No question) and its text goes to the debug log.
MessageBoxHandler setMessageBoxHandler(MessageBoxHandler handler);

int MsgBox(const QString& text, int style, const QString& caption);

// The error box of a procedure that handles its own errors: titled
// "An Error Occurred In: " + source + ":" + procedure, with the number, the description and
// the location (program title and procedure, then `locationTail` when given).
void ShowErrorBox(const torvane::controls::ControlError& err, const QString& procName, const QString& locationTail = {});

// The same box with an extra last line (the settings name the value or key that failed).
void ShowErrorBoxWithLine(int number, const QString& source, const QString& description,
                          const QString& procName, const QString& lastLine);

} // namespace tessaro
