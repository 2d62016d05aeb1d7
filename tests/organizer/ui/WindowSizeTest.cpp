// The started organizer's window sized by the user as a window system does it: width and height
// arrive together, the system confirms each size a little later, and the layout answers with the
// size it fits to the grids. Every size the user gives reaches the layout whole, also at the
// window's least width, and maximized the window keeps the screen while its grids share it.
#include "TessaroAppFixture.h"

#include "organizer/ui/MainWindow.h"

#include "platform/ui/controls/Twips.h"

#include <QWindow>

namespace tessaro::test {
namespace {

using namespace std::chrono_literals;
namespace controls = torvane::controls;

// The height a grid's rows, headers and border take in the normal state, and without the border
// maximized.
double rowsHeight(const controls::Grid& g, bool normal)
{
    return g.fixedRows() * g.rowHeight(0) + (g.rows() - g.fixedRows()) * g.rowHeight(g.fixedRows()) +
           (normal ? 90 : 0);
}

class WindowSizeTest : public TessaroAppTest {
protected:
    // Sizes the window as the window system does when the user drags its corner (the widget
    // hears of it afterwards), and waits until it stands at `want` and stays there once every
    // size the system still had to report has come in.
    ::testing::AssertionResult dragTo(QSize size, const std::function<QSize()>& want)
    {
        MainWindow& window = *app->window();
        window.windowHandle()->resize(size);
        const bool reached = waitFor([&] { return window.size() == want(); }, 10s);
        for (int round = 0; round < 20; ++round)
            QCoreApplication::processEvents();
        if (reached && window.size() == want())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "dragged to " << size.width() << "x" << size.height() << ", wanted "
                                             << want().width() << "x" << want().height() << ", stands at "
                                             << window.width() << "x" << window.height();
    }

    static const controls::Grid& phoneGrid() { return Main_Form().FG1[0]; }
    static const controls::Grid& pcGrid() { return Main_Form().FG2[0]; }

    // The height the grids may share at the window's present height.
    static double sharedHeight()
    {
        const MainFormControls& f = Main_Form();
        return f.Form.height() - (f.TivStatusBar.height() + phoneGrid().top() + 20 + 450) - ToolbarHeight;
    }

    // The window as the layout fits it to a width: both grids with all their rows and no more.
    static QSize fitted(int width)
    {
        const double grids = rowsHeight(phoneGrid(), true) + rowsHeight(pcGrid(), true);
        const double height = phoneGrid().top() + 20 + 450 + Main_Form().TivStatusBar.height() + grids + ToolbarHeight;
        return {width, controls::twipsToPixels(height - MainWindow::FrameHeightTwips)};
    }
};

TEST_F(WindowSizeTest, EverySizeTheUserGivesReachesTheLayoutWhole)
{
    ASSERT_TRUE(startPhone());
    ASSERT_TRUE(startOrganizer(QString()));
    ASSERT_TRUE(waitUntilUp());
    MainWindow& window = *app->window();
    const FormWindow& form = Main_Form().Form;
    ASSERT_TRUE(OrganizerAvailable);
    const int width = window.width();
    ASSERT_EQ(window.size(), fitted(width)) << "the window opens with every row of its grids";

    // Squeezed below its least height, each grid keeps its headers and one row.
    ASSERT_TRUE(dragTo({width, 100}, [&] {
        return QSize(width, window.height() < fitted(width).height() ? window.height() : -1);
    }));
    const int least = window.height();
    EXPECT_GT(least, 100);
    EXPECT_EQ(phoneGrid().height(), rowsHeight(phoneGrid(), true) - 4 * phoneGrid().rowHeight(2));

    // Dragged wider and taller at once, but not as tall as the rows need: the window stands
    // where the user left it and the grids share its height.
    ASSERT_TRUE(dragTo({width + 150, least + 60}, [&] { return QSize(width + 150, least + 60); }));
    EXPECT_EQ(form.width(), (width + 150) * 15 + MainWindow::FrameWidthTwips);
    EXPECT_EQ(form.height(), (least + 60) * 15 + MainWindow::FrameHeightTwips);
    EXPECT_EQ(phoneGrid().width(), form.width() - 1350);
    EXPECT_EQ(pcGrid().width(), phoneGrid().width());
    EXPECT_EQ(phoneGrid().height(), sharedHeight() / 2);
    EXPECT_EQ(pcGrid().height(), sharedHeight() / 2);
    // Taller than the rows need: the height fits the rows.
    ASSERT_TRUE(dragTo({width + 200, fitted(width).height() + 100}, [&] { return fitted(width + 200); }));
    EXPECT_EQ(phoneGrid().height(), rowsHeight(phoneGrid(), true));

    // Narrower than the least width and lower than the least height: both least.
    ASSERT_TRUE(dragTo({100, 100}, [&] { return QSize(window.width() > 100 ? window.width() : -1, least); }));
    const int leastWidth = window.width();
    EXPECT_EQ(controls::twipsToPixels(form.width() - MainWindow::FrameWidthTwips), leastWidth);
    // At the least width, a drag of the height alone, and one that also tries to go narrower.
    ASSERT_TRUE(dragTo({leastWidth, least + 60}, [&] { return QSize(leastWidth, least + 60); }));
    EXPECT_EQ(phoneGrid().height(), sharedHeight() / 2);
    ASSERT_TRUE(dragTo({leastWidth, 100}, [&] { return QSize(leastWidth, least); }));
    ASSERT_TRUE(dragTo({leastWidth - 40, least + 40}, [&] { return QSize(leastWidth, least + 40); }));
    EXPECT_EQ(phoneGrid().height(), sharedHeight() / 2);

    // Maximized, the window keeps the screen's size and the grids show every row in it; back to
    // normal, it stands where the user left it.
    window.showMaximized();
    const auto formHolds = [&](QSize size) {
        return form.width() == size.width() * 15 + MainWindow::FrameWidthTwips &&
               form.height() == size.height() * 15 + MainWindow::FrameHeightTwips;
    };
    ASSERT_TRUE(waitFor([&] {
        return form.windowState() == WindowStateMaximized && window.width() > leastWidth + 100 &&
               formHolds(window.size()) && phoneGrid().width() == form.width() - 1350;
    }, 10s)) << window.width() << "x" << window.height();
    const QSize maximized = window.size();
    for (int round = 0; round < 20; ++round)
        QCoreApplication::processEvents();
    EXPECT_EQ(window.size(), maximized) << "the layout keeps the maximized window's size";
    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(phoneGrid().height(), rowsHeight(phoneGrid(), false));
    EXPECT_EQ(pcGrid().height(), rowsHeight(pcGrid(), false));
    window.showNormal();
    ASSERT_TRUE(waitFor([&] {
        return form.windowState() == WindowStateNormal && window.size() == QSize(leastWidth, least + 40);
    }, 10s)) << window.width() << "x" << window.height();
    EXPECT_EQ(phoneGrid().width(), form.width() - 1350);
    EXPECT_EQ(phoneGrid().height(), sharedHeight() / 2);
    EXPECT_TRUE(boxes().empty());
}

} // namespace
} // namespace tessaro::test
