#include "melody/ui/CChildFrame.h"

#include "melody/ui/CMelvioView.h"
#include "melody/ui/MelodyDocument.h"

#include <QCloseEvent>

#include <algorithm>

QRect CascadedPlace(QSize client, int step, int index)
{
    const int places = step > 0 ? std::max(1, client.height() / (4 * step)) : 1;
    const int room = (places - 1) * step;
    const int at = (index % places) * step;
    return QRect(at, at, std::max(1, client.width() - room), std::max(1, client.height() - room));
}

CChildFrame::CChildFrame(MelodyDocument& document, QWidget* parent) : QMdiSubWindow(parent), document_(document)
{
    setAttribute(Qt::WA_DeleteOnClose);
    view_ = new CMelvioView(document, this);
    setWidget(view_);
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
