// What a user sees of a window on a real X display: the screen's pixels of it, read back once the
// X server shows what the window painted. Exposure alone does not mean the server has drawn the
// last paint, so the grab is repeated until it agrees with the window's own rendering, bounded
// by a deadline; a window that never gets there is returned as it stands and the comparison of
// the caller fails.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include <cstdlib>

namespace torvane::test {

// The share of pixels that differ by more than a little anti-aliasing between two images of
// the same size (1.0 when the sizes differ).
inline double differingShare(const QImage& a, const QImage& b)
{
    if (a.size() != b.size() || a.isNull())
        return 1.0;
    const QImage x = a.convertToFormat(QImage::Format_RGB32);
    const QImage y = b.convertToFormat(QImage::Format_RGB32);
    qint64 differing = 0;
    for (int row = 0; row < x.height(); ++row) {
        const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(row));
        const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(row));
        for (int col = 0; col < x.width(); ++col) {
            if (std::abs(qRed(p[col]) - qRed(q[col])) + std::abs(qGreen(p[col]) - qGreen(q[col])) +
                    std::abs(qBlue(p[col]) - qBlue(q[col])) > 24)
                ++differing;
        }
    }
    return double(differing) / double(qint64(x.width()) * x.height());
}

// The screen's pixels of `window` (its client area), once they show what it painted.
inline QImage screenOf(QWidget& window, int deadlineMs = 5000)
{
    QImage shot;
    QElapsedTimer waited;
    waited.start();
    do {
        QCoreApplication::processEvents();
        const QImage painted = window.grab().toImage().convertToFormat(QImage::Format_RGB32);
        const QRect area(window.mapToGlobal(QPoint(0, 0)), window.size());
        shot = window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height()).toImage()
                   .convertToFormat(QImage::Format_RGB32);
        if (differingShare(shot, painted) <= 0.001)
            break;
    } while (waited.elapsed() < deadlineMs);
    return shot;
}

} // namespace torvane::test
