// The organizer's link on the simulated phone: the phone answers on a pseudo-terminal linked as
// COM3 of the test's private config folder, and the link runs on the test's clock. Time jumps to
// the next tick only after the phone has had 300 ms of real time to answer.
#pragma once

#include "organizer/link/ComDrv.h"
#include "organizer/link/OrganizerSeams.h"

#include "platform/serial/SerialPortName.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneSim.h"

#include "BoxRecorder.h"
#include "FakeLinkClock.h"
#include "LinkFixture.h"

#include <gtest/gtest.h>

namespace tessaro::test {

constexpr int kSimPort = 3;

inline int countOf(const std::string& text, const std::string& what)
{
    int n = 0;
    for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
        ++n;
    return n;
}

class SimLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetLinkSettings();
        std::string error;
        ASSERT_TRUE(sim.start(torvane::serial::portLinkFolder() + "/COM" + std::to_string(kSimPort), &error)) << error;
        clock.grace = std::chrono::milliseconds(300);
        ComDrvLoad(makePlatformSerialBackend(), clock).MSComm1.setCommPort(kSimPort);
        OrganizerServices s;
        s.resetMobileState = [this] { ++resets; };
        setOrganizerServices(s);
    }
    void TearDown() override
    {
        ComDrvUnload();
        setOrganizerServices({});
        sim.stop();
    }

    template <class F>
    auto store(F&& f)
    {
        return sim.withModule<torvane::phonesim::ObjectStoreCommands>(std::forward<F>(f));
    }

    std::string received() { return sim.transcript().received(); }

    torvane::phonesim::PhoneSim sim;
    FakeLinkClock clock;
    BoxRecorder boxes;
    int resets = 0;
};

} // namespace tessaro::test
