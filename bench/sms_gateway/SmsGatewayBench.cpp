// A 10-part message (1520 characters) through the SMS gateway: a spool file in the outbox, the
// manager with the real engine, the simulated phone paced at 19200 baud both ways. Reported per
// part: the time from the scan to the file's deletion divided by the parts, beside the time the
// bytes of the exchange alone need on that line (10 bits a byte), each direction's and the busier
// one's: the phone echoes what it receives, so the two directions overlap.
#include "mainprog/core/CSmsManager.h"
#include "mainprog/core/HostMessages.h"
#include "mainprog/core/SpoolFileSystem.h"
#include "mainprog/engine/ZelSmsEngine.h"
#include "platform/registry/AppProfile.h"
#include "platform/serial/SerialPortName.h"
#include "support/EngineLinePump.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/SmsCommands.h"

#include "bench/support/LineTraffic.h"
#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using torvane::phonesim::PhoneSim;
using torvane::phonesim::SmsCommands;

constexpr int kBaud = 19200;
constexpr int kParts = 10;

// The benchmark shows no boxes; any box is a fault of the run.
class NoDialogs : public corvant::SmsDialogs {
public:
    int shown = 0;
    int messageBox(bool, const std::string&, const std::string&, UINT) override { return ++shown, 1; }
    PreviewChoice preview(const std::string&, const std::string&, const std::string&) override { return {}; }
};

void BM_TenPartMessageAt19200(benchmark::State& state)
{
    PhoneSim sim;
    sim.setBaudRate(kBaud);
    std::string error;
    torvane::test::EngineLinePump pump;
    if (!sim.start(torvane::serial::portLinkFolder() + "/COM1", &error) || !pump.open("COM1", &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    const std::string root = std::string(std::getenv("BENCH_SMS_GATEWAY_PRIVATE")) + "/spool/";
    torvane::registry::AppProfile profile("TorvaneBench", "SmsGateway");
    profile.WriteProfileString("MAPIServer", "KONF_SMS_DIR", root);
    profile.WriteProfileInt("MAPIServer", "KONF_PREVIEW", 0);
    profile.WriteProfileInt("MAPIServer", "KONF_SM_MAX_ANZAHL", kParts);
    std::filesystem::create_directories(root);

    corvant::ZelSmsEngine engine;
    corvant::PosixSpoolFileSystem files;
    NoDialogs dialogs;
    corvant::SystemSmsClock clock;
    corvant::CSmsManager manager(engine, files, dialogs, clock, profile, pump.window(), "/dev/null");
    manager.Configure();

    std::string body;
    for (int i = 0; i < kParts * 152; ++i)
        body += static_cast<char>('a' + i % 26);
    double lineSeconds = 0;
    benchsupport::LineTraffic traffic(sim.transcript(), kBaud);
    for (auto _ : state) {
        const std::string path = manager.outboxDirectory() + "SMSbench.tmp";
        std::ofstream(path, std::ios::binary) << "**Rufnummer: Bench [+491701234567]\r\n**TextBody:\r\n" << body
                                              << "\r\n*** End of Message ***\r\n";
        traffic.restart();
        const auto start = Clock::now();
        manager.ScanOutbox();
        bool ok = true;
        while (std::filesystem::exists(path)) {
            const auto answer = pump.waitForAnswer(corvant::WM_SMS_SEND_DONE, std::chrono::seconds(60));
            if (answer.lParam != 0 || dialogs.shown != 0) {
                ok = false;
                break;
            }
            manager.OnPartSent(static_cast<int>(answer.lParam));
        }
        const double elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const auto handed = sim.withModule<SmsCommands>([](SmsCommands& m) { return m.handed.size(); });
        if (!ok || handed < static_cast<size_t>(kParts)) {
            state.SkipWithError("the message did not go as ten parts");
            break;
        }
        sim.withModule<SmsCommands>([](SmsCommands& m) { return m.handed.clear(), 0; });
        state.SetIterationTime(elapsed / kParts);
        // The line is full duplex: the busier direction bounds the time the bytes need.
        traffic.report(state, kParts);
        lineSeconds = traffic.seconds(std::max(traffic.fromPhoneBytes(), traffic.toPhoneBytes())) / kParts;
    }
    state.counters["line_s_per_part"] = lineSeconds;
    sim.stop();
}
BENCHMARK(BM_TenPartMessageAt19200)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_SMS_GATEWAY_PRIVATE");
}
