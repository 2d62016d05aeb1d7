// One melody window inside the main frame: a frame around one staff view.
#pragma once

#include <QMdiSubWindow>

#include <functional>

class CMelvioView;
class MelodyDocument;

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
