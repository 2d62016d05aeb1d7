// A failure inside an event of the editor's main window, under the application object the
// program runs under: the box the editor shows its own errors in shows the failure's text, and
// the window stays.
#include "melody/CMelvioApp.h"
#include "melody/ui/CMainFrame.h"
#include "platform/ui/msgservice/MessageService.h"
#include "support/EventsUntil.h"
#include "support/FailingEvent.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(EventFailure, AFailingCloseIsShownInTheEditorsBoxAndTheWindowStays)
{
    auto& service = torvane::ui::MessageService::instance();
    CMelvioApp melvio;
    ASSERT_TRUE(melvio.InitInstance({QStringLiteral("melvio")}));
    CMainFrame& frame = *melvio.Frame();
    torvane::test::FailingEvent failing(frame, QEvent::Close, [] { throw std::runtime_error("tempo field gone"); });

    EXPECT_FALSE(frame.close());
    ASSERT_TRUE(torvane::test::eventsUntil([&] { return !service.shown().empty(); }));
    EXPECT_EQ(service.shown()[0].kind, torvane::ui::kMessageBoxName);
    EXPECT_EQ(service.shown()[0].caption, QStringLiteral("Ring tone editor"));
    EXPECT_EQ(service.shown()[0].text, QStringLiteral("tempo field gone"));

    bool later = false;
    QTimer::singleShot(0, &frame, [&later] { later = true; });
    EXPECT_TRUE(torvane::test::eventsUntil([&] { return later; }));
    EXPECT_TRUE(frame.isVisible());
}

} // namespace
