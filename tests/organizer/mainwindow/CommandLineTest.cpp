// The organizer's command line: options in any case, later ones winning, the caller's name, and
// the transfer pause with its German warnings.
#include "organizer/mainwindow/CommandLine.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const QString kNotNumeric = QStringLiteral(
    "Das Timerinterval ist kein numerischer Wert! Nur Zahlen zwischen 0 und 65000 erlaubt!\r\n"
    "z.B. TIMER=1000 für 1000 ms.\r\nDas Intervall wird auf 0 gesetzt!");
const QString kOutOfRange = QStringLiteral(
    "Das Timerinterval ist unzulässig! Nur Werte zwischen 0 und 65000 erlaubt!\r\n"
    "z.B. TIMER=1000 für 1000 ms.\r\nDas Intervall wird auf 0 gesetzt!");

struct TimerCase {
    const char* line;
    int pause;
    const char* warning; // the first line of the box, or nullptr for none
    const QString* reason;
};

class TimerOption : public ::testing::TestWithParam<TimerCase> {};

TEST_P(TimerOption, GivesThePauseOrTheWarning)
{
    const TimerCase& c = GetParam();
    const CommandLineOptions o = ParseCommandLine(QString::fromUtf8(c.line));
    EXPECT_EQ(o.transferPause, c.pause);
    if (!c.warning) {
        EXPECT_TRUE(o.warnings.isEmpty()) << o.warnings.join(QLatin1Char('|')).toStdString();
        return;
    }
    ASSERT_EQ(o.warnings.size(), 1);
    EXPECT_EQ(o.warnings[0], QString::fromUtf8(c.warning) + QStringLiteral("\r\n") + *c.reason);
}

INSTANTIATE_TEST_SUITE_P(
    CommandLine, TimerOption,
    ::testing::Values(TimerCase{"timer=500", 500, nullptr, nullptr}, TimerCase{"TIMER=40000", 40000, nullptr, nullptr},
                      TimerCase{"TIMER=65000", 65000, nullptr, nullptr}, TimerCase{"TIMER=0", 0, nullptr, nullptr},
                      // Halves go to the even neighbour.
                      TimerCase{"TIMER=2.5", 2, nullptr, nullptr}, TimerCase{"TIMER=3.5", 4, nullptr, nullptr},
                      TimerCase{"TIMER=65001", 0, "Übergabewert: 65001", &kOutOfRange},
                      TimerCase{"TIMER=-1", 0, "Übergabewert: -1", &kOutOfRange},
                      TimerCase{"TIMER=abc", 0, "Übergabewert: ABC", &kNotNumeric},
                      TimerCase{"TIMER=", 0, "Übergabewert: ", &kNotNumeric},
                      // A later token overrides an earlier one, also a bad one.
                      TimerCase{"TIMER=abc TIMER=700", 700, "Übergabewert: ABC", &kNotNumeric},
                      TimerCase{"XTIMER=12", 12, nullptr, nullptr}));

TEST(CommandLine, FlagsInAnyCaseAndBlanksAnywhere)
{
    const CommandLineOptions none = ParseCommandLine(QString());
    EXPECT_FALSE(none.dump || none.kill || none.debug || none.noOrganizer || none.caller);
    EXPECT_EQ(none.transferPause, 0);

    const CommandLineOptions all = ParseCommandLine(QStringLiteral("  d   kill x DeBuG  noorg  "));
    EXPECT_TRUE(all.dump);
    EXPECT_TRUE(all.kill);
    EXPECT_TRUE(all.debug);
    EXPECT_TRUE(all.noOrganizer);
    // Only whole tokens count: "KILLER" and "DD" are nothing.
    const CommandLineOptions near = ParseCommandLine(QStringLiteral("KILLER DD DEBUG2"));
    EXPECT_FALSE(near.kill || near.dump || near.debug);
}

TEST(CommandLine, CallerNameIsTheUpperCasedTextAfterTheFirstEquals)
{
    struct {
        const char* line;
        const char* name;
    } cases[] = {
        {"CALLER=Qbr", "QBR"},          {"caller=qbr", "QBR"},       {"XCALLER=ABC", "ABC"},
        {"CALLER=A=B", "A=B"},          {"CALLER=", ""},             {"CALLER=one CALLER=two", "TWO"},
        {"CALLER=TIMER=5", "TIMER=5"},
    };
    for (const auto& c : cases) {
        const CommandLineOptions o = ParseCommandLine(QString::fromUtf8(c.line));
        EXPECT_TRUE(o.caller) << c.line;
        EXPECT_EQ(o.callerName, QString::fromUtf8(c.name)) << c.line;
        EXPECT_EQ(o.transferPause, 0) << c.line;
    }
}

} // namespace
} // namespace tessaro
