// A picture standing on a window (the arrows between the organizer's grids): a place, a size and
// a picture.
#pragma once

#include "platform/ui/controls/Control.h"
#include "platform/ui/controls/Picture.h"

namespace torvane::controls {

class PictureBox : public Control {
    Q_OBJECT
public:
    explicit PictureBox(QObject* parent = nullptr) : Control(parent) {}

    const Picture& picture() const { return m_picture; }
    void setPicture(const Picture& picture)
    {
        m_picture = picture;
        emit pictureChanged();
    }

signals:
    void pictureChanged();

private:
    Picture m_picture;
};

} // namespace torvane::controls
