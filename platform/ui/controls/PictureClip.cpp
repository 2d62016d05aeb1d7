#include "platform/ui/controls/PictureClip.h"

#include "platform/ui/controls/ControlError.h"

namespace torvane::controls {

void PictureClip::setCols(int cols)
{
    if (cols < 1)
        throw ControlError(ErrInvalidPropertyValue, m_name, QStringLiteral("Invalid property value: Cols = %1").arg(cols));
    m_cols = cols;
}

void PictureClip::setRows(int rows)
{
    if (rows < 1)
        throw ControlError(ErrInvalidPropertyValue, m_name, QStringLiteral("Invalid property value: Rows = %1").arg(rows));
    m_rows = rows;
}

Picture PictureClip::cell(int index) const
{
    if (index < 0 || index >= cellCount())
        throw ControlError(ErrSubscriptOutOfRange, m_name, QStringLiteral("Subscript out of range: cell %1").arg(index));
    const int w = cellWidth();
    const int h = cellHeight();
    return Picture(m_picture.copy((index % m_cols) * w, (index / m_cols) * h, w, h));
}

} // namespace torvane::controls
