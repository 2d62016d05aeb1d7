// The port window's surroundings for a test: a fresh registry, a scripted serial device that
// refuses the framings a test names, a machine whose ports are the test's set, and the link's
// settings of a running program (port 5, 19200,n,8,1 with RTS handshaking, 3000 ms, no infrared).
#pragma once

#include "organizer/link/ComDrv.h"
#include "organizer/link/PortProperties.h"
#include "organizer/link/PublicVar.h"

#include "platform/registry/Registry.h"
#include "platform/registry/RegistryFixture.h"

#include "BoxRecorder.h"
#include "FakeLinkClock.h"
#include "QtPrinters.h"
#include "ScriptedPort.h"

#include <optional>
#include <set>
#include <string>

namespace tessaro::test {

class RefusingPort : public ScriptedPort {
public:
    using ScriptedPort::ScriptedPort;
    bool configure(const LineSettings& s, QString& detail) override
    {
        if (refuse && refuse(s)) {
            detail = QStringLiteral("the device keeps its framing");
            return false;
        }
        return ScriptedPort::configure(s, detail);
    }
    std::function<bool(const LineSettings&)> refuse;
};

class PortFixture : public torvane::test::RegistryFixture {
protected:
    void SetUp() override
    {
        RegistryFixture::SetUp();
        auto owned = std::make_unique<RefusingPort>(clock);
        port = owned.get();
        ComDrvLoad(std::move(owned), clock);
        previousProbe = setPortProbe([this](int n) {
            ++probes;
            return present.contains(n);
        });
        ComPort = 5;
        ComTimeout = 3000;
        Infrared = 0;
        InfraredDelay = 900;
        IrdaEffectiveDelay = 1;
        InfraredPort = -1;
        LanguageBase = 10000;
        comm().setCommPort(5);
        comm().setSettings(QStringLiteral("19200,n,8,1"));
        comm().setHandshaking(2);
    }
    void TearDown() override
    {
        setPortProbe(std::move(previousProbe));
        ComDrvUnload();
        LanguageBase = 10000;
    }

    CommControl& comm() { return ComDrvForm().MSComm1; }

    static std::optional<std::int32_t> stored(const char* name)
    {
        const auto v = torvane::registry::readDword(HKEY_CURRENT_USER, kSettings, name);
        return v ? std::optional<std::int32_t>(std::int32_t(*v)) : std::nullopt;
    }
    static std::optional<std::string> storedText(const char* name)
    {
        return torvane::registry::readString(HKEY_CURRENT_USER, kSettings, name);
    }
    static void store(const char* name, DWORD value)
    {
        ASSERT_EQ(torvane::registry::writeDword(HKEY_CURRENT_USER, kSettings, name, value), ERROR_SUCCESS);
    }

    static constexpr const char* kSettings = "Software\\Torvane\\Tessaro\\Settings";
    FakeLinkClock clock;
    RefusingPort* port = nullptr;
    BoxRecorder boxes;
    std::set<int> present = {2, 5, 7};
    int probes = 0;
    PortProbe previousProbe;
};

} // namespace tessaro::test
