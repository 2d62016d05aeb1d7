// Pressing the button through the host: what the value below the organizer's machine key makes
// it run, the messages of its failures, and the " kill" start when the host unloads the library.
// The organizer is played by plinket_recorder, built beside this test, so a bare name finds it.
#include "tests/outlookbutton/PlinketTestSupport.h"

#include "tests/outlookbutton/ProgramRecord.h"

#include <algorithm>
#include <cstring>

using namespace torvane::exchext;
using namespace torvane::testing;

namespace {

// Bare names: values hold at most 79 characters, and both are found in this test's own folder.
const std::string kProcedures = "libplinket_test_procedures.so";

class PlinketPress : public PlinketTest {
protected:
    void SetUp() override
    {
        PlinketTest::SetUp();
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '_');
        m_programs = std::make_unique<RecordedPrograms>(testFolder() + "/" + name + ".rec");
    }

    void TearDown() override
    {
        PlinketTest::TearDown();
        m_programs.reset();
    }

    // Presses the button of a main viewer (opened on first use); answers DoCommand's result.
    HRESULT press()
    {
        if (!m_viewer) {
            m_viewer = &site();
            if (!m_viewer->open())
                return E_POINTER;
        }
        return m_viewer->command(m_viewer->extensionCommands().at(0));
    }

    // Everything the started programs recorded, once all of them have ended.
    std::vector<ProgramRecord> started()
    {
        EXPECT_TRUE(m_programs->waitForAll());
        return m_programs->records();
    }

    std::vector<std::string> lines()
    {
        EXPECT_TRUE(m_programs->waitForAll());
        return m_programs->lines();
    }

    void unloadLibrary()
    {
        m_viewer = nullptr;
        unload();
    }

private:
    std::unique_ptr<RecordedPrograms> m_programs;
    ExtensionSite* m_viewer = nullptr;
};

struct ProgramCase {
    const char* name;
    std::string value;
    std::vector<std::string> arguments;
};

class PlinketProgramValue : public PlinketPress, public ::testing::WithParamInterface<ProgramCase> {
};

TEST_P(PlinketProgramValue, StartsTheCommandLineInASessionOfItsOwn)
{
    setCommandValue(GetParam().value);
    EXPECT_EQ(press(), S_OK);
    const auto records = started();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, GetParam().arguments);
    EXPECT_TRUE(records[0].ownSession);
    EXPECT_EQ(records[0].inheritedFiles, 0);
    EXPECT_TRUE(boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlinketProgramValue,
    ::testing::Values(ProgramCase{"Plain", "exe;plinket_recorder D", {"D"}},
                      ProgramCase{"EmptyFieldsSkipped", "exe;;;plinket_recorder CALLER=x", {"CALLER=x"}},
                      ProgramCase{"LeadingSeparators", ";;exe;plinket_recorder", {}},
                      ProgramCase{"ExtraFieldsIgnored", "exe;plinket_recorder a \"b c\";proc;more;fields", {"a", "b c"}},
                      ProgramCase{"ExeAnywhereInTheKind", "myexefile;plinket_recorder", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlinketPress, LibraryKindCallsTheProcedureOnce)
{
    for (const char* kind : {"dll", "EXE"}) {
        setCommandValue(std::string(kind) + ";" + kProcedures + ";recordCall;ignored");
        EXPECT_EQ(press(), S_OK) << kind;
    }
    EXPECT_EQ(lines(), (std::vector<std::string>{"called", "called"}));
    EXPECT_TRUE(boxes().empty());
}

struct FailureCase {
    const char* name;
    std::string value;
    std::string caption;
    std::string text; // empty: any text of the system
    UINT type = MB_OK | MB_ICONINFORMATION;
};

class PlinketFailingValue : public PlinketPress, public ::testing::WithParamInterface<FailureCase> {
};

TEST_P(PlinketFailingValue, ShowsWhatFailedAndRunsNothing)
{
    setCommandValue(GetParam().value);
    EXPECT_EQ(press(), S_OK);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].owner, 0u);
    EXPECT_EQ(boxes()[0].caption, GetParam().caption);
    EXPECT_EQ(boxes()[0].type, GetParam().type);
    if (GetParam().text.empty())
        EXPECT_FALSE(boxes()[0].text.empty());
    else
        EXPECT_EQ(boxes()[0].text, GetParam().text);
    EXPECT_TRUE(lines().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Values, PlinketFailingValue,
    ::testing::Values(
        FailureCase{"MissingProgram", "exe;/nonexistent/tessaro D", "Error:/nonexistent/tessaro D", std::strerror(ENOENT)},
        FailureCase{"MissingLibrary", "lib;/nonexistent/libtv.so;recordCall", "Error:/nonexistent/libtv.so", ""},
        FailureCase{"MissingProcedure", "lib;" + kProcedures + ";startOrganizer", "Error:startOrganizer", ""},
        FailureCase{"DataInsteadOfProcedure", "lib;" + kProcedures + ";recordCallCount", "Error:recordCallCount", ""},
        FailureCase{"NoCommandLine", "exe", "Torvane Appointments", "entry (Plinket) in registry incomplete !", MB_OK},
        FailureCase{"NoFieldAtAll", ";;;", "Torvane Appointments", "entry (Plinket) in registry incomplete !", MB_OK},
        FailureCase{"NoProcedure", "lib;" + kProcedures, "Torvane Appointments",
                    "entry (Plinket) in registry incomplete !", MB_OK}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(PlinketPress, MissingValueIsReportedAndKeepsTheLastCommandLine)
{
    setCommandValue("exe;plinket_recorder first");
    EXPECT_EQ(press(), S_OK);
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyEx(HKEY_LOCAL_MACHINE, kOrganizerKey, &key), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValue(key, "Plinket"), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(press(), S_OK);
    ASSERT_EQ(boxes().size(), 1u);
    EXPECT_EQ(boxes()[0].owner, 0u);
    EXPECT_EQ(boxes()[0].caption, "Torvane Appointments");
    EXPECT_EQ(boxes()[0].text, "entry (Plinket) in registry not found !");
    EXPECT_EQ(boxes()[0].type, MB_OK);

    unloadLibrary();
    const auto records = started();
    ASSERT_EQ(records.size(), 2u);
    EXPECT_EQ(records[0].arguments, std::vector<std::string>{"first"});
    EXPECT_EQ(records[1].arguments, (std::vector<std::string>{"first", "kill"}));
}

TEST_F(PlinketPress, OtherCommandIdsAreLeftToTheHost)
{
    setCommandValue("exe;plinket_recorder");
    ExtensionSite& viewer = site();
    ASSERT_TRUE(viewer.open());
    const UINT own = viewer.extensionCommands().at(0);
    EXPECT_EQ(viewer.command(own + 1), S_FALSE);
    EXPECT_EQ(viewer.command(own - 1), S_FALSE);
    unloadLibrary();
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlinketPress, SearchViewerRunsTheCommandFromItsItem)
{
    setCommandValue("exe;plinket_recorder search");
    SiteSetup setup;
    setup.context = EECONTEXT_SEARCHVIEWER;
    ExtensionSite& viewer = site(setup);
    ASSERT_TRUE(viewer.open());
    EXPECT_EQ(viewer.command(viewer.extensionCommands().at(0)), S_OK);
    const auto records = started();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0].arguments, std::vector<std::string>{"search"});
}

TEST_F(PlinketPress, UnloadWithoutAPressStartsNothing)
{
    setCommandValue("exe;plinket_recorder");
    ExtensionSite& viewer = site();
    ASSERT_TRUE(viewer.open());
    unloadLibrary();
    EXPECT_TRUE(lines().empty());
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlinketPress, UnloadStartsTheLastCommandLineWithKillOnce)
{
    setCommandValue("exe;plinket_recorder first");
    EXPECT_EQ(press(), S_OK);
    setCommandValue("exe;plinket_recorder D CALLER=Outlook");
    EXPECT_EQ(press(), S_OK);
    EXPECT_EQ(press(), S_OK);
    EXPECT_EQ(started().size(), 3u);

    unloadLibrary();
    const auto records = started();
    ASSERT_EQ(records.size(), 4u);
    EXPECT_EQ(records[3].arguments, (std::vector<std::string>{"D", "CALLER=Outlook", "kill"}));
    // Not with a console of its own.
    EXPECT_FALSE(records[3].ownSession);
    EXPECT_TRUE(boxes().empty());
}

TEST_F(PlinketPress, UnloadAfterALibraryPressTriesThePathAndShowsNothing)
{
    setCommandValue("dll;" + kProcedures + ";recordCall");
    EXPECT_EQ(press(), S_OK);
    unloadLibrary();
    EXPECT_EQ(lines(), std::vector<std::string>{"called"});
    EXPECT_TRUE(boxes().empty());
}

} // namespace
