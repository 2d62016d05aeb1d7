#include "platform/process/CommandLine.h"

#include <gtest/gtest.h>

using torvane::process::splitCommandLine;

namespace {

struct SplitCase {
    const char* line;
    std::vector<std::string> words;
};

class SplitCommandLine : public ::testing::TestWithParam<SplitCase> {
};

TEST_P(SplitCommandLine, GivesProgramAndArguments)
{
    EXPECT_EQ(splitCommandLine(GetParam().line), GetParam().words) << "line: " << GetParam().line;
}

INSTANTIATE_TEST_SUITE_P(
    Rules, SplitCommandLine,
    ::testing::Values(
        SplitCase{"", {}},
        SplitCase{" \t ", {}},
        SplitCase{"tessaro", {"tessaro"}},
        SplitCase{"  tessaro   a \t b  ", {"tessaro", "a", "b"}},
        SplitCase{"tessaro kill", {"tessaro", "kill"}},
        // The program name keeps its backslashes; quotes only group it.
        SplitCase{R"("C:\Program Files\x.exe" a)", {R"(C:\Program Files\x.exe)", "a"}},
        SplitCase{R"("my prog"x y)", {"my progx", "y"}},
        SplitCase{R"(p\"q r)", {R"(p\q r)"}},
        SplitCase{R"(p "a b" c)", {"p", "a b", "c"}},
        SplitCase{R"(p a"b c"d)", {"p", "ab cd"}},
        SplitCase{R"(p a\\b)", {"p", R"(a\\b)"}},
        SplitCase{R"(p a\)", {"p", R"(a\)"}},
        SplitCase{R"(p a\"b)", {"p", R"(a"b)"}},
        SplitCase{R"(p a\\"b c")", {"p", R"(a\b c)"}},
        SplitCase{R"(p a\\\"b)", {"p", R"(a\"b)"}},
        SplitCase{R"(p "a\\")", {"p", R"(a\)"}},
        SplitCase{R"(p "")", {"p", ""}},
        SplitCase{R"(p "" x)", {"p", "", "x"}},
        SplitCase{R"(p "a""b" c)", {"p", R"(a"b)", "c"}},
        SplitCase{R"(p "unterminated arg)", {"p", "unterminated arg"}},
        SplitCase{"p $HOME;echo x|y", {"p", "$HOME;echo", "x|y"}}));

} // namespace
