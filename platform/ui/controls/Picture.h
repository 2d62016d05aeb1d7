// A picture as the organizer's controls hold it: a grid cell's picture, an image list's entry,
// a cell of a picture clip. Its size is read in hundredths of a millimetre at 96 dots per inch,
// as the organizer measures pictures to decide how far a cell's text must stand off.
#pragma once

#include <QImage>

namespace torvane::controls {

class Picture {
public:
    Picture() = default;
    explicit Picture(QImage image) : m_image(std::move(image)) {}

    bool isNull() const { return m_image.isNull(); }
    const QImage& image() const { return m_image; }

    // Hundredths of a millimetre, rounded to the nearest (a 16-pixel picture is 423 wide).
    int width() const;
    int height() const;

    // Pictures are equal when they share one image (a copy of the picture taken from a list).
    bool operator==(const Picture& other) const;

private:
    QImage m_image;
};

// Pixels at 96 dots per inch to hundredths of a millimetre.
int pixelsToHimetric(int pixels);

} // namespace torvane::controls
