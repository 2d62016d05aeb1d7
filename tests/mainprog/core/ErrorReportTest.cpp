// The error dialog's texts for the suite's reports, and the safe number formatting.
#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/ErrorReport.h"

#include <gtest/gtest.h>

#include <climits>

using namespace corvant;

namespace {

struct ReportCase {
    int errorClass;
    int id;
    ErrorReportTexts texts;
};

class ErrorReports : public ::testing::TestWithParam<ReportCase> {};

TEST_P(ErrorReports, Texts)
{
    EXPECT_EQ(errorReportTexts(GetParam().errorClass, GetParam().id), GetParam().texts);
}

INSTANTIATE_TEST_SUITE_P(
    Reports, ErrorReports,
    ::testing::Values(
        ReportCase {3, 41500,
                    {"Exceptional error", "Error during the registration of ZEL-DLL",
                     "Error during the registration of ZEL-DLL. Wrong version or directory."}},
        ReportCase {1, 12345, {"Error", "Error 12345", ""}},
        ReportCase {2, 41501, {"Software error", "Error during the de-registration of ZEL-DLL",
                               "Error during the de-registration of ZEL-DLL. Wrong version or directory."}},
        ReportCase {4, 41502, {"operating error", "Error: max. number of concatenated  SMS outside 1...255",
                               "Error: max. number of concatenated  SMS outside 1...255"}},
        ReportCase {5, 41019, {"mobile phone error", "An error occurred while reading mobile phone data: No data.",
                               "Check connection to mobile phone."}},
        ReportCase {3, 41018, {"Exceptional error", "Action aborted.", ""}},
        ReportCase {0, 40003, {"", "Cannot find any MIDI-device !",
                               "The program also works without MIDI output devices. But then you can listen to "
                               "the edited melodies only on the mobile phone."}},
        ReportCase {6, 41509, {"", "Error during password entry.", "Repeat your entry."}},
        ReportCase {-299, 41506, {"", "Error 41506", ""}},
        ReportCase {1, INT_MAX, {"Error", "Error 2147483647", ""}},
        ReportCase {1, -5, {"Error", "Error -5", ""}}));

TEST(CorvantStrings, TextsWithQuotesAndLineBreaks)
{
    EXPECT_STREQ(corvantString(41023),
                 "Incomplete input (input for all fields is required; in the last field \" \" or \"!\").\n"
                 "Complete your input.");
    EXPECT_STREQ(corvantString(41017), "Communication error with the mobile phone. \nPossible reasons:\n1) The name "
                                       "already exists\n2) invalid index chosen (e.g. in Own directory)\n3) non GSM "
                                       "characters used.");
    EXPECT_STREQ(corvantString(46025), "Before inserting new entries, delete other entries in this directory ");
}

TEST(CorvantStrings, EveryReportOfTheSuiteHasATextAndOnlyTheListedOnesLackADetail)
{
    std::vector<int> ids;
    for (int id = 40001; id <= 40005; ++id)
        ids.push_back(id);
    for (int id = 41000; id <= 41025; ++id)
        ids.push_back(id);
    for (int id = 41500; id <= 41509; ++id)
        if (id != 41506)
            ids.push_back(id);
    for (int id : ids) {
        EXPECT_NE(corvantString(id), nullptr) << id;
        const bool noDetail = id == 41018 || id == 41021 || id == 41022;
        EXPECT_EQ(corvantString(id + 5000) == nullptr, noDetail) << id;
    }
    EXPECT_EQ(corvantString(41506), nullptr);
}

TEST(FormatNumber, OnlyNumberPlaceholdersAreFilled)
{
    EXPECT_EQ(formatNumber("Error %d", 7), "Error 7");
    EXPECT_EQ(formatNumber("100%% %d", 5), "100% 5");
    EXPECT_EQ(formatNumber("name '%s' %d %", 1), "name '%s' 1 %");
}

} // namespace
