// Qt's text-document fields (QPlainTextEdit, QTextEdit) crash when they paste from an X
// clipboard that nobody owns, as after a login: the clipboard then hands out data with no format
// at all, and inserting it faults inside Qt. The guard drops every way of pasting into such a
// field (the paste keys, the one that reads the selection among them, and the middle click)
// while the clipboard the paste would read holds no format; with something on it the paste goes
// through untouched. Single-line fields read the clipboard as text and need no guard; the context
// menu's Paste is already disabled while there is nothing to paste.
#pragma once

#include <QObject>

namespace torvane::ui {

class PasteGuard : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace torvane::ui
