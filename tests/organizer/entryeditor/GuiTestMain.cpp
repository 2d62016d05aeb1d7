// Test main with a GUI application on the offscreen platform: the editor measures texts in the
// grid font, and the link's waits run real event processing.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
