// Keeps a widget where its control's model says: place and size (twips, converted to pixels
// relative to the parent), visibility, raising and the focus requests.
#pragma once

#include "platform/ui/controls/Control.h"

class QWidget;

namespace torvane::controls {

// Applies the model's state to `widget` now and whenever it changes. The widget is deleted with
// the control. The widget's object name becomes the control's name, with "(index)" for a
// member of a control array, so a focus target names the control.
void bindToControl(QWidget* widget, Control& control);

// The object name a focus target reports: the widget's own, or its nearest named parent's (Qt's
// own inner widgets, named "qt_...", do not count).
QString focusTargetName(const QWidget* widget);

} // namespace torvane::controls
