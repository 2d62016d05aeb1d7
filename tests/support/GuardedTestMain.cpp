// GoogleTest inside the application object the programs run under (offscreen, as
// tests/isolate.sh sets it), with every message box and dialog scripted.
#include "platform/ui/guardedapp/GuardedApplication.h"
#include "platform/ui/msgservice/MessageService.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    torvane::ui::GuardedApplication app(argc, argv);
    torvane::ui::MessageService::instance().setScripted(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
