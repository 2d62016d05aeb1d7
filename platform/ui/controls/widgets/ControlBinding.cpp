#include "platform/ui/controls/widgets/ControlBinding.h"

#include "platform/ui/controls/Twips.h"

#include <QWidget>

namespace torvane::controls {

void bindToControl(QWidget* widget, Control& control)
{
    widget->setObjectName(control.index() >= 0 ? QStringLiteral("%1(%2)").arg(control.name()).arg(control.index())
                                               : control.name());
    auto place = [widget, &control] {
        widget->setGeometry(twipsRect(control.left(), control.top(), control.width(), control.height()));
    };
    place();
    widget->setVisible(control.isVisible());
    QObject::connect(&control, &Control::geometryChanged, widget, place);
    QObject::connect(&control, &Control::visibleChanged, widget, &QWidget::setVisible);
    QObject::connect(&control, &Control::raiseRequested, widget, &QWidget::raise);
    QObject::connect(&control, &Control::focusRequested, widget, [widget] { widget->setFocus(Qt::OtherFocusReason); });
    // A widget never outlives what it shows: its focus and key handling would reach a dead model.
    QObject::connect(&control, &QObject::destroyed, widget, [widget] { delete widget; });
}

QString focusTargetName(const QWidget* widget)
{
    for (; widget; widget = widget->parentWidget())
        if (!widget->objectName().isEmpty() && !widget->objectName().startsWith(QLatin1String("qt_")))
            return widget->objectName();
    return {};
}

} // namespace torvane::controls
