// Two copies of the organizer started at the same moment in a profile where it never ran, as two
// quick presses of the mail-client button start them: both find its keys missing and make them.
// Neither may take the key the other made for a failure and show a box, and only one may stay:
// the other finds it and ends.
#include "platform/dde/Dde.h"
#include "platform/registry/RegStore.h"
#include "platform/serial/SerialPortName.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/PhoneSim.h"

#include "OrganizerProgram.h"

#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>

using namespace std::chrono_literals;

namespace {

using tessaro::test::organizerRunning;
using tessaro::test::organizerWindowUp;
using tessaro::test::waitFor;
using torvane::test::PeerProcess;

// The copies race within milliseconds; a few fresh profiles make meeting the race all but certain.
constexpr int kFreshProfiles = 3;

TEST(TwoOrganizersAtOnce, OnAFirstRunOneComesUpWithoutABoxAndTheOtherEnds)
{
    // A phone on the organizer's port, or its start-up would end in the box that none answers.
    torvane::phonesim::PhoneSim phone;
    std::string error;
    ASSERT_TRUE(phone.start(torvane::serial::portLinkFolder() + "/COM1", &error)) << error;
    tessaro::test::ChildBoxes boxes(QStringLiteral("organizers"));
    const tessaro::test::EndOrganizerAtExit endOrganizer;

    for (int profile = 0; profile < kFreshProfiles; ++profile) {
        SCOPED_TRACE("fresh profile " + std::to_string(profile));
        for (const char* root : {"HKEY_CURRENT_USER", "HKEY_LOCAL_MACHINE"})
            std::filesystem::remove(torvane::registry::RegStore::forRoot(root).path());

        // Each copy waits for a line before it becomes the organizer, so both start together.
        std::array<std::unique_ptr<PeerProcess>, 2> copies;
        for (auto& copy : copies) {
            copy = std::make_unique<PeerProcess>(
                "/bin/sh", std::vector<std::string>{"-c", "read go && exec \"$0\"", TESSARO_PROGRAM});
            ASSERT_TRUE(copy->started());
        }
        for (auto& copy : copies)
            ASSERT_TRUE(copy->send("go"));

        const auto ended = [&] {
            return int(copies[0]->waitExit(0ms).has_value()) + int(copies[1]->waitExit(0ms).has_value());
        };
        ASSERT_TRUE(waitFor([&] { return organizerWindowUp() && ended() > 0; }, 60s))
            << "copies ended: " << ended() << "\n"
            << boxes.shown().toStdString();
        EXPECT_EQ(ended(), 1) << "both copies ended";
        for (auto& copy : copies)
            EXPECT_EQ(copy->waitExit(0ms).value_or(0), 0) << "a copy failed";
        EXPECT_TRUE(organizerRunning());
        ASSERT_TRUE(boxes.shown().isEmpty()) << boxes.shown().toStdString();

        torvane::dde::execute(QStringLiteral("Tessaro"), QStringLiteral("DDE"), QStringLiteral("KILL"));
        for (auto& copy : copies)
            ASSERT_EQ(copy->waitExit(60s), 0);
        ASSERT_FALSE(organizerRunning());
    }
}

} // namespace
