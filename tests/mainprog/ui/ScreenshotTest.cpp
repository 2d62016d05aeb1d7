// The main window on a real X display (a virtual one under xvfb-run): the launcher picture at
// 400 x 320 with the menu bar above it and the status bar below, as the screen shows them.
// The screenshot is saved beside the test binary; tests/mainprog/ui/reference/main_window.png is
// the one a person looked at.
#include "tests/mainprog/core/CorvantFakes.h"

#include "mainprog/core/SuiteSettings.h"
#include "mainprog/ui/CCorvantView.h"
#include "mainprog/ui/CMainFrame.h"
#include "mainprog/ui/CorvantArt.h"
#include "support/ScreenCapture.h"

#include <QApplication>
#include <QImage>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace corvant;

namespace {

// Share of pixels in rect of a and b (at the same places) that differ by more than a little.
double differingShare(const QImage& a, const QImage& b, const QRect& rect)
{
    int differing = 0;
    for (int y = rect.top(); y <= rect.bottom(); ++y) {
        for (int x = rect.left(); x <= rect.right(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x - rect.left(), y - rect.top());
            if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q)) > 24)
                ++differing;
        }
    }
    return double(differing) / double(rect.width() * rect.height());
}

TEST(Screenshot, MainWindowShowsTheLauncherWithMenuAndStatusBar)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    corvant::test::FakeEngine engine;
    torvane::registry::AppProfile profile = corvantProfile();
    CMainFrame frame(engine, profile, std::make_unique<corvant::test::FakePort>());
    frame.debugDlg().host().setReaderStart([] { return true; });
    frame.show();
    frame.view().OnInitialUpdate();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&frame));

    const QImage shot = torvane::test::screenOf(frame);
    const QString saved = QStringLiteral(SCREENSHOT_DIR "/main_window.png");
    ASSERT_TRUE(shot.save(saved)) << saved.toStdString();

    const QRect view(frame.view().mapTo(&frame, QPoint(0, 0)), frame.view().size());
    EXPECT_EQ(view.size(), QSize(400, 320));
    EXPECT_EQ(view.top(), frame.menuBar()->height()) << "the menu bar is right above the picture";
    EXPECT_GT(frame.menuBar()->height(), 10);
    EXPECT_EQ(frame.statusBar()->geometry().top(), view.bottom() + 1) << "the status bar right below";
    EXPECT_GT(frame.statusBar()->height(), 10);
    EXPECT_EQ(shot.size(), QSize(400, view.bottom() + 1 + frame.statusBar()->height()));

    EXPECT_LT(differingShare(shot, launcherPicture(false).convertToFormat(QImage::Format_RGB32), view), 0.001)
        << "the screen shows the launcher picture";
    // Menu and status bar are drawn in the window's own colours, not the picture's.
    const QImage picture = launcherPicture(false);
    EXPECT_GT(differingShare(shot, picture, QRect(0, 0, 400, view.top())), 0.5);

    const QImage reference(QStringLiteral(REFERENCE_DIR "/main_window.png"));
    ASSERT_FALSE(reference.isNull());
    EXPECT_EQ(reference.size(), shot.size());
    EXPECT_LT(differingShare(reference.convertToFormat(QImage::Format_RGB32), picture, view), 0.02)
        << "the reference shows the same picture";
}

} // namespace

int main(int argc, char** argv)
{
    // The test runs under xvfb-run on the X platform, whatever the test environment says.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
