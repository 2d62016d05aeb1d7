// Makes one kind of event of an object fail, as a handler of the program's that throws would:
// the exception leaves the event as it would leave the handler.
#pragma once

#include <QEvent>
#include <QObject>

#include <functional>

namespace torvane::test {

class FailingEvent : public QObject {
public:
    FailingEvent(QObject& target, QEvent::Type type, std::function<void()> fail)
        : type_(type)
        , fail(std::move(fail))
    {
        target.installEventFilter(this);
    }

    const QEvent::Type type_;
    std::function<void()> fail;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == type_)
            fail();
        return QObject::eventFilter(watched, event);
    }
};

} // namespace torvane::test
