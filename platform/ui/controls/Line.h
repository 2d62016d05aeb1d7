// A line drawn on a window or inside a frame, from (X1, Y1) to (X2, Y2) in twips.
#pragma once

#include "platform/ui/controls/Control.h"

namespace torvane::controls {

class Line : public Control {
    Q_OBJECT
public:
    explicit Line(QObject* parent = nullptr) : Control(parent) {}

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
