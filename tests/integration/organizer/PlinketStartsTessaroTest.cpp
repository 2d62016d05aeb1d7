// The mail-client extension Plinket, loaded by its host in this process, starts the organizer
// with the registry value the README documents ("exe;tessaro;" below the organizer's machine
// key), and when the host unloads it, "tessaro kill" ends the organizer again.
#include "platform/exchext/ExchMessageBox.h"
#include "platform/exchext/host/ExtensionSite.h"
#include "platform/registry/Registry.h"
#include "tests/support/SearchPath.h"

#include "OrganizerProgram.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>

using namespace std::chrono_literals;

namespace {

using tessaro::test::organizerRunning;
using tessaro::test::organizerWindowUp;
using tessaro::test::waitFor;

TEST(PlinketStartsTessaro, TheButtonStartsTheOrganizerAndUnloadingEndsIt)
{
    // The value names the program by its bare name; it is found on PATH.
    torvane::test::findOnPath(TESSARO_PROGRAM);
    ASSERT_EQ(torvane::registry::writeString(HKEY_LOCAL_MACHINE, "SOFTWARE\\TORVANE\\TESSARO", "Plinket", "exe;tessaro;"),
              ERROR_SUCCESS);
    tessaro::test::ChildBoxes organizerBoxes(QStringLiteral("organizer"));
    const tessaro::test::EndOrganizerAtExit endOrganizer;
    std::vector<torvane::exchext::MessageBoxRequest> plinketBoxes;
    torvane::exchext::setMessageBoxSink([&](const torvane::exchext::MessageBoxRequest& box) {
        plinketBoxes.push_back(box);
        return IDOK;
    });

    std::string error;
    auto library = torvane::exchext::ExtensionLibrary::open(PLINKET_LIBRARY, &error);
    ASSERT_TRUE(library) << error;
    {
        torvane::exchext::ExtensionSite viewer(*library, {});
        ASSERT_TRUE(viewer.open());
        ASSERT_FALSE(viewer.extensionCommands().empty());
        EXPECT_EQ(viewer.command(viewer.extensionCommands().at(0)), S_OK);
        ASSERT_TRUE(waitFor(organizerWindowUp, 60s)) << organizerBoxes.shown().toStdString();
        EXPECT_TRUE(organizerRunning());
        viewer.release();
    }
    library->unload();
    EXPECT_TRUE(waitFor([] { return !organizerRunning(); }, 60s));
    EXPECT_FALSE(organizerWindowUp());
    EXPECT_TRUE(plinketBoxes.empty());
    torvane::exchext::setMessageBoxSink({});
}

} // namespace
