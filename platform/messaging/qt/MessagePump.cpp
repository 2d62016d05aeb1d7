#include "platform/messaging/qt/MessagePump.h"

#include "platform/messaging/Messaging.h"

#include <QCoreApplication>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>

namespace messaging {

bool attachToEventLoop()
{
    // Owned by the application object, so a later application in the same process (tests)
    // gets a notifier of its own.
    static QPointer<QSocketNotifier> notifier;
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || QThread::currentThread() != app->thread())
        return false;
    if (notifier)
        return true;
    const int fd = endpointFd();
    if (fd < 0)
        return false;
    notifier = new QSocketNotifier(fd, QSocketNotifier::Read, app);
    QObject::connect(notifier, &QSocketNotifier::activated, app, [] { dispatchMessages(0); });
    return true;
}

} // namespace messaging
