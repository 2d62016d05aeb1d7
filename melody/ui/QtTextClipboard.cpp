#include "melody/ui/QtTextClipboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

bool QtTextClipboard::HasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

// Qt hands the text over in one piece; there is no holding the clipboard to fail at.
bool QtTextClipboard::Open() { return true; }

std::optional<std::string> QtTextClipboard::ReadText(std::size_t maxBytes)
{
    const QByteArray bytes = QGuiApplication::clipboard()->text().toLatin1();
    // The text ends at its first zero byte, as a C string would.
    const std::size_t end = std::min<std::size_t>(std::size_t(qstrnlen(bytes.constData(), uint(bytes.size()))), maxBytes);
    return std::string(bytes.constData(), end);
}

void QtTextClipboard::Close() {}
