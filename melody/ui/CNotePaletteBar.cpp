#include "melody/ui/CNotePaletteBar.h"

#include "melody/editing/NotePalette.h"
#include "melody/ui/MelvioArt.h"

#include <QLabel>
#include <QMouseEvent>

namespace {

// Bar client coordinates of the pictures.
constexpr QPoint KEYBOARD_AT{8, 8};
constexpr int COLUMN_X[4] = {572, 612, 652, 702};
constexpr int UPPER_ROW_Y = 8;
constexpr int LOWER_ROW_Y = 57;
constexpr QSize BAR_SIZE{748, 106};

QLabel* Picture(QWidget* parent, int id, QPoint at, const QPixmap& pixmap)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("static%1").arg(id));
    label->setPixmap(pixmap);
    label->setGeometry(QRect(at, pixmap.size()));
    // The bar takes the mouse, in its own coordinates, as the pictures do not notify.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

} // namespace

CNotePaletteBar::CNotePaletteBar(NotePalette& palette, QWidget* parent) : QWidget(parent), palette_(palette)
{
    setObjectName(QStringLiteral("dialogBar%1").arg(PALETTE_BAR_ID));
    setMinimumSize(BAR_SIZE);
    keyboard_ = Picture(this, IDC_KEYBOARD, KEYBOARD_AT, melvio_art::keyboard());
    for (int i = 0; i < PALETTE_BUTTONS; ++i) {
        const int column = i < 6 ? i % 3 : 3;
        const int row = i < 6 ? i / 3 : i - 6;
        const QPoint at(COLUMN_X[column], row == 0 ? UPPER_ROW_Y : LOWER_ROW_Y);
        buttons_[std::size_t(i)] = Picture(this, IDC_NOTE_WHOLE + i, at, melvio_art::paletteButton(i, palette_.IsDown(i)));
    }
}

QSize CNotePaletteBar::sizeHint() const { return BAR_SIZE; }

void CNotePaletteBar::RefreshImages()
{
    for (int i = 0; i < PALETTE_BUTTONS; ++i)
        buttons_[std::size_t(i)]->setPixmap(melvio_art::paletteButton(i, palette_.IsDown(i)));
}

void CNotePaletteBar::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPoint at = event->position().toPoint();
    palette_.OnKeyboardDown(at.x(), at.y());
}

void CNotePaletteBar::mouseDoubleClickEvent(QMouseEvent* event) { mousePressEvent(event); }

void CNotePaletteBar::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    palette_.OnKeyboardMove(at.x(), at.y(), event->buttons() & Qt::LeftButton);
}

void CNotePaletteBar::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        palette_.OnKeyboardUp();
    QWidget::mouseReleaseEvent(event);
}
