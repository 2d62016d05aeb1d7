#include "platform/ui/guardedapp/GuardedApplication.h"

namespace torvane::ui {

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
    installEventFilter(&pasteGuard_);
}

GuardedApplication::~GuardedApplication()
{
    removeEventFilter(&pasteGuard_);
}

} // namespace torvane::ui
