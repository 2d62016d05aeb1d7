// The scheduler on the program's event loop: calls run from the loop, after their delay.
#pragma once

#include "platform/midi/Scheduler.h"

#include <QElapsedTimer>
#include <QObject>

#include <map>

class QTimer;

class QtScheduler : public QObject, public torvane::Scheduler {
    Q_OBJECT

public:
    explicit QtScheduler(QObject* parent = nullptr);
    ~QtScheduler() override;

    std::int64_t nowMs() const override;
    TimerId callAfter(std::int64_t delayMs, std::function<void()> fn) override;
    void cancel(TimerId id) override;

private:
    QElapsedTimer clock_;
    TimerId lastId_ = 0;
    std::map<TimerId, QTimer*> timers_;
};
