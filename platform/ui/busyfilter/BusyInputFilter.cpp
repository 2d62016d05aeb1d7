#include "platform/ui/busyfilter/BusyInputFilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QWindow>

namespace torvane::ui {

BusyInputFilter::BusyInputFilter(std::function<bool()> busy, QObject* parent)
    : QObject(parent)
    , busy_(std::move(busy))
{
}

BusyInputFilter::BusyInputFilter(std::function<bool()> busy, QWidget* window, QObject* parent)
    : QObject(parent)
    , busy_(std::move(busy))
    , window_(window)
    , scoped_(true)
{
}

bool BusyInputFilter::isDroppedWhileBusy(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
        return static_cast<const QMouseEvent*>(event)->button() == Qt::LeftButton;
    default:
        return false;
    }
}

bool BusyInputFilter::isUserInput(const QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    // Qt hands a key that matches a shortcut to the shortcut's action before any window sees
    // the key press.
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TabletPress:
    case QEvent::DragEnter:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

bool BusyInputFilter::inWindow(const QObject* target) const
{
    if (!window_)
        return false;
    for (const QObject* object = target; object; object = object->parent()) {
        if (const auto* widget = qobject_cast<const QWidget*>(object))
            return widget->window() == window_;
        if (const auto* surface = qobject_cast<const QWindow*>(object))
            return surface == window_->windowHandle();
    }
    return false;
}

bool BusyInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (busy_ && busy_()) {
        if (!scoped_ && isDroppedWhileBusy(event))
            return true;
        if (scoped_ && isUserInput(event) && inWindow(watched))
            return true;
    }
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<BusyInputFilter> installBusyInputFilter(std::function<bool()> busy)
{
    auto filter = std::make_unique<BusyInputFilter>(std::move(busy));
    QCoreApplication::instance()->installEventFilter(filter.get());
    return filter;
}

std::unique_ptr<BusyInputFilter> installBusyWindowFilter(std::function<bool()> busy, QWidget& window)
{
    auto filter = std::make_unique<BusyInputFilter>(std::move(busy), &window);
    QCoreApplication::instance()->installEventFilter(filter.get());
    return filter;
}

} // namespace torvane::ui
