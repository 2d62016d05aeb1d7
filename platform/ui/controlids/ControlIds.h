// A dialog's controls are known by their numeric ids; the widgets carry the id in their object
// name behind a prefix for their kind ("button1002", "combo1003", "edit1001"). Tests and the
// message service's scripts find controls by these names, so every dialog builds them here and
// one prefix cannot drift between dialogs.
#pragma once

#include <QObject>
#include <QString>

namespace torvane::ui {

enum class ControlKind { Button, Check, Combo, Edit, List, Static };

inline QString controlName(ControlKind kind, int id)
{
    const char* prefix = "";
    switch (kind) {
    case ControlKind::Button: prefix = "button"; break;
    case ControlKind::Check: prefix = "check"; break;
    case ControlKind::Combo: prefix = "combo"; break;
    case ControlKind::Edit: prefix = "edit"; break;
    case ControlKind::List: prefix = "list"; break;
    case ControlKind::Static: prefix = "static"; break;
    }
    return QLatin1String(prefix) + QString::number(id);
}

// Returns control, so that a control can be created and named in one expression.
template <class Control>
Control* nameControl(Control* control, ControlKind kind, int id)
{
    control->setObjectName(controlName(kind, id));
    return control;
}

// The control of that kind and id among dialog's children, or nullptr.
template <class Control>
Control* findControl(const QObject& dialog, ControlKind kind, int id)
{
    return dialog.findChild<Control*>(controlName(kind, id));
}

} // namespace torvane::ui
