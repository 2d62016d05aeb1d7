// A picture that takes clicks (the kind pictures beside a window's option buttons).
#pragma once

#include "platform/ui/controls/PictureBox.h"

namespace torvane::controls {

class Image : public PictureBox {
    Q_OBJECT
public:
    using PictureBox::PictureBox;

    // Sizes the control to its picture (pixels to twips), as a picture without stretching does.
    void setPictureAutoSize(const Picture& picture);

    // User side, called by the widget.
    void userClick() { emit click(); }

signals:
    void click();
};

} // namespace torvane::controls
