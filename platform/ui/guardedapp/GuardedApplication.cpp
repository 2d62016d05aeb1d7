#include "platform/ui/guardedapp/GuardedApplication.h"

#include "platform/ui/msgservice/MessageService.h"

#include <QCloseEvent>
#include <QMetaEnum>

#include <cxxabi.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <typeinfo>

namespace torvane::ui {

namespace {

EventFailureHandler& programHandler()
{
    static EventFailureHandler handler;
    return handler;
}

void showPlainBox(const EventFailure& failure)
{
    messageBox(QApplication::activeWindow(), failure.text, QApplication::applicationName(),
               MB_OK | MB_ICONEXCLAMATION);
}

// The text of the exception being handled.
QString currentExceptionText()
{
    try {
        throw;
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    } catch (...) {
        const std::type_info* type = abi::__cxa_current_exception_type();
        if (!type)
            return QStringLiteral("unknown exception");
        int status = 0;
        std::unique_ptr<char, void (*)(void*)> name(abi::__cxa_demangle(type->name(), nullptr, nullptr, &status),
                                                    std::free);
        return QStringLiteral("exception of type ") + QString::fromUtf8(status == 0 ? name.get() : type->name());
    }
}

QString eventName(const QEvent& event)
{
    if (const char* name = QMetaEnum::fromType<QEvent::Type>().valueToKey(event.type()))
        return QString::fromLatin1(name);
    return QString::number(int(event.type()));
}

QString receiverName(const QObject& receiver)
{
    const QString name = receiver.objectName();
    return name.isEmpty() ? QString::fromLatin1(receiver.metaObject()->className()) : name;
}

} // namespace

void setEventFailureHandler(EventFailureHandler handler)
{
    programHandler() = std::move(handler);
}

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    installEventFilter(&pasteGuard_);
}

GuardedApplication::~GuardedApplication()
{
    removeEventFilter(&pasteGuard_);
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        // A close whose handler failed half-way keeps the window and what it holds open.
        if (event->type() == QEvent::Close)
            event->ignore();
        failed({currentExceptionText(), std::current_exception(), receiverName(*receiver), eventName(*event)});
        return false;
    }
}

void GuardedApplication::failed(EventFailure failure)
{
    // Each one is also told on the program's output, where the box shows only the first: a
    // failure that reached this net is a fault to mend where it starts.
    std::fprintf(stderr, "%s: failure inside a window event (%s of %s): %s\n", qPrintable(applicationName()),
                 qPrintable(failure.event), qPrintable(failure.receiver), qPrintable(failure.text));
    {
        const QMutexLocker lock(&mutex_);
        if (shown_.contains(failure.text))
            return;
        shown_.insert(failure.text);
        pending_.push_back(std::move(failure));
    }
    // The box waits until the failing event has returned: a paint or a half-done command is no
    // place for a modal loop.
    QMetaObject::invokeMethod(this, &GuardedApplication::showPending, Qt::QueuedConnection);
}

void GuardedApplication::showPending()
{
    // A failure while a box is up waits for that box to close, so boxes come one at a time.
    if (showing_)
        return;
    showing_ = true;
    for (;;) {
        EventFailure next;
        {
            const QMutexLocker lock(&mutex_);
            if (pending_.empty())
                break;
            next = std::move(pending_.front());
            pending_.pop_front();
        }
        try {
            if (programHandler())
                programHandler()(next);
            else
                showPlainBox(next);
        } catch (...) {
            std::fprintf(stderr, "%s: the box for \"%s\" failed: %s\n", qPrintable(applicationName()),
                         qPrintable(next.text), qPrintable(currentExceptionText()));
        }
    }
    showing_ = false;
}

} // namespace torvane::ui
