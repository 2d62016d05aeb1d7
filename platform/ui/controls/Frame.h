// A frame holding other controls; their places are relative to it.
#pragma once

#include "platform/ui/controls/Control.h"

namespace torvane::controls {

class Frame : public Control {
    Q_OBJECT
public:
    using Control::Control;

    int tabIndex() const { return m_tabIndex; }
    void setTabIndex(int index);

signals:
    // For the widget.
    void stateChanged();

private:
    int m_tabIndex = 0;
};

} // namespace torvane::controls
