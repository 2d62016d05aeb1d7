#include "outlookbutton/PlinketCommand.h"

#include <gtest/gtest.h>

using torvane::plinket::parsePlinketCommand;

namespace {

struct ParseCase {
    const char* value;
    bool hasFields;
    const char* kind;
    std::optional<std::string> commandLine;
    std::optional<std::string> procedure;
    bool program;
};

class PlinketCommandParse : public ::testing::TestWithParam<ParseCase> {
};

TEST_P(PlinketCommandParse, TakesNonEmptyFieldsInOrder)
{
    const ParseCase& c = GetParam();
    const auto command = parsePlinketCommand(c.value);
    ASSERT_EQ(command.has_value(), c.hasFields) << c.value;
    if (!command)
        return;
    EXPECT_EQ(command->kind, c.kind);
    EXPECT_EQ(command->commandLine, c.commandLine);
    EXPECT_EQ(command->procedure, c.procedure);
    EXPECT_EQ(command->startsProgram(), c.program);
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlinketCommandParse,
    ::testing::Values(ParseCase{"", false, "", {}, {}, false},
                      ParseCase{";;;", false, "", {}, {}, false},
                      ParseCase{"exe", true, "exe", {}, {}, true},
                      ParseCase{"exe;tessaro D", true, "exe", "tessaro D", {}, true},
                      ParseCase{"exe;;;tessaro", true, "exe", "tessaro", {}, true},
                      ParseCase{";exe;a;b;c;d", true, "exe", "a", "b", true},
                      ParseCase{"EXE;lib.so;Start", true, "EXE", "lib.so", "Start", false},
                      ParseCase{"Exe;x", true, "Exe", "x", {}, false},
                      ParseCase{"texeditor;x", true, "texeditor", "x", {}, true},
                      ParseCase{" exe ; a b ; p ", true, " exe ", " a b ", " p ", true}));

} // namespace
