// The text forms of the message service's script and log, one box per line, fields separated by
// tabs; backslash, tab, CR and LF inside a field are written \\, \t, \r and \n.
//
// Script line:  TARGET <tab> BUTTON [<tab> NAME=TEXT]...
//   TARGET is "MessageBox" or a dialog's object name; BUTTON is OK, Cancel, Abort, Retry,
//   Ignore, Yes, No or a number; each NAME=TEXT puts TEXT into the dialog's control NAME first.
//   Blank lines and lines beginning with # are skipped.
// Log line:     KIND <tab> CAPTION <tab> TEXT <tab> ANSWER [<tab> NAME=TEXT]...
//   ANSWER is written as a button name where it is one.
#pragma once

#include "platform/ui/msgservice/MessageService.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace torvane::ui {

QString escapeField(const QString& text);
QString unescapeField(const QString& text);

QString buttonName(int button);
// A button name or number; nullopt when it is neither.
std::optional<int> parseButton(const QString& text);

// The answers of a script; each line that cannot be read is skipped and described in *errors.
std::vector<ScriptedAnswer> parseScript(const QString& text, QStringList* errors = nullptr);

QString formatLogLine(const ShownBox& box);
std::optional<ShownBox> parseLogLine(const QString& line);

} // namespace torvane::ui
