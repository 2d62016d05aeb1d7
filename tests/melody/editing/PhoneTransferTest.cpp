// Uploading to the phone and its test play: the requests made, the command flags, the answers,
// refusals while a request is outstanding, and time-outs when no answer comes.
#include "EditFakes.h"

#include "melody/editing/MelvioIds.h"
#include "melody/editing/PhoneEngine.h"
#include "melody/editing/PhoneTransfer.h"
#include "platform/midi/ManualScheduler.h"

#include <gtest/gtest.h>

namespace {

using Reports = std::vector<std::pair<int, int>>;
using Strings = std::vector<std::string>;
using Flags = std::vector<int>; // send, phone play, phone stop

constexpr HWND VIEW = 0x0000123400000005;

struct PhoneTest : ::testing::Test {
    RecordingReporter reporter;
    RecordingMessages messages;
    RecordingEngine engine;
    torvane::ManualScheduler scheduler;
    PhoneRequests requests;
    CMelvioDoc doc{CMelvioDoc::Services{&reporter, nullptr, nullptr}};
    PhoneTransfer::Services services{&engine, &reporter, &messages, &scheduler, &requests};
    PhoneTransfer phone{doc, services};

    Flags State() const { return {doc.canSendToPhone, doc.canPhonePlay, doc.canPhoneStop}; }
};

TEST_F(PhoneTest, UploadSendsTheMidiFileAndWaitsForTheAnswer)
{
    doc.notes[0] = {60, 2, 0};
    doc.noteCount = 1;
    phone.OnSaveToPhone(VIEW);
    ASSERT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(engine.calls[0].window, VIEW);
    EXPECT_EQ(engine.calls[0].message, WM_USER + 100);
    const auto file = doc.BuildMidiFile();
    EXPECT_EQ(engine.calls[0].data, std::vector<std::uint8_t>(file.begin(), file.end()));
    EXPECT_EQ(engine.calls[0].data.size(), 41u);
    EXPECT_EQ(State(), (Flags{0, 0, 0}));

    phone.OnMelodyWritten(11, -1);
    EXPECT_EQ(reporter.reports, (Reports{{5, 40009}}));
    EXPECT_EQ(State(), (Flags{1, 1, 0}));

    phone.OnSaveToPhone(VIEW);
    phone.OnMelodyWritten(11, 0);
    EXPECT_EQ(messages.status, Strings{"The telephone communication was successful."});
    EXPECT_EQ(State(), (Flags{1, 1, 0}));
    EXPECT_EQ(reporter.reports.size(), 1u);
}

TEST_F(PhoneTest, TestPlayAndStopFollowTheirStates)
{
    phone.OnPhonePlay(VIEW);
    EXPECT_EQ(engine.calls.back().what, "test");
    EXPECT_EQ(engine.calls.back().message, WM_USER + 101);
    EXPECT_EQ(engine.calls.back().play, 1);
    EXPECT_EQ(State(), (Flags{0, 0, 1}));
    phone.OnPhonePlayAnswer(12, 0);
    EXPECT_EQ(State(), (Flags{1, 1, 1}));
    phone.OnPhoneStop(VIEW);
    EXPECT_EQ(engine.calls.back().play, 0);
    EXPECT_EQ(State(), (Flags{1, 1, 0}));
    phone.OnPhonePlayAnswer(12, -1);
    EXPECT_EQ(reporter.reports, (Reports{{5, 40010}}));
    EXPECT_EQ(State(), (Flags{1, 1, 0}));
}

TEST_F(PhoneTest, ASecondRequestWhileOneIsOutstandingIsRefused)
{
    CMelvioDoc other(CMelvioDoc::Services{&reporter, nullptr, nullptr});
    PhoneTransfer otherPhone(other, services);
    phone.OnSaveToPhone(VIEW);
    otherPhone.OnSaveToPhone(VIEW + 1);
    EXPECT_EQ(engine.calls.size(), 1u);
    EXPECT_EQ(messages.status, Strings{PHONE_BUSY_TEXT});
    EXPECT_EQ(other.canSendToPhone, 1); // nothing changed for the refused window

    // The test job is a job of its own.
    otherPhone.OnPhonePlay(VIEW + 1);
    EXPECT_EQ(engine.calls.size(), 2u);
    phone.OnPhonePlay(VIEW);
    phone.OnPhoneStop(VIEW);
    EXPECT_EQ(engine.calls.size(), 2u);

    phone.OnMelodyWritten(11, 0);
    otherPhone.OnSaveToPhone(VIEW + 1);
    EXPECT_EQ(engine.calls.size(), 3u);
    EXPECT_EQ(engine.calls.back().window, VIEW + 1);
}

TEST_F(PhoneTest, AnAnswerThatNeverComesFreesTheCommandsAfterATimeOut)
{
    doc.notes[0] = {60, 2, 0};
    doc.noteCount = 1;
    phone.OnSaveToPhone(VIEW); // 41 bytes: one part
    scheduler.advance(44999);
    EXPECT_TRUE(reporter.reports.empty());
    EXPECT_TRUE(phone.WriteOutstanding());
    scheduler.advance(1);
    EXPECT_EQ(reporter.reports, (Reports{{5, 40009}}));
    EXPECT_EQ(State(), (Flags{1, 1, 0}));
    EXPECT_FALSE(phone.WriteOutstanding());

    phone.OnPhonePlay(VIEW);
    scheduler.advance(42000);
    EXPECT_EQ(reporter.reports.back(), (std::pair{5, 40010}));
    EXPECT_EQ(State(), (Flags{1, 1, 1}));
    phone.OnPhoneStop(VIEW);
    EXPECT_EQ(engine.calls.back().play, 0);
}

TEST_F(PhoneTest, TheUploadTimeOutGrowsWithItsParts)
{
    for (int i = 0; i < 70; ++i)
        doc.notes[std::size_t(i)] = {60, 0, 1}; // two-byte delta: 9 bytes a note
    doc.noteCount = 70;
    phone.OnSaveToPhone(VIEW);
    const std::size_t bytes = engine.calls[0].data.size();
    const std::int64_t parts = std::int64_t(bytes + 49) / 50;
    scheduler.advance(parts * 15000 + 30000 - 1);
    EXPECT_TRUE(reporter.reports.empty());
    scheduler.advance(1);
    EXPECT_EQ(reporter.reports, (Reports{{5, 40009}}));
}

TEST_F(PhoneTest, ARequestTheEngineRefusesFailsAtOnce)
{
    engine.result = -1;
    phone.OnSaveToPhone(VIEW);
    EXPECT_EQ(reporter.reports, (Reports{{5, 40009}}));
    EXPECT_EQ(State(), (Flags{1, 1, 0}));
    phone.OnPhonePlay(VIEW);
    EXPECT_EQ(reporter.reports.back(), (std::pair{5, 40010}));
    EXPECT_EQ(State(), (Flags{1, 1, 0}));
    EXPECT_FALSE(phone.WriteOutstanding());
    EXPECT_FALSE(phone.TestOutstanding());
    EXPECT_EQ(scheduler.pendingCount(), 0u);
}

TEST_F(PhoneTest, AClosedWindowFreesItsRequests)
{
    {
        CMelvioDoc other(CMelvioDoc::Services{&reporter, nullptr, nullptr});
        PhoneTransfer otherPhone(other, services);
        otherPhone.OnSaveToPhone(VIEW + 1);
        otherPhone.OnPhonePlay(VIEW + 1);
    }
    scheduler.runUntilIdle();
    EXPECT_TRUE(reporter.reports.empty());
    phone.OnSaveToPhone(VIEW);
    phone.OnPhonePlay(VIEW);
    EXPECT_EQ(engine.calls.size(), 4u);
}

} // namespace
