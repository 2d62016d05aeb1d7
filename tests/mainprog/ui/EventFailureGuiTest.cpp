// A failure inside an event of the program, under the application object the program runs under:
// the error dialog shows it as a software error with the failure's text, once, and the program
// goes on.
#include "GuiTestSupport.h"
#include "tests/mainprog/core/CorvantFakes.h"

#include "mainprog/CCorvantApp.h"
#include "mainprog/ui/CMainFrame.h"
#include "support/EventsUntil.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace corvant;
using corvant::test::fieldText;

namespace {

// An SMS manager whose outbox cannot be read.
class UnreadableOutbox : public SmsManagerHooks {
public:
    explicit UnreadableOutbox(int& scans) : scans_(scans) {}
    bool receivePollArmed() const override { return false; }
    bool sendPollArmed() const override { return true; }
    void RequestRead() override {}
    void ScanOutbox() override
    {
        ++scans_;
        throw kFailure;
    }
    void OnPartSent(int) override {}
    void OnMessageRead(int) override {}
    void OnMessageDeleted(int) override {}
    void OnPhoneStatus(int, int) override {}
    void Configure() override {}

    inline static const std::filesystem::filesystem_error kFailure {
        "cannot open the outbox", "sms_out", std::make_error_code(std::errc::permission_denied)};

private:
    int& scans_;
};

TEST(EventFailure, AnOutboxScanThatThrowsIsShownInTheErrorDialogOnceAndThePollsGoOn)
{
    auto& service = corvant::test::scriptedService();
    corvant::test::FakeEngine engine;
    CCorvantApp app(engine, HostTimers {PUMP_PERIOD_MS, 20});
    app.setPortFactory([] { return std::make_unique<corvant::test::FakePort>(); });
    int scans = 0;
    app.setSmsManagerFactory([&scans](CCorvantApp&) { return std::make_unique<UnreadableOutbox>(scans); });
    ASSERT_TRUE(app.InitInstance());

    ASSERT_TRUE(torvane::test::eventsUntil([&] { return scans >= 3; }));
    ASSERT_EQ(service.shown().size(), 1u);
    const torvane::ui::ShownBox& box = service.shown()[0];
    EXPECT_EQ(box.kind, QStringLiteral("CErrorDlg"));
    EXPECT_EQ(box.caption, QStringLiteral("Quorvane 3.0 Error Message"));
    EXPECT_EQ(fieldText(box, QStringLiteral("edit1013")), QStringLiteral("Software error"));
    EXPECT_EQ(fieldText(box, QStringLiteral("edit1011")), QString::fromUtf8(UnreadableOutbox::kFailure.what()));
    EXPECT_EQ(fieldText(box, QStringLiteral("edit1012")), QString());
    EXPECT_TRUE(app.mainFrame()->isVisible());
}

} // namespace
