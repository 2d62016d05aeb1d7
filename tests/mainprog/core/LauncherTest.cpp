// Starting the suite's programs and closing the editors at exit, with windows of this process
// standing in for the editors' frames.
#include "mainprog/core/Launcher.h"
#include "mainprog/core/SuiteSettings.h"
#include "platform/messaging/Messaging.h"
#include "platform/registry/RegistryFixture.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace corvant;

namespace {

class EditorWindow : public messaging::MessageHandler {
public:
    explicit EditorWindow(const std::string& title) { hwnd = messaging::registerTopLevelWindow(this, title); }
    ~EditorWindow() override { messaging::unregisterWindow(hwnd); }
    LRESULT handleMessage(UINT message, WPARAM, LPARAM) override
    {
        if (message == WM_CLOSE)
            ++closes;
        return 0;
    }
    HWND hwnd = 0;
    int closes = 0;
};

class LauncherTest : public torvane::test::RegistryFixture {
protected:
    std::vector<std::string> started;
    torvane::registry::AppProfile profile = corvantProfile();
    Launcher launcher {profile, [this](const std::string& line) {
                           started.push_back(line);
                           return true;
                       }};

    void dispatch()
    {
        while (messaging::dispatchMessages(20) > 0) {
        }
    }
};

TEST_F(LauncherTest, ButtonsStartTheConfiguredAndTheSuitesPrograms)
{
    launcher.runAppointments();
    profile.WriteProfileString(section::Settings, value::TerminPrg, "tessaro CALLER=QVN");
    launcher.runAppointments();
    launcher.runPhonebook();
    launcher.runRingtone();
    EXPECT_EQ(started, std::vector<std::string>({"", "tessaro CALLER=QVN", "brevik", "melvio"}));
}

TEST_F(LauncherTest, ExitRunsTheEndCommandAndClosesTheFirstEditorOfEachKind)
{
    profile.WriteProfileString(section::Settings, value::TerminPrgTrm, "tessaro KILL");
    EditorWindow other("Telephone");
    EditorWindow phonebook1("Telephone Directory - SIM");
    EditorWindow phonebook2("Telephone Directory - ME");
    EditorWindow editor1("Telefonbuch");
    EditorWindow editor2("Telefonbuch");
    // A title longer than the 38 characters compared still matches by its beginning.
    EditorWindow ringtone("Ring Tone Edit - a very long melody name that goes on and on.rte");
    ASSERT_NE(phonebook1.hwnd, 0u);

    EXPECT_EQ(launcher.runExitSequence(), (std::vector<HWND>{phonebook1.hwnd, editor1.hwnd, ringtone.hwnd}));
    dispatch();
    EXPECT_EQ(started, std::vector<std::string>({"tessaro KILL"}));
    EXPECT_EQ(phonebook1.closes, 1);
    EXPECT_EQ(phonebook2.closes, 0) << "only the first found is closed";
    EXPECT_EQ(editor1.closes, 1) << "the phonebook editor's own title";
    EXPECT_EQ(editor2.closes, 0);
    EXPECT_EQ(ringtone.closes, 1);
    EXPECT_EQ(other.closes, 0);
}

TEST_F(LauncherTest, DefaultStartFindsNothingToStartQuietly)
{
    Launcher real(profile);
    real.runAppointments(); // no command line configured: nothing happens, no message
    EXPECT_FALSE(closeFirstWindowTitled("Ring Tone Edit"));
}

} // namespace
