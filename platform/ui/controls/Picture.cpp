#include "platform/ui/controls/Picture.h"

#include <cmath>

namespace torvane::controls {

int pixelsToHimetric(int pixels)
{
    // 2540 hundredths of a millimetre to the inch, 96 pixels to the inch.
    return int(std::nearbyint(pixels * 2540.0 / 96.0));
}

int Picture::width() const
{
    return pixelsToHimetric(m_image.width());
}

int Picture::height() const
{
    return pixelsToHimetric(m_image.height());
}

bool Picture::operator==(const Picture& other) const
{
    return m_image.cacheKey() == other.m_image.cacheKey() || (isNull() && other.isNull());
}

} // namespace torvane::controls
