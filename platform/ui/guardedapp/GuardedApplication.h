// The application object of a windowed program. It puts the paste guard (PasteGuard.h) over every
// window.
#pragma once

#include "platform/ui/guardedapp/PasteGuard.h"

#include <QApplication>

namespace torvane::ui {

class GuardedApplication : public QApplication {
    Q_OBJECT

public:
    GuardedApplication(int& argc, char** argv);
    ~GuardedApplication() override;

private:
    PasteGuard pasteGuard_;
};

} // namespace torvane::ui
