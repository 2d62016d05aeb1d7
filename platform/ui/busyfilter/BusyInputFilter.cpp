#include "platform/ui/busyfilter/BusyInputFilter.h"

#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>

namespace torvane::ui {

BusyInputFilter::BusyInputFilter(std::function<bool()> busy, QObject* parent)
    : QObject(parent)
    , busy_(std::move(busy))
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

bool BusyInputFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (busy_ && busy_() && isDroppedWhileBusy(event))
        return true;
    return QObject::eventFilter(watched, event);
}

std::unique_ptr<BusyInputFilter> installBusyInputFilter(std::function<bool()> busy)
{
    auto filter = std::make_unique<BusyInputFilter>(std::move(busy));
    QCoreApplication::instance()->installEventFilter(filter.get());
    return filter;
}

} // namespace torvane::ui
