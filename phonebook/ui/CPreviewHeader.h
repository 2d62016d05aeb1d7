// The column header above the preview row (control 1025): four titles in the preview widths,
// with three separators that the user drags to change the widths. The pointer over a separator
// becomes the split cursor; a drag follows the pointer only while it stays over the header.
#pragma once

#include "phonebook/model/PreviewHeaderRule.h"

#include <QPen>
#include <QWidget>

#include <functional>

namespace brevik {

class CPreviewHeader : public QWidget {
    Q_OBJECT

public:
    // widths and the row width are the form's; layoutEdits follows every change of the widths.
    CPreviewHeader(PreviewWidths& widths, std::function<void()> layoutEdits, QWidget* parent);

    void setRowWidth(int rowWidth) { rowWidth_ = rowWidth; }
    int overSeparator() const { return overSeparator_; }
    int dragSeparator() const { return dragSeparator_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    PreviewWidths& widths_;
    std::function<void()> layoutEdits_;
    int rowWidth_ = 0;
    int overSeparator_ = 0;
    int dragSeparator_ = -1;
    QPen darkPen_;
    QPen lightPen_;
};

} // namespace brevik
