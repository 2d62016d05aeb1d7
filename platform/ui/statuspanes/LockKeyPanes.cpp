#include "platform/ui/statuspanes/LockKeyPanes.h"

#include <QLabel>
#include <QStatusBar>

namespace torvane::ui {

void addLockKeyPanes(QStatusBar& bar)
{
    // This platform does not tell the lock states, so the panes stay grey.
    const std::pair<const char*, const char*> indicators[]{{"paneCaps", "CAP"}, {"paneNum", "NUM"}, {"paneScroll", "SCRL"}};
    for (const auto& [name, text] : indicators) {
        auto* pane = new QLabel(QLatin1String(text), &bar);
        pane->setObjectName(QLatin1String(name));
        pane->setEnabled(false);
        pane->setAlignment(Qt::AlignCenter);
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(QStringLiteral("SCRL")) + 8);
        bar.addPermanentWidget(pane);
    }
    bar.setSizeGripEnabled(false);
}

} // namespace torvane::ui
