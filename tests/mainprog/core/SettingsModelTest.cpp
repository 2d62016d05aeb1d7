// The settings pages without widgets: what they read, the limits, the service-centre filter,
// the histories and every value they write, checked in the registry the other programs read.
#include "mainprog/core/CfgPage1Model.h"
#include "mainprog/core/CfgPage2Model.h"
#include "mainprog/core/CfgPage3Model.h"
#include "mainprog/core/SuiteSettings.h"
#include "platform/registry/RegistryFixture.h"

#include <gtest/gtest.h>

using namespace corvant;

namespace {

class SettingsTest : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        setenv("XDG_DATA_HOME", (configHome_ + "-data").c_str(), 1);
    }

    std::string text(const char* sect, const char* name) { return profile.GetProfileString(sect, name, "<none>"); }
    int number(const char* sect, const char* name) { return int(profile.GetProfileInt(sect, name, -999)); }

    // A page 1 choice as the page holds it right after opening.
    CfgPage1Choice unchanged()
    {
        const CfgPage1View view = CfgPage1Model(profile).load();
        CfgPage1Choice c;
        c.maxParts = view.maxParts;
        c.waitMinutes = view.waitMinutes;
        c.serviceSelection = view.serviceSelection;
        c.serviceHistory = view.serviceHistory;
        c.validitySelection = view.validitySelection;
        c.pathSelection = view.pathSelection;
        c.pathHistory = view.pathHistory;
        c.preview = view.preview;
        return c;
    }

    void putServiceHistory(const std::vector<std::string>& entries, int pos)
    {
        for (std::size_t i = 0; i < entries.size(); ++i)
            profile.WriteProfileString(section::Page1, "SMSService" + std::to_string(i + 1), entries[i]);
        profile.WriteProfileInt(section::Page1, value::PageServicePos, pos);
    }

    torvane::registry::AppProfile profile = corvantProfile();
};

TEST_F(SettingsTest, PagesOpenWithTheDefaults)
{
    const CfgPage1View view = CfgPage1Model(profile).load();
    EXPECT_EQ(view.maxParts, 255);
    EXPECT_EQ(view.waitMinutes, 60);
    EXPECT_TRUE(view.serviceHistory.empty());
    EXPECT_EQ(view.serviceSelection, 0);
    EXPECT_EQ(view.validitySelection, 16);
    EXPECT_TRUE(view.pathHistory.empty());
    EXPECT_EQ(view.pathSelection, 0);
    EXPECT_TRUE(view.preview);

    const CfgPage2Values page2 = CfgPage2Model(profile).load();
    EXPECT_EQ(directoryMask(page2.directories), 127);
    EXPECT_FALSE(page2.autoload);
    EXPECT_TRUE(page2.showCorrection);

    EXPECT_EQ(CfgPage3Model(profile).load(), "COM1");
}

TEST_F(SettingsTest, HistoriesSkipEmptyEntries)
{
    profile.WriteProfileString(section::Page1, "SMSService1", "+491");
    profile.WriteProfileString(section::Page1, "SMSService3", "+493");
    profile.WriteProfileString(section::Page1, "SMS_Path2", "/srv/spool/");
    const CfgPage1View view = CfgPage1Model(profile).load();
    EXPECT_EQ(view.serviceHistory, std::vector<std::string>({"+491", "+493"}));
    EXPECT_EQ(view.pathHistory, std::vector<std::string>({"/srv/spool/"}));
}

struct LimitCase {
    std::optional<int> maxParts;
    std::optional<int> wait;
    std::optional<int> reportId;
    int controlId;
};

class Limits : public ::testing::TestWithParam<LimitCase> {};

TEST_P(Limits, Checked)
{
    const auto breach = CfgPage1Model::checkLimits(GetParam().maxParts, GetParam().wait);
    ASSERT_EQ(breach.has_value(), GetParam().reportId.has_value());
    if (breach) {
        EXPECT_EQ(breach->reportId, *GetParam().reportId);
        EXPECT_EQ(breach->controlId, GetParam().controlId);
    }
}

INSTANTIATE_TEST_SUITE_P(Values, Limits,
                         ::testing::Values(LimitCase {1, 5, std::nullopt, 0}, LimitCase {255, 60, std::nullopt, 0},
                                           LimitCase {0, 30, 41502, 1029}, LimitCase {256, 30, 41502, 1029},
                                           LimitCase {std::nullopt, 30, 41502, 1029}, LimitCase {10, 4, 41503, 1030},
                                           LimitCase {10, 61, 41503, 1030}, LimitCase {10, std::nullopt, 41503, 1030},
                                           LimitCase {0, 4, 41502, 1029}));

TEST_F(SettingsTest, OutOfRangeNumbersAreNotSaved)
{
    CfgPage1Model model(profile);
    CfgPage1Choice c = unchanged();
    c.maxParts = 12;
    c.waitMinutes = 30;
    model.apply(c);
    c.maxParts = 256;
    c.waitMinutes = 4;
    model.apply(c);
    EXPECT_EQ(number(section::Page1, value::PageMaxParts), 12);
    EXPECT_EQ(number(section::Page1, value::PageWait), 30);
    EXPECT_EQ(number(section::Settings, value::MaxParts), 12);
    EXPECT_EQ(number(section::MapiServer, value::WaitMinutes), 30);
}

TEST_F(SettingsTest, NumbersAreMirroredForTheRestOfTheSuite)
{
    CfgPage1Choice c = unchanged();
    c.maxParts = 5;
    c.waitMinutes = 60;
    c.preview = false;
    CfgPage1Model(profile).apply(c);
    for (const char* s : {section::Page1, section::Settings, section::MapiServer}) {
        SCOPED_TRACE(s);
        const bool page = std::string(s) == section::Page1;
        EXPECT_EQ(number(s, page ? value::PageMaxParts : value::MaxParts), 5);
        EXPECT_EQ(number(s, page ? value::PageWait : value::WaitMinutes), 60);
        EXPECT_EQ(number(s, page ? value::PagePreview : value::Preview), 0);
    }
}

struct FilterCase {
    const char* typed;
    int caret;
    const char* kept;
    int newCaret;
};

class ServiceCentreFilter : public ::testing::TestWithParam<FilterCase> {};

TEST_P(ServiceCentreFilter, KeepsDigitsAndALeadingPlus)
{
    int caret = GetParam().caret;
    EXPECT_EQ(filterServiceCentre(GetParam().typed, &caret), GetParam().kept);
    EXPECT_EQ(caret, GetParam().newCaret);
}

INSTANTIATE_TEST_SUITE_P(Typing, ServiceCentreFilter,
                         ::testing::Values(FilterCase {"+49 (89) 123", 12, "+4989123", 8},
                                           FilterCase {"49+1", 4, "491", 3}, FilterCase {"++1", 1, "+1", 1},
                                           FilterCase {"+4x9", 3, "+49", 2}, FilterCase {"abc", 2, "", 0},
                                           FilterCase {"0171 22", 5, "017122", 4}));

TEST_F(SettingsTest, PhoneSettingStoresAnEmptyServiceCentreAndKeepsThePosition)
{
    putServiceHistory({"+4911", "+4922"}, 2);
    CfgPage1Choice c = unchanged();
    EXPECT_EQ(c.serviceSelection, 2);
    c.serviceSelection = 0;
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "");
    EXPECT_EQ(number(section::Page1, value::PageServicePos), 2);
    EXPECT_EQ(CfgPage1Model(profile).load().serviceSelection, 2) << "the next opening selects the same entry";
}

// Item 0 of the combo is "Phone setting", so item n shows history entry n - 1: the number
// stored is the one the user chose.
TEST_F(SettingsTest, ChosenServiceCentreIsTheOneStored)
{
    putServiceHistory({"+4911", "+4922", "+4933"}, 1);
    CfgPage1Choice c = unchanged();
    c.serviceSelection = 2;
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "+4922");
    EXPECT_EQ(number(section::Page1, value::PageServicePos), 2);
    EXPECT_EQ(text(section::Page1, "SMSService1"), "+4911") << "the history is written back unchanged";
}

TEST_F(SettingsTest, TypedServiceCentreLeadsTheHistoryAndIsStored)
{
    putServiceHistory({"+4911", "+4922", "+4933", "+4944"}, 3);
    CfgPage1Choice c = unchanged();
    c.serviceSelection = -1;
    c.typedService = "+4955";
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(text(section::Page1, "SMSService1"), "+4955");
    EXPECT_EQ(text(section::Page1, "SMSService2"), "+4911");
    EXPECT_EQ(text(section::Page1, "SMSService3"), "+4922");
    EXPECT_EQ(text(section::Page1, "SMSService4"), "+4933");
    EXPECT_EQ(number(section::Page1, value::PageServicePos), 1);
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "+4955");
}

TEST_F(SettingsTest, NoServiceCentreSelectedTakesTheNewestEntry)
{
    putServiceHistory({"+4911", "+4922"}, 2);
    CfgPage1Choice c = unchanged();
    c.serviceSelection = -1;
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(number(section::Page1, value::PageServicePos), 1);
    EXPECT_EQ(text(section::Settings, value::ServiceCentre), "+4911");
}

TEST_F(SettingsTest, ValidityStoresTheCodeOfTheChoice)
{
    CfgPage1Choice c = unchanged();
    c.validitySelection = 11; // "1 week"
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(number(section::Page1, value::PageLifeTime), 11);
    EXPECT_EQ(number(section::Settings, value::Validity), 173);

    c.validitySelection = -1;
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(number(section::Page1, value::PageLifeTime), 16);
    EXPECT_EQ(number(section::Settings, value::Validity), 255);
}

TEST_F(SettingsTest, DirectoryGetsAFinalSlash)
{
    CfgPage1Choice c = unchanged();
    c.typedPath = "/srv/sms";
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(text(section::Settings, value::SpoolDir), "/srv/sms/");
    EXPECT_EQ(text(section::MapiServer, value::SpoolDir), "/srv/sms/");
    EXPECT_EQ(text(section::Page1, "SMS_Path1"), "/srv/sms") << "the history keeps what was typed";
    EXPECT_EQ(number(section::Page1, value::PagePathPos), 0);
}

TEST_F(SettingsTest, EmptyDirectoryIsTheUsersDataFolder)
{
    CfgPage1Model(profile).apply(unchanged());
    EXPECT_EQ(text(section::MapiServer, value::SpoolDir), configHome_ + "-data/torvane/");
    EXPECT_EQ(defaultSpoolRoot(), configHome_ + "-data/torvane/");
}

TEST_F(SettingsTest, DirectoryHistoryKeepsTheNewTextAndTheThreeMostRecent)
{
    for (int i = 1; i <= 4; ++i)
        profile.WriteProfileString(section::Page1, "SMS_Path" + std::to_string(i), "/d" + std::to_string(i) + "/");
    CfgPage1Choice c = unchanged();
    c.pathSelection = 3;
    c.typedPath = "/new/";
    bool configured = false;
    CfgPage1Model(profile).apply(c, [&] {
        configured = true;
        EXPECT_EQ(profile.GetProfileString(section::MapiServer, value::SpoolDir), "/new/")
            << "the SMS manager configures itself with the new folder";
    });
    EXPECT_TRUE(configured);
    EXPECT_EQ(CfgPage1Model(profile).load().pathHistory, std::vector<std::string>({"/new/", "/d1/", "/d2/", "/d3/"}));
}

TEST_F(SettingsTest, ChosenDirectoryWithoutTypingIsStored)
{
    for (int i = 1; i <= 3; ++i)
        profile.WriteProfileString(section::Page1, "SMS_Path" + std::to_string(i), "/d" + std::to_string(i));
    CfgPage1Choice c = unchanged();
    c.pathSelection = 2;
    CfgPage1Model(profile).apply(c);
    EXPECT_EQ(text(section::Settings, value::SpoolDir), "/d3/");
    EXPECT_EQ(number(section::Page1, value::PagePathPos), 2);
}

struct MaskCase {
    std::array<bool, PHONEBOOK_DIRECTORIES> boxes;
    int mask;
};

class DirectoryMasks : public ::testing::TestWithParam<MaskCase> {};

TEST_P(DirectoryMasks, BoxesGiveTheMask)
{
    EXPECT_EQ(directoryMask(GetParam().boxes), GetParam().mask);
}

INSTANTIATE_TEST_SUITE_P(Boxes, DirectoryMasks,
                         ::testing::Values(MaskCase {{true, true, true, true, true, true, true}, 127},
                                           MaskCase {{false, false, false, true, false, false, false}, 8},
                                           MaskCase {{true, false, false, false, false, false, true}, 65},
                                           MaskCase {{}, 0}));

TEST_F(SettingsTest, PhonebookPageWritesAndReadsBack)
{
    CfgPage2Model model(profile);
    CfgPage2Values values;
    values.directories = {false, true, false, true, false, false, false};
    values.autoload = true;
    values.showCorrection = false;
    model.apply(values);
    EXPECT_EQ(number(section::Page2, value::Phonebooks), 10);
    EXPECT_EQ(number(section::Page2, value::Autoload), 1);
    EXPECT_EQ(number(section::Page2, value::ShowCorrection), 0);
    EXPECT_EQ(model.load(), values);
}

TEST_F(SettingsTest, ConnectionPageWritesThePort)
{
    CfgPage3Model(profile).apply("COM3");
    EXPECT_EQ(text(section::Settings, value::ComPort), "COM3");
    EXPECT_EQ(configuredPort(profile), "COM3");
}

TEST(FieldNumber, ParsesWholeNumbersOnly)
{
    EXPECT_EQ(parseFieldNumber(" 42 "), 42);
    EXPECT_EQ(parseFieldNumber("-3"), -3);
    EXPECT_EQ(parseFieldNumber(""), std::nullopt);
    EXPECT_EQ(parseFieldNumber("4x"), std::nullopt);
    EXPECT_EQ(parseFieldNumber("99999999999"), std::nullopt);
}

} // namespace
