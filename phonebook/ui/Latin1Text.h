// The editor's texts are Latin-1 bytes; its widgets show QStrings. These convert at the edge,
// and carry a line edit's text with its selection to the typing filters and back.
#pragma once

#include "phonebook/model/EditFilters.h"

#include <QString>

#include <string>

class QLineEdit;

namespace brevik {

inline QString fromLatin1(const std::string& text)
{
    return QString::fromLatin1(text.data(), qsizetype(text.size()));
}

// Characters beyond Latin-1 become '?'.
inline std::string toLatin1(const QString& text)
{
    return text.toLatin1().toStdString();
}

// The edit's text with its selection (the caret when nothing is selected).
EditText editText(const QLineEdit& edit);
// Sets the text and the selection, the caret at its end.
void setEditText(QLineEdit& edit, const EditText& text);

} // namespace brevik
