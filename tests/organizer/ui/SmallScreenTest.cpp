// The organizer started in the test's process on a small screen as the platform reports it (the
// test's registration gives it: 512 by 384 pixels, or 1024 by 768 at a scale of two): its
// window, half the screen wide at first, is narrower than the grids' date and sync columns.
#include "TessaroAppFixture.h"

#include "organizer/link/MobileStatus.h"
#include "organizer/mainwindow/GridSetup.h"
#include "organizer/ui/MainWindow.h"

#include <QScreen>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;

// The window comes up without a box, its panels keyed and showing the phone, laid out on the
// screen; sized down by the user, width and height at once, it is laid out at its least size.
TEST_F(TessaroAppTest, OnASmallScreenOpensTheMainWindowWithItsPanels)
{
    ASSERT_EQ(QGuiApplication::primaryScreen()->size(), QSize(512, 384)) << "the registration gives the screen";
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    const auto noBoxes = [] {
        for (const auto& box : boxes())
            ADD_FAILURE() << box.caption.toStdString() << ": " << box.text.toStdString();
    };
    noBoxes();
    MainWindow& window = *app->window();
    EXPECT_TRUE(window.isVisible());
    ASSERT_EQ(Main_Form().TivStatusBar.panelCount(), 4);
    EXPECT_EQ(panel(PanelMobile), QStringLiteral("TORVANE TV-35"));
    EXPECT_EQ(panel(PanelMobileStatus), QStringLiteral("connected"));
    EXPECT_LE(window.frameGeometry().width(), 512);

    window.resize(60, 60);
    EXPECT_TRUE(waitFor([&] { return window.width() > 60 && window.height() > 60; }, 10s))
        << window.width() << "x" << window.height();
    EXPECT_GE(Main_Form().FG1[0].colWidth(ColPhoneText), 600);
    EXPECT_TRUE(ResizeEnabled);
    noBoxes();
}

} // namespace
} // namespace tessaro::test
