#include "melody/ui/CMelvioView.h"

#include "melody/editing/MelvioIds.h"
#include "melody/editing/NotePalette.h"
#include "melody/editing/StaffLayout.h"
#include "melody/engine/WindowBinder.h"
#include "melody/ui/MelodyDocument.h"
#include "melody/ui/MelvioArt.h"
#include "melody/ui/MelvioContext.h"
#include "platform/ui/notation/MusicGlyphs.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>

namespace notation = torvane::notation;

namespace {

// The framework's default scroll steps: a page is a tenth of the area, a line a tenth of that.
int PageStep(int total) { return total / 10; }
int LineStep(int total) { return total / 100; }

} // namespace

CMelvioView::CMelvioView(MelodyDocument& document, QWidget* parent)
    : QAbstractScrollArea(parent), document_(document), editor_(document.doc, *this, this)
{
    setObjectName(QStringLiteral("melodyView"));
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    document_.views.push_back(this);
    editor_.SetPalette(document_.Context().palette);
    if (WindowBinder* binder = document_.Context().binder)
        hwnd_ = binder->BindWindow(this, [this](UINT m, WPARAM w, LPARAM l) { return HandleMessage(m, w, l); });

    blink_.setInterval(QApplication::cursorFlashTime() > 0 ? QApplication::cursorFlashTime() / 2 : 500);
    connect(&blink_, &QTimer::timeout, this, [this] {
        caretPhase_ = !caretPhase_;
        viewport()->update();
    });
    UpdateScrollRanges();
    UpdateCursor();
}

CMelvioView::~CMelvioView()
{
    // A sequence this window started must not go on with nobody to hear of its end.
    document_.playback.OnViewDestroy();
    auto& views = document_.views;
    views.erase(std::remove(views.begin(), views.end(), this), views.end());
}

QSize CMelvioView::sizeHint() const { return {600, 250}; }

void CMelvioView::UpdateScrollRanges()
{
    const int width = document_.doc.scrollSize[0];
    const int height = document_.doc.scrollSize[1];
    QScrollBar* h = horizontalScrollBar();
    h->setRange(0, std::max(0, width - viewport()->width()));
    h->setPageStep(PageStep(width));
    h->setSingleStep(LineStep(width));
    QScrollBar* v = verticalScrollBar();
    v->setRange(0, std::max(0, height - viewport()->height()));
    v->setPageStep(PageStep(height));
    v->setSingleStep(LineStep(height));
}

void CMelvioView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollRanges();
}

void CMelvioView::scrollContentsBy(int, int) { viewport()->update(); }

int CMelvioView::ScrollX() const { return horizontalScrollBar()->value(); }
int CMelvioView::ClientWidth() const { return viewport()->width(); }
void CMelvioView::ScrollToX(int x) { horizontalScrollBar()->setValue(x); }
void CMelvioView::ScrollLines(int lines)
{
    QScrollBar* h = horizontalScrollBar();
    h->setValue(h->value() + lines * h->singleStep());
}

void CMelvioView::Repaint()
{
    viewport()->update();
    if (document_.Context().commandsChanged)
        document_.Context().commandsChanged();
}

bool CMelvioView::ShiftDown() const
{
    return keysOverride_ ? keysOverride_->ShiftDown() : bool(modifiers_ & Qt::ShiftModifier);
}

bool CMelvioView::RightShiftDown() const
{
    return keysOverride_ ? keysOverride_->RightShiftDown() : ShiftDown() && shiftKeys_.Right();
}

bool CMelvioView::CtrlDown() const
{
    return keysOverride_ ? keysOverride_->CtrlDown() : bool(modifiers_ & Qt::ControlModifier);
}

void CMelvioView::SetModifiers(Qt::KeyboardModifiers modifiers)
{
    modifiers_ = modifiers;
    if (!(modifiers & Qt::ShiftModifier))
        shiftKeys_.Reset();
}

QPoint CMelvioView::Logical(const QPoint& p) const
{
    return p + QPoint(horizontalScrollBar()->value(), verticalScrollBar()->value());
}

void CMelvioView::paintEvent(QPaintEvent*)
{
    QPainter p(viewport());
    p.fillRect(viewport()->rect(), Qt::white);
    p.translate(-horizontalScrollBar()->value(), -verticalScrollBar()->value());
    p.setPen(Qt::black);

    for (const GlyphAt& clef : ClefGlyphs())
        notation::drawGlyph(p, clef.ch, QPointF(clef.x, clef.y));
    for (int y : STAFF_LINE_Y)
        p.drawLine(STAFF_LEFT, y, STAFF_RIGHT, y);

    const CMelvioDoc& d = document_.doc;
    const int count = std::clamp(int(d.noteCount), 0, MELODY_SLOTS);
    for (int i = 0; i < count; ++i) {
        const NoteLayout layout = LayoutNote(i, d.notes[std::size_t(i)]);
        for (const LedgerLine& line : layout.ledgers)
            notation::drawLedgerLine(p, line.x0, line.x1, line.y);
        for (const GlyphAt& glyph : layout.glyphs)
            notation::drawGlyph(p, glyph.ch, QPointF(glyph.x, glyph.y));
    }

    if (d.caret < MELODY_SLOTS) {
        editor_.caretShown = d.caret;
        editor_.anchorShown = d.anchor;
        if (const auto band = SelectionBand(d.anchor, d.caret, CARET_Y)) {
            p.setCompositionMode(QPainter::CompositionMode_Difference);
            p.fillRect(QRect(QPoint(band->left, band->top), QPoint(band->right - 1, band->bottom - 1)), Qt::white);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
            editor_.selectionShown = 1;
        }
        if (!d.HasSelection() && hasFocus() && caretPhase_) {
            static const QImage caret = melvio_art::caretShape();
            p.setCompositionMode(QPainter::CompositionMode_Difference);
            QImage white = caret;
            white.invertPixels(QImage::InvertRgb);
            p.drawImage(CaretX(d.caret), CARET_Y, white);
            p.setCompositionMode(QPainter::CompositionMode_SourceOver);
        }
    }
}

void CMelvioView::UpdateCursor()
{
    if (cursorDuration_ == editor_.curDuration)
        return;
    cursorDuration_ = editor_.curDuration;
    viewport()->setCursor(melvio_art::durationCursor(cursorDuration_));
}

bool CMelvioView::viewportEvent(QEvent* event)
{
    if (event->type() == QEvent::Enter || event->type() == QEvent::MouseMove)
        UpdateCursor();
    return QAbstractScrollArea::viewportEvent(event);
}

void CMelvioView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return QAbstractScrollArea::mousePressEvent(event);
    setFocus(Qt::MouseFocusReason);
    SetModifiers(event->modifiers());
    const QPoint at = Logical(event->position().toPoint());
    editor_.OnLButtonDown(at.x(), at.y());
}

// A second click of a double click sets nothing more, as the framework's view ignores it.
void CMelvioView::mouseDoubleClickEvent(QMouseEvent* event) { event->accept(); }

void CMelvioView::mouseMoveEvent(QMouseEvent* event)
{
    UpdateCursor();
    SetModifiers(event->modifiers());
    const QPoint at = Logical(event->position().toPoint());
    editor_.OnMouseMove(at.x(), at.y(), event->buttons() & Qt::LeftButton);
}

void CMelvioView::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift) {
        // The Shift key's own event does not agree across window systems on whether it
        // already carries the Shift modifier; its key symbol says which one went down.
        shiftKeys_.Pressed(event->nativeVirtualKey());
        return QAbstractScrollArea::keyPressEvent(event);
    }
    SetModifiers(event->modifiers());
    StaffKey key = StaffKey::Other;
    char ch = 0;
    const int k = event->key();
    switch (k) {
    case Qt::Key_Backspace:
        key = StaffKey::Backspace;
        break;
    case Qt::Key_Delete:
        key = StaffKey::Delete;
        break;
    case Qt::Key_Pause:
        key = StaffKey::Pause;
        break;
    case Qt::Key_PageUp:
        key = StaffKey::PageUp;
        break;
    case Qt::Key_PageDown:
        key = StaffKey::PageDown;
        break;
    case Qt::Key_Home:
        key = StaffKey::Home;
        break;
    case Qt::Key_End:
        key = StaffKey::End;
        break;
    case Qt::Key_Left:
        key = StaffKey::Left;
        break;
    case Qt::Key_Right:
        key = StaffKey::Right;
        break;
    default:
        if (k >= Qt::Key_1 && k <= Qt::Key_6) {
            key = StaffKey::Digit;
            ch = char('1' + (k - Qt::Key_1));
        } else if (k >= Qt::Key_A && k <= Qt::Key_H) {
            key = StaffKey::Letter;
            ch = char('A' + (k - Qt::Key_A));
        }
        break;
    }
    caretPhase_ = true;
    if (!editor_.OnKeyDown(key, ch))
        QAbstractScrollArea::keyPressEvent(event);
}

void CMelvioView::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Shift)
        shiftKeys_.Released(event->nativeVirtualKey());
    QAbstractScrollArea::keyReleaseEvent(event);
}

void CMelvioView::focusInEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusInEvent(event);
    caretPhase_ = true;
    blink_.start();
    editor_.OnSetFocus();
}

void CMelvioView::focusOutEvent(QFocusEvent* event)
{
    QAbstractScrollArea::focusOutEvent(event);
    blink_.stop();
    shiftKeys_.Reset();
    editor_.OnKillFocus();
}

void CMelvioView::Play()
{
    QPointer<CMelvioView> self(this);
    document_.playback.OnPlay([self](UINT flags, UINT deviceId) {
        if (self)
            self->OnMciNotify(flags, deviceId);
    });
    Repaint();
}

void CMelvioView::Stop()
{
    document_.playback.OnStop();
    Repaint();
}

void CMelvioView::OnMciNotify(UINT flags, UINT deviceId)
{
    document_.playback.OnMciNotify(flags, deviceId);
    Repaint();
}

LRESULT CMelvioView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_MELODY_WRITE_DONE)
        document_.phone.OnMelodyWritten(wParam, lParam);
    else if (message == WM_MELODY_TEST_DONE)
        document_.phone.OnPhonePlayAnswer(wParam, lParam);
    else
        return 0;
    Repaint();
    return 0;
}
