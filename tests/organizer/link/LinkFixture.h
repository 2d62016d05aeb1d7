// A link on a scripted device and the test's clock, with the settings a fresh program has.
#pragma once

#include "organizer/link/ComDrv.h"
#include "organizer/link/Frontend.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PublicVar.h"

#include "BoxRecorder.h"
#include "FakeLinkClock.h"
#include "ScriptedPort.h"

#include <gtest/gtest.h>

namespace tessaro::test {

inline void resetLinkSettings()
{
    ComTimeout = 7500;
    Infrared = 0;
    InfraredDelay = 700;
    IrdaEffectiveDelay = 1;
    LanguageBase = 10000;
    TransferPause = 0;
    CallerFlag = false;
    CallerName.clear();
    DumpFlag = false;
    LinkBusy = false;
    FrontendBusy = false;
    ReceiveRest.clear();
}

class ScriptedLinkTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        resetLinkSettings();
        auto owned = std::make_unique<ScriptedPort>(clock);
        port = owned.get();
        ComDrvLoad(std::move(owned), clock).MSComm1.setCommPort(3);
        OrganizerServices s;
        s.resetMobileState = [this] { ++resets; };
        setOrganizerServices(s);
    }
    void TearDown() override
    {
        ComDrvUnload();
        setOrganizerServices({});
    }

    // The phone answers the wake-up handshake.
    void answerHandshake()
    {
        port->respond = [this](const QByteArray& data) {
            if (data == "ATE0+CMEE=2\r")
                port->answer("\r\nOK\r\n");
        };
    }

    // Opens the link and forgets what the opening wrote.
    void openLink()
    {
        answerHandshake();
        ASSERT_TRUE(InitComm());
        port->writes.clear();
        port->writeTimes.clear();
        port->respond = nullptr;
        // The line end after the handshake's OK waits for the next receive; start from nothing.
        ASSERT_EQ(ReceiveRest, QByteArray("\r\n"));
        ReceiveRest.clear();
    }

    FakeLinkClock clock;
    ScriptedPort* port = nullptr;
    BoxRecorder boxes;
    int resets = 0;
};

} // namespace tessaro::test
