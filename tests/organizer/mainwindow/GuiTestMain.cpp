// Test main with a GUI application object on the offscreen platform: the window's set-up draws
// its pictures and measures texts in the grid font.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
