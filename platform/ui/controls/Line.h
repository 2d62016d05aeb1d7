// A straight line from (x1, y1) to (x2, y2) in twips relative to its container (a window or a
// frame). Its place and size as a control are the rectangle the line runs through, at least one
// pixel each way.
#pragma once

#include "platform/ui/controls/Control.h"

namespace torvane::controls {

class Line : public Control {
    Q_OBJECT
public:
    using Control::Control;

    double x1() const { return m_x1; }
    double y1() const { return m_y1; }
    double x2() const { return m_x2; }
    double y2() const { return m_y2; }
    void setPoints(double x1, double y1, double x2, double y2);

private:
    double m_x1 = 0;
    double m_y1 = 0;
    double m_x2 = 0;
    double m_y2 = 0;
};

} // namespace torvane::controls
