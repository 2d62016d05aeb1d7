// GoogleTest inside a QApplication, for tests of widgets (offscreen), with every message box
// and dialog scripted.
#include "platform/ui/msgservice/MessageService.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    // No box or dialog is ever shown: each takes its scripted or default answer.
    torvane::ui::MessageService::instance().setScripted(true);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
