// The road a user takes without a mail client: the host program loads Plinket, presses its button
// in both viewers and then stays, as the mail client would, so the organizer the press started
// stays up; ending the host (Enter, the end of its input, Ctrl+C) unloads the extension, whose
// "tessaro kill" ends the organizer. In a profile where the organizer never ran, the two presses
// start two copies at once: one comes up without a box, the other finds it and ends.
#include "platform/registry/Registry.h"
#include "platform/serial/SerialPortName.h"
#include "support/PeerProcess.h"
#include "support/SearchPath.h"
#include "tools/phonesim/PhoneSim.h"

#include "OrganizerProgram.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <string>

using namespace std::chrono_literals;

namespace {

using tessaro::test::organizerRunning;
using tessaro::test::organizerWindowUp;
using tessaro::test::waitFor;

// The host's output up to the line that starts with `last`, or up to its end.
std::string outputUpTo(torvane::test::PeerProcess& host, const std::string& last)
{
    std::string text;
    while (const auto line = host.readLine(60s)) {
        text += *line + "\n";
        if (line->starts_with(last))
            break;
    }
    return text;
}

TEST(HostKeepsTessaro, TheOrganizerStaysUntilTheHostEndsAndItsUnloadEndsIt)
{
    // A phone on the organizer's port, or its start-up would end in the box that none answers.
    torvane::phonesim::PhoneSim phone;
    std::string error;
    ASSERT_TRUE(phone.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
    torvane::test::findOnPath(TESSARO_PROGRAM);
    ASSERT_EQ(torvane::registry::writeString(HKEY_LOCAL_MACHINE, "SOFTWARE\\TORVANE\\TESSARO", "Plinket", "exe;tessaro;"),
              ERROR_SUCCESS);
    tessaro::test::ChildBoxes organizerBoxes(QStringLiteral("organizer"));
    const tessaro::test::EndOrganizerAtExit endOrganizer;

    // First where the organizer never ran, then with the settings that run left; each round
    // ends the host another way the user can.
    enum class End { Enter, EndOfInput, CtrlC };
    for (const End end : {End::Enter, End::EndOfInput, End::CtrlC}) {
        SCOPED_TRACE("round ended by " + std::to_string(int(end)) + " (Enter, end of input, Ctrl+C)");
        phone.transcript().clear();
        torvane::test::PeerProcess host(EXCHEXT_HOST, {PLINKET_LIBRARY, "--press"});
        ASSERT_TRUE(host.started());
        const std::string pressed = outputUpTo(host, "Press Enter");
        ASSERT_NE(pressed.find("DoCommand: S_OK\ncontext 4\n"), std::string::npos) << pressed;
        ASSERT_NE(pressed.find("\nPress Enter to unload the extension and end.\n"), std::string::npos) << pressed;
        EXPECT_EQ(pressed.find("message box"), std::string::npos) << pressed;

        // Up as the user sees it: the window is there and has asked the phone who it is.
        const auto askedThePhone = [&] {
            return phone.transcript().received().find("AT^SBNW=?\r") != std::string::npos;
        };
        ASSERT_TRUE(waitFor([&] { return organizerWindowUp() && askedThePhone(); }, 60s))
            << organizerBoxes.shown().toStdString();
        EXPECT_TRUE(organizerRunning());
        EXPECT_FALSE(host.waitExit(0ms)) << "the host ended with the organizer up";

        if (end == End::Enter)
            ASSERT_TRUE(host.send(""));
        else if (end == End::EndOfInput)
            host.closeInput();
        else
            host.kill(SIGINT);
        EXPECT_EQ(host.readLine(60s), "unloaded");
        EXPECT_EQ(host.waitExit(60s), 0);
        EXPECT_TRUE(waitFor([] { return !organizerRunning() && !organizerWindowUp(); }, 60s));
        EXPECT_TRUE(organizerBoxes.shown().isEmpty()) << organizerBoxes.shown().toStdString();
    }
}

} // namespace
