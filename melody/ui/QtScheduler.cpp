#include "melody/ui/QtScheduler.h"

#include <QTimer>

#include <algorithm>
#include <limits>

QtScheduler::QtScheduler(QObject* parent) : QObject(parent) { clock_.start(); }

QtScheduler::~QtScheduler()
{
    for (auto& [id, timer] : timers_)
        delete timer;
}

std::int64_t QtScheduler::nowMs() const { return clock_.elapsed(); }

torvane::Scheduler::TimerId QtScheduler::callAfter(std::int64_t delayMs, std::function<void()> fn)
{
    const TimerId id = ++lastId_;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    timer->setInterval(int(std::clamp<std::int64_t>(delayMs, 0, std::numeric_limits<int>::max())));
    connect(timer, &QTimer::timeout, this, [this, id, fn = std::move(fn)] {
        auto it = timers_.find(id);
        if (it == timers_.end())
            return;
        it->second->deleteLater();
        timers_.erase(it);
        fn();
    });
    timers_[id] = timer;
    timer->start();
    return id;
}

void QtScheduler::cancel(TimerId id)
{
    auto it = timers_.find(id);
    if (it == timers_.end())
        return;
    it->second->stop();
    it->second->deleteLater();
    timers_.erase(it);
}
