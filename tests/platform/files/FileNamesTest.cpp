#include "platform/files/FileNames.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <regex>
#include <set>
#include <sys/stat.h>

using namespace torvane::files;

struct PatternCase {
    const char* name;
    const char* pattern;
    bool matches;
};

class PatternTest : public testing::TestWithParam<PatternCase> {};

TEST_P(PatternTest, MatchesWithoutRegardToCase)
{
    EXPECT_EQ(matchesPattern(GetParam().name, GetParam().pattern), GetParam().matches)
        << GetParam().name << " ~ " << GetParam().pattern;
}

INSTANTIATE_TEST_SUITE_P(Names, PatternTest,
                         testing::Values(PatternCase{"SMS1A2B.TMP", "SMS*.tmp", true},
                                         PatternCase{"sms_x.tmp", "SMS*.tmp", true},
                                         PatternCase{"SMS.tmp", "SMS*.tmp", true},
                                         PatternCase{"SMS1.tmp.err", "SMS*.tmp", false},
                                         PatternCase{"XSMS1.tmp", "SMS*.tmp", false},
                                         PatternCase{"SMS1.tm", "SMS*.tmp", false},
                                         PatternCase{"SMS.tmp.tmp", "SMS*.tmp", true},
                                         PatternCase{"abc", "a?c", true},
                                         PatternCase{"ac", "a?c", false},
                                         PatternCase{"", "*", true},
                                         PatternCase{"", "?", false}));

TEST(FolderTest, UniqueNamesAreNewAndListedByPattern)
{
    char templ[] = "/tmp/filesXXXXXX";
    ASSERT_NE(mkdtemp(templ), nullptr);
    const std::string dir = templ;
    std::set<std::string> made;
    for (int i = 0; i < 20; ++i) {
        const std::string path = createUniqueFile(dir, "SMS");
        ASSERT_FALSE(path.empty());
        EXPECT_TRUE(std::regex_match(path, std::regex(dir + "/SMS[0-9A-F]+\\.TMP")));
        EXPECT_TRUE(made.insert(path).second);
    }
    std::ofstream(dir + "/other.txt") << "x";
    mkdir((dir + "/SMSdir.tmp").c_str(), 0755);
    EXPECT_EQ(matchingFiles(dir, "sms*.tmp").size(), 20u); // the folder and the other file are not listed
    // A plain file standing where the folder should be: no name, no crash.
    EXPECT_EQ(createUniqueFile(dir + "/other.txt", "SMS"), "");
    EXPECT_TRUE(matchingFiles(dir + "/missing", "*").empty());
    EXPECT_EQ(std::system(("rm -rf " + dir).c_str()), 0);
}
