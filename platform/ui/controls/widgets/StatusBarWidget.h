// Shows a StatusBar model: one sunken panel per visible panel, left to right, with its picture
// and text at its alignment; a panel sized to its contents is never narrower than its minimum
// width, a spring panel takes what room is left.
#pragma once

#include "platform/ui/controls/StatusBar.h"

#include <QWidget>

class QHBoxLayout;

namespace torvane::controls {

class StatusBarWidget : public QWidget {
    Q_OBJECT
public:
    StatusBarWidget(StatusBar& model, QWidget* parent = nullptr);

    // The widget that shows panel `index` (1-based), named after the panel's key.
    QWidget* panelWidget(int index) const;

private:
    void rebuild();

    StatusBar& m_model;
    QHBoxLayout* m_layout;
    std::vector<QWidget*> m_panels;
};

// Shows a PictureBox model: its picture at its place.
class PictureBoxWidget : public QWidget {
    Q_OBJECT
public:
    PictureBoxWidget(class PictureBox& model, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    class PictureBox& m_model;
};

} // namespace torvane::controls
