#include "melody/ui/CChildFrame.h"

#include "melody/ui/CMelvioView.h"
#include "melody/ui/MelodyDocument.h"

#include <QCloseEvent>

namespace {

constexpr int CHILD_HEIGHT = 250;

} // namespace

CChildFrame::CChildFrame(MelodyDocument& document, QWidget* parent) : QMdiSubWindow(parent), document_(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new CMelvioView(document, this);
    setWidget(view_);
    setGeometry(0, 0, 600, CHILD_HEIGHT);
}

CChildFrame::~CChildFrame() { delete view_; }

void CChildFrame::closeEvent(QCloseEvent* event)
{
    if (canClose && !canClose(this)) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}
