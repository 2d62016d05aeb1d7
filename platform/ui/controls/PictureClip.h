// A picture clip: one picture cut into a grid of equal cells (a strip of toolbar pictures is one
// row of many columns), numbered from 0 along the rows. A cell index outside the clip is an error.
#pragma once

#include "platform/ui/controls/Picture.h"

#include <QImage>
#include <QString>

namespace torvane::controls {

class PictureClip {
public:
    explicit PictureClip(QString name = {}) : m_name(std::move(name)) {}

    const QString& name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    const QImage& picture() const { return m_picture; }
    void setPicture(const QImage& picture) { m_picture = picture; }
    // At least 1 each (ErrInvalidPropertyValue otherwise).
    int cols() const { return m_cols; }
    int rows() const { return m_rows; }
    void setCols(int cols);
    void setRows(int rows);

    // Pixels; a remainder of the picture that does not fill a whole cell is not shown.
    int cellWidth() const { return m_picture.width() / m_cols; }
    int cellHeight() const { return m_picture.height() / m_rows; }
    int cellCount() const { return m_cols * m_rows; }
    Picture cell(int index) const;

private:
    QString m_name;
    QImage m_picture;
    int m_cols = 1;
    int m_rows = 1;
};

} // namespace torvane::controls
