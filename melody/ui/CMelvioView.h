// The staff view of one melody window: draws the two staves with the melody, the selection band
// and the caret, and hands mouse, keys and focus to the editor. It is also the window the
// engine answers and the sequencer notifies.
#pragma once

#include "melody/editing/StaffEditor.h"
#include "melody/ui/ShiftKeys.h"
#include "platform/wintypes.h"

#include <QAbstractScrollArea>
#include <QTimer>

class MelodyDocument;

class CMelvioView : public QAbstractScrollArea, public StaffSurface, public KeyState {
    Q_OBJECT

public:
    CMelvioView(MelodyDocument& document, QWidget* parent = nullptr);
    ~CMelvioView() override;

    MelodyDocument& Document() const { return document_; }
    StaffEditor& Editor() { return editor_; }
    // The handle the engine answers at; 0 without the messaging layer.
    HWND Hwnd() const { return hwnd_; }

    // Messages posted to the view's window: the engine's answers.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The sequencer's notification.
    void OnMciNotify(UINT flags, UINT deviceId);

    // Play and Stop on this view's melody.
    void Play();
    void Stop();

    // Tests drive the modifier keys through their own state.
    void SetKeyState(const KeyState* keys) { keysOverride_ = keys; }

    // StaffSurface.
    int ScrollX() const override;
    int ClientWidth() const override;
    void ScrollToX(int x) override;
    void ScrollLines(int lines) override;
    void Repaint() override;

    // KeyState: the modifiers of the input being handled.
    bool ShiftDown() const override;
    bool RightShiftDown() const override;
    bool CtrlDown() const override;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    bool viewportEvent(QEvent* event) override;

private:
    void UpdateScrollRanges();
    QPoint Logical(const QPoint& devicePoint) const;
    void SetModifiers(Qt::KeyboardModifiers modifiers);
    void UpdateCursor();

    MelodyDocument& document_;
    StaffEditor editor_;
    HWND hwnd_ = 0;
    const KeyState* keysOverride_ = nullptr;
    Qt::KeyboardModifiers modifiers_;
    ShiftKeys shiftKeys_;
    QTimer blink_;
    bool caretPhase_ = true;
    int cursorDuration_ = -1;
};
