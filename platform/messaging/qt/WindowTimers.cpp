#include "platform/messaging/qt/WindowTimers.h"

#include "platform/messaging/Messaging.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <unistd.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace {

constexpr UINT kMinimumPeriodMs = 10;

using TimerKey = std::pair<HWND, UINT_PTR>;

// Timers live on the threads that set them; the table itself may be touched from any thread.
// Timers of the main thread belong to the application object, so that timers still running when
// the program ends go with it (hence the guarded pointers).
std::mutex g_mutex;
std::map<TimerKey, QPointer<QTimer>> g_timers;

QTimer* takeTimer(const TimerKey& key)
{
    std::lock_guard lock(g_mutex);
    const auto it = g_timers.find(key);
    if (it == g_timers.end())
        return nullptr;
    QTimer* timer = it->second;
    g_timers.erase(it);
    return timer;
}

void dispose(QTimer* timer)
{
    if (timer == nullptr)
        return;
    // The timer may be the one whose tick is being handled right now.
    timer->stop();
    timer->deleteLater();
}

void tick(HWND window, UINT_PTR id)
{
    if (!IsWindow(window)) {
        KillTimer(window, id);
        return;
    }
    SendMessage(window, WM_TIMER, id, 0);
}

} // namespace

UINT_PTR SetTimer(HWND window, UINT_PTR id, UINT periodMs)
{
    if (id == 0 || messaging::hwndPid(window) != std::uint32_t(::getpid()) || !IsWindow(window))
        return 0;
    const int period = int(std::min<UINT>(std::max(periodMs, kMinimumPeriodMs), 0x7fffffff));
    const TimerKey key{window, id};
    std::lock_guard lock(g_mutex);
    QPointer<QTimer>& timer = g_timers[key];
    if (timer == nullptr) {
        QCoreApplication* app = QCoreApplication::instance();
        timer = new QTimer(app != nullptr && app->thread() == QThread::currentThread() ? app : nullptr);
        QObject::connect(timer, &QTimer::timeout, timer, [window, id] { tick(window, id); });
    }
    timer->start(period);
    return id;
}

BOOL KillTimer(HWND window, UINT_PTR id)
{
    QTimer* timer = takeTimer({window, id});
    if (timer == nullptr)
        return FALSE;
    dispose(timer);
    return TRUE;
}

namespace messaging {

void killWindowTimers(HWND window)
{
    std::vector<QTimer*> timers;
    {
        std::lock_guard lock(g_mutex);
        for (auto it = g_timers.lower_bound({window, 0}); it != g_timers.end() && it->first.first == window;) {
            timers.push_back(it->second);
            it = g_timers.erase(it);
        }
    }
    for (QTimer* timer : timers)
        dispose(timer);
}

int timerPeriod(HWND window, UINT_PTR id)
{
    std::lock_guard lock(g_mutex);
    const auto it = g_timers.find({window, id});
    return it != g_timers.end() && it->second ? it->second->interval() : -1;
}

} // namespace messaging
