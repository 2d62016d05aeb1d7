// The program's own bindings: the engine library's exports and the messaging layer. The main
// frame is found by its title and closed by WM_CLOSE as the main program closes it at exit; the
// engine's answers posted to a view's handle reach that view; error reports go to the engine's
// owner window; an upload request lands in the engine's job record.
#include "tests/melody/ui/GuiBench.h"

#include "engine/SharedSection.h"
#include "engine/zeldll.h"
#include "melody/editing/MelvioIds.h"
#include "melody/engine/EngineBinding.h"
#include "platform/messaging/Messaging.h"
#include "platform/messaging/qt/MessageWindow.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

namespace {

constexpr int WAIT_MS = 5000;

// Runs the event loop until done() or the deadline.
bool WaitFor(const std::function<bool()>& done)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.elapsed() > WAIT_MS)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    return true;
}

struct BoundFrame : GuiBench {
    std::unique_ptr<WindowBinder> real = MakeWindowBinder();
    BoundFrame() : GuiBench(2)
    {
        // The frame was bound to the recording binder; a second frame on the real one is the
        // one under test.
        frame.reset();
        context.binder = real.get();
        frame = std::make_unique<CMainFrame>(context, outputs, &profile);
        frame->show();
        frame->NewDocument();
    }
};

TEST(Bindings, TheMainProgramFindsTheFrameByTitleAndClosesIt)
{
    BoundFrame bench;
    bench.Doc().SetModifiedFlag(false);
    ASSERT_TRUE(WaitFor([] { return FindWindowByTitlePrefix("Ring Tone Edit", 40) != 0; }));
    const HWND found = FindWindowByTitlePrefix("Ring Tone Edit", 40);
    ASSERT_TRUE(PostMessage(found, WM_CLOSE, 0, 0));
    EXPECT_TRUE(WaitFor([&] { return !bench.frame->isVisible(); }));
}

TEST(Bindings, AnswersPostedToAViewReachIt)
{
    BoundFrame bench;
    const HWND view = bench.View()->Hwnd();
    ASSERT_NE(view, 0u);
    ASSERT_TRUE(PostMessage(view, WM_MELODY_WRITE_DONE, 11, -1));
    EXPECT_TRUE(WaitFor([&] { return !bench.reporter.reports.empty(); }));
    EXPECT_EQ(bench.reporter.reports, (std::vector<std::pair<int, int>>{{5, 40009}}));
}

TEST(Bindings, ReportsGoToTheEnginesOwnerAndRequestsIntoItsRecord)
{
    std::vector<std::pair<WPARAM, LPARAM>> errors;
    messaging::MessageWindow owner([&](UINT message, WPARAM w, LPARAM l) -> LRESULT {
        if (message == WM_ENGINE_ERROR)
            errors.emplace_back(w, l);
        return 0;
    });
    ASSERT_NE(owner.hwnd(), 0u);
    ASSERT_EQ(ZelDllInit(owner.hwnd()), 0);

    auto engine = MakeEngine();
    engine->Fehler_Melden(3, 40003);
    EXPECT_TRUE(WaitFor([&] { return !errors.empty(); }));
    EXPECT_EQ(errors, (std::vector<std::pair<WPARAM, LPARAM>>{{3, 40003}}));

    const std::uint8_t melody[] = {'M', 'T', 'h', 'd', 1, 2, 3};
    const HWND view = 0x0000123400000007;
    EXPECT_EQ(engine->ATMelWrite(view, WM_MELODY_WRITE_DONE, melody, int(sizeof melody)), 0);
    auto section = zel::SharedSection::attach();
    ASSERT_TRUE(section);
    const MelWriteJob& job = section->shared().melWrite;
    EXPECT_EQ(job.head.state, JOB_PENDING);
    EXPECT_EQ(job.head.window, view);
    EXPECT_EQ(job.head.message, WM_USER + 100);
    ASSERT_EQ(job.length, int(sizeof melody));
    EXPECT_EQ(std::memcmp(job.data, melody, sizeof melody), 0);

    EXPECT_EQ(engine->ATMelTest(view, WM_MELODY_TEST_DONE, 1), 0);
    EXPECT_EQ(section->shared().melTest.play, 1);
    EXPECT_EQ(section->shared().melTest.head.message, WM_USER + 101);
}

} // namespace
