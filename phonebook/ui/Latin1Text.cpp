#include "phonebook/ui/Latin1Text.h"

#include <QLineEdit>

namespace brevik {

EditText editText(const QLineEdit& edit)
{
    const int start = edit.hasSelectedText() ? edit.selectionStart() : edit.cursorPosition();
    const int end = edit.hasSelectedText() ? edit.selectionEnd() : start;
    return {toLatin1(edit.text()), start, end};
}

void setEditText(QLineEdit& edit, const EditText& text)
{
    edit.setText(fromLatin1(text.text));
    if (text.selEnd > text.selStart)
        edit.setSelection(text.selStart, text.selEnd - text.selStart);
    else
        edit.setCursorPosition(text.selStart);
}

} // namespace brevik
