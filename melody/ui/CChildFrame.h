// One melody window inside the main frame: a frame around one staff view.
#pragma once

#include <QMdiSubWindow>
#include <QRect>

#include <functional>

class CMelvioView;
class MelodyDocument;

// Where the index-th new window opens in a client area, as the desktop places document windows
// by default: cascaded, each `step` (a title bar's height) further down and right than the one
// before, back at the top left once the cascade has used its room, and as large as the client
// area is less that room. The room is a quarter of the client's height, so every window keeps
// most of the area; a client too small for it gets one place, the whole area.
QRect CascadedPlace(QSize client, int step, int index);

class CChildFrame : public QMdiSubWindow {
    Q_OBJECT

public:
    CChildFrame(MelodyDocument& document, QWidget* parent = nullptr);
    // The view goes first, so that whoever hears of the frame's end finds the melody without it.
    ~CChildFrame() override;

    CMelvioView* View() const { return view_; }
    MelodyDocument& Document() const { return document_; }

    // Asked before the window closes; false keeps it open.
    std::function<bool(CChildFrame*)> canClose;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    MelodyDocument& document_;
    CMelvioView* view_;
};
