// The palette bar along the bottom of the main frame: the keyboard picture and the eight
// buttons, their images following the palette's state, mouse input going to the palette.
#pragma once

#include <QWidget>

#include <array>

class NotePalette;
class QLabel;

constexpr int PALETTE_BAR_ID = 103;

class CNotePaletteBar : public QWidget {
    Q_OBJECT

public:
    CNotePaletteBar(NotePalette& palette, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    // Shows the images the palette's buttons have now.
    void RefreshImages();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    NotePalette& palette_;
    QLabel* keyboard_ = nullptr;
    std::array<QLabel*, 8> buttons_{};
};
