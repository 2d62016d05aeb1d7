#include "platform/ui/guardedapp/PasteGuard.h"

#include <QAbstractScrollArea>
#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace torvane::ui {

namespace {

bool isTextDocumentField(const QObject* object)
{
    return qobject_cast<const QPlainTextEdit*>(object) || qobject_cast<const QTextEdit*>(object);
}

// The field's mouse input arrives at its viewport.
bool isTextDocumentViewport(const QObject* object)
{
    const auto* area = qobject_cast<const QAbstractScrollArea*>(object->parent());
    return area && area->viewport() == object && isTextDocumentField(area);
}

bool holdsNothing(QClipboard::Mode mode)
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    return !data || data->formats().isEmpty();
}

// Which clipboard a paste key reads: Ctrl+Shift+Insert reads the selection where there is one,
// as the field itself decides.
QClipboard::Mode pasteSource(const QKeyEvent& key)
{
    if (QGuiApplication::clipboard()->supportsSelection() && key.key() == Qt::Key_Insert
        && key.modifiers() == (Qt::ControlModifier | Qt::ShiftModifier))
        return QClipboard::Selection;
    return QClipboard::Clipboard;
}

} // namespace

bool PasteGuard::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* key = static_cast<const QKeyEvent*>(event);
        if (key->matches(QKeySequence::Paste) && isTextDocumentField(watched))
            return holdsNothing(pasteSource(*key));
        break;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
        if (static_cast<const QMouseEvent*>(event)->button() == Qt::MiddleButton
            && QGuiApplication::clipboard()->supportsSelection() && isTextDocumentViewport(watched))
            return holdsNothing(QClipboard::Selection);
        break;
    default:
        break;
    }
    return QObject::eventFilter(watched, event);
}

} // namespace torvane::ui
