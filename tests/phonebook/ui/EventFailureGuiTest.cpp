// A failure inside the handling of an engine answer, under the application object the program
// runs under: a box with the program's title shows the failure's text, and the program goes on.
#include "tests/phonebook/model/BrevikFakes.h"

#include "engine/zeldll.h"
#include "phonebook/CBrevikApp.h"
#include "phonebook/model/ViewFlags.h"
#include "phonebook/ui/CDlgView.h"
#include "phonebook/ui/CMainFrame.h"
#include "platform/messaging/Messaging.h"
#include "platform/ui/msgservice/MessageService.h"
#include "support/EventsUntil.h"

#include <QTimer>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace brevik;
using torvane::test::eventsUntil;

namespace {

class UnreadableResult : public test::FakeEngine {
public:
    const PBResult* ATPBGet() override { throw std::out_of_range("result area out of reach"); }
};

TEST(EventFailure, AnAnswerWhoseHandlingThrowsIsShownInABoxAndTheProgramGoesOn)
{
    auto& service = torvane::ui::MessageService::instance();
    test::TempFolder folder;
    UnreadableResult engine;
    torvane::mapi::Mapi mapi {folder.path() / "book"};
    CBrevikApp app(engine, mapi);
    ASSERT_TRUE(app.InitInstance());
    ASSERT_EQ(engine.reads.size(), 1u) << "the start reads the own numbers";

    ASSERT_TRUE(PostMessage(app.mainFrame()->form().engineWindow(), WM_PHONEBOOK_READ_DONE, JOB_PHONEBOOK_READ,
                            RESULT_OK));
    ASSERT_TRUE(eventsUntil([&] { return !service.shown().empty(); }));
    EXPECT_EQ(service.shown()[0].kind, torvane::ui::kMessageBoxName);
    EXPECT_EQ(service.shown()[0].caption, QStringLiteral("Telefonbuch"));
    EXPECT_EQ(service.shown()[0].text, QStringLiteral("result area out of reach"));

    bool later = false;
    QTimer::singleShot(0, app.mainFrame(), [&later] { later = true; });
    EXPECT_TRUE(eventsUntil([&] { return later; }));
    EXPECT_TRUE(app.mainFrame()->isVisible());
    EXPECT_EQ(service.shown().size(), 1u);
}

} // namespace
