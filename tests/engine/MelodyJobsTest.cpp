// Melody upload and test play line by line with a fake clock: the parts of 50 bytes with their
// announcements, prompts and deadlines, and the test play's decision on the phone's answer.
#include "JobTestSupport.h"

#include "engine/MelodyJobs.h"
#include "engine/Requests.h"

#include <gtest/gtest.h>

#include <string>

using namespace zeltest;

namespace {

std::string hexOf(const std::string& bytes)
{
    static const char digits[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out;
}

class MelodyWrite : public ::testing::Test {
protected:
    JobHarness h;
};

TEST_F(MelodyWrite, HundredTwentyBytesGoInThreeParts)
{
    std::string melody;
    for (int i = 0; i < 120; ++i)
        melody += char(i * 37);
    zel::requestMelodyWrite(*h.shared, kRequester, kReplyMessage, melody.data(), int(melody.size()));
    const std::pair<int, int> parts[] = {{0, 50}, {50, 50}, {100, 20}};
    EXPECT_EQ(h.tick(), "AT^SBNW=\"mid\",0,1,3\r");
    for (int part = 1; part <= 3; ++part) {
        EXPECT_EQ(h.exactLine("AT^SBNW=\"mid\",0," + std::to_string(part) + ",3"), "") << "the echo is no prompt";
        const auto [from, count] = parts[part - 1];
        EXPECT_EQ(h.line(">"), hexOf(melody.substr(std::size_t(from), std::size_t(count))) + "\x1a");
        const std::string next = part < 3 ? "AT^SBNW=\"mid\",0," + std::to_string(part + 1) + ",3\r" : "";
        EXPECT_EQ(h.line("OK"), next) << "the next part is announced in the same cycle";
    }
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_MELODY_WRITE, RESULT_OK}));
}

TEST_F(MelodyWrite, EmptyMelodyIsOneAnnouncementOfNoPartsAndAnEmptyPayload)
{
    zel::requestMelodyWrite(*h.shared, kRequester, kReplyMessage, "", 0);
    EXPECT_EQ(h.tick(), "AT^SBNW=\"mid\",0,1,0\r");
    EXPECT_EQ(h.line(">"), "\x1a");
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_MELODY_WRITE, RESULT_OK}));
}

TEST_F(MelodyWrite, PromptHasFiveSecondsAndEachPartTen)
{
    const std::string melody(60, 'm');
    zel::requestMelodyWrite(*h.shared, kRequester, kReplyMessage, melody.data(), int(melody.size()));
    h.tick();
    h.after(5000);
    h.line(">");
    h.line("ERROR");
    EXPECT_EQ(h.after(10000), "");
    EXPECT_TRUE(h.got().empty());
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_MELODY_WRITE, RESULT_TIMEOUT}));
}

TEST_F(MelodyWrite, MissingPromptEndsAfterFiveSeconds)
{
    zel::requestMelodyWrite(*h.shared, kRequester, kReplyMessage, "abc", 3);
    h.tick();
    h.line("> ");
    h.line("+CME ERROR: 3");
    EXPECT_EQ(h.after(5000), "");
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_MELODY_WRITE, RESULT_TIMEOUT}));
}

struct TestCase {
    int play;
    const char* answer; // the "^SRTC:" line, or null for none
    std::vector<const char*> commands; // each answered with OK
};

class MelodyTestPlay : public ::testing::TestWithParam<TestCase> {};

TEST_P(MelodyTestPlay, SendsWhatTheWishAndThePhonesStateAskFor)
{
    const TestCase& c = GetParam();
    JobHarness h;
    zel::requestMelodyTest(*h.shared, kRequester, kReplyMessage, c.play);
    EXPECT_EQ(h.tick(), "AT^SRTC?\r");
    if (c.answer)
        h.line(c.answer);
    EXPECT_EQ(h.line("OK"), "") << "the decision comes at the next cycle";
    std::string next = h.tick();
    for (const char* command : c.commands) {
        EXPECT_EQ(next, std::string(command) + "\r");
        EXPECT_TRUE(h.got().empty());
        next = h.line("OK");
    }
    EXPECT_EQ(next, "");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_MELODY_TEST, RESULT_OK}));
}

INSTANTIATE_TEST_SUITE_P(
    MelodyTest, MelodyTestPlay,
    ::testing::Values(TestCase{1, "^SRTC: 42,1,0", {"AT^SRTC=42,1", "AT^SRTC"}},
                      TestCase{1, "^SRTC: 42,1,1", {}},
                      TestCase{0, "^SRTC: 42,1,1", {"AT^SRTC"}},
                      TestCase{0, "^SRTC: 3,2,0", {}},
                      // without the playing state the wanted command goes out
                      TestCase{1, "^SRTC: 42", {"AT^SRTC=42,1", "AT^SRTC"}},
                      TestCase{0, "^SRTC:", {"AT^SRTC"}}));

TEST(MelodyTest, PlayingStateIsKeptFromOneTestToTheNext)
{
    JobHarness h;
    zel::requestMelodyTest(*h.shared, kRequester, kReplyMessage, 1);
    h.tick();
    h.line("^SRTC: 42,1,1");
    h.line("OK");
    h.tick();
    // A phone that does not answer the query this time: the last state seen decides.
    zel::requestMelodyTest(*h.shared, kRequester, kReplyMessage, 0);
    h.tick();
    h.line("OK");
    EXPECT_EQ(h.tick(), "AT^SRTC\r");
}

TEST(MelodyTest, EachStepHasThreeSeconds)
{
    JobHarness h;
    zel::requestMelodyTest(*h.shared, kRequester, kReplyMessage, 1);
    h.tick();
    h.line("^SRTC: 42,1,0");
    h.line("OK");
    h.tick();
    EXPECT_EQ(h.after(3000), "");
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_MELODY_TEST, RESULT_TIMEOUT}));
}

} // namespace
