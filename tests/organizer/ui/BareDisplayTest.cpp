// The real organizer on an X display with no window manager (a bare virtual server under
// xvfb-run), against the simulated phone and an empty calendar file: nobody takes its start-up's
// request to minimize, so the window stays on screen, and it must be laid out as shown there.
// The test reads the window back from the screen and sizes it from outside as the user's drag of
// its corner does, width and height at once.
#include "integration/organizer/OrganizerProgram.h"
#include "support/PeerProcess.h"
#include "support/XDisplay.h"

#include "platform/serial/SerialPortName.h"
#include "tools/phonesim/PhoneSim.h"

#include <QApplication>
#include <QImage>
#include <QScreen>

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <optional>

namespace {

using namespace std::chrono_literals;
using torvane::test::XDisplay;
using tessaro::test::waitFor;

const std::string kCaption = "Torvane Appointments";

void serveEvents()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

// Where the white entry cells of the window's grids end, right and bottom, in window pixels.
struct GridEdges {
    int right = -1;
    int bottom = -1;
    bool operator==(const GridEdges&) const = default;
};

// A pixel inside a white cell: white, and white a little above, below and to either side (the
// lines that draw the status bar's panels are white too, but thin).
bool inWhiteCell(const QImage& shot, int x, int y)
{
    constexpr QRgb white = 0xffffffff;
    if (x < 2 || y < 2 || x + 2 >= shot.width() || y + 2 >= shot.height())
        return false;
    for (const QPoint p : {QPoint(x, y), QPoint(x, y - 2), QPoint(x, y + 2), QPoint(x - 2, y), QPoint(x + 2, y)})
        if (shot.pixel(p) != white)
            return false;
    return true;
}

GridEdges gridEdges(const QRect& window)
{
    const QImage shot = QGuiApplication::primaryScreen()
                            ->grabWindow(0, window.x(), window.y(), window.width(), window.height())
                            .toImage()
                            .convertToFormat(QImage::Format_RGB32);
    GridEdges edges;
    for (int y = 0; y < shot.height(); ++y)
        for (int x = 0; x < shot.width(); ++x)
            if (inWhiteCell(shot, x, y)) {
                edges.right = std::max(edges.right, x);
                edges.bottom = std::max(edges.bottom, y);
            }
    return edges;
}

class BareDisplayTest : public ::testing::Test {
protected:
    // The organizer's main window, once the status window of its start-up has gone.
    std::optional<XDisplay::Window> mainWindow() const
    {
        const auto windows = m_display.windows(kCaption);
        if (windows.size() != 1)
            return std::nullopt;
        return windows.front();
    }

    // Waits until the window stands at `size` and its grids' edges have settled (the same on two
    // looks in a row); the edges then.
    std::optional<GridEdges> settledAt(QSize size)
    {
        std::optional<GridEdges> last;
        std::optional<GridEdges> settled;
        waitFor([&] {
            const auto window = mainWindow();
            if (!window || window->geometry.size() != size)
                return false;
            const GridEdges now = gridEdges(window->geometry);
            if (last && *last == now)
                settled = now;
            last = now;
            return settled.has_value();
        }, 20s, serveEvents);
        return settled;
    }

    XDisplay m_display;
};

TEST_F(BareDisplayTest, TheWindowIsLaidOutAsShownAndFollowsTheUsersDrag)
{
    ASSERT_EQ(QGuiApplication::platformName(), QStringLiteral("xcb")) << "run under xvfb-run";
    ASSERT_TRUE(m_display.connected());
    torvane::phonesim::PhoneSim sim;
    std::string error;
    ASSERT_TRUE(sim.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
    const tessaro::test::ChildBoxes boxes(QStringLiteral("organizer"));
    const tessaro::test::EndOrganizerAtExit endOrganizer;
    torvane::test::PeerProcess organizer(TESSARO_PROGRAM);
    ASSERT_TRUE(organizer.started());

    // Up, once its start-up has asked the phone who it is and let the port go, it shows its grids
    // with every row and the window fitted to them.
    ASSERT_TRUE(waitFor([&] {
        return sim.transcript().received().find("AT^SBNW=?\r") != std::string::npos && !sim.peerConnected() &&
               mainWindow();
    }, 60s, serveEvents)) << sim.transcript().received();
    const QSize opened = mainWindow()->geometry.size();

    // Squeezed below its least height, the layout gives it that height: each grid keeps its
    // headers and a row.
    m_display.resize(mainWindow()->id, opened.width(), 100);
    std::optional<QSize> least;
    ASSERT_TRUE(waitFor([&] {
        const auto window = mainWindow();
        if (window && window->geometry.width() == opened.width() && window->geometry.height() > 100 &&
            window->geometry.height() < opened.height())
            least = window->geometry.size();
        return least.has_value();
    }, 20s, serveEvents)) << "the window was not laid out: it stands at "
                          << mainWindow()->geometry.width() << "x" << mainWindow()->geometry.height();
    const std::optional<GridEdges> squeezed = settledAt(*least);
    ASSERT_TRUE(squeezed);
    // The grids fill it: below them only the gap to the status bar and the status bar.
    const int margin = least->height() - squeezed->bottom;
    EXPECT_LT(margin, 40);
    EXPECT_GT(squeezed->right, opened.width() - 120);

    // Dragged wider and taller at once: the window takes both, and the grids grow with it.
    m_display.resize(mainWindow()->id, opened.width() + 150, least->height() + 100);
    const std::optional<GridEdges> grown = settledAt({opened.width() + 150, least->height() + 100});
    ASSERT_TRUE(grown) << "it stands at " << mainWindow()->geometry.width() << "x" << mainWindow()->geometry.height();
    EXPECT_EQ(grown->right, squeezed->right + 150);
    // Twips round to whole pixels on the way: one either side.
    EXPECT_NEAR(least->height() + 100 - grown->bottom, margin, 1);
    EXPECT_TRUE(boxes.shown().isEmpty()) << boxes.shown().toStdString();

    EXPECT_EQ(torvane::dde::execute(QStringLiteral("Tessaro"), QStringLiteral("DDE"), QStringLiteral("KILL")),
              torvane::dde::ExecuteResult::Accepted);
    EXPECT_EQ(organizer.waitExit(30s), 0);
}

} // namespace

int main(int argc, char** argv)
{
    // The test and the organizer it starts run on the X display xvfb-run made.
    qputenv("QT_QPA_PLATFORM", "xcb");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
