// Reading a phonebook of 250 entries from the simulated phone paced at 19200 baud, from the
// request to the answer, through the engine's exports with this process as its owner; beside
// it the time the bytes from the phone take on that line (10 bits a byte), the busier direction by
// far; the bytes and line time of each direction stand beside it. The overhead of the engine and
// its pump is the difference.
#include "engine/zeldll.h"
#include "platform/serial/SerialPortName.h"
#include "support/EngineLinePump.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/PhonebookCommands.h"

#include "bench/support/LineTraffic.h"
#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;
using torvane::phonesim::PhonebookCommands;
using torvane::phonesim::PhoneSim;

constexpr int kBaud = 19200;
constexpr UINT WM_READ_DONE = WM_USER + 101;

void BM_PhonebookReadAt19200(benchmark::State& state)
{
    const int entries = int(state.range(0));
    PhoneSim sim;
    // Entries of 2 + 10 + 12 bytes, so that all 250 fit the result area.
    sim.withModule<PhonebookCommands>([entries](PhonebookCommands& p) {
        PhonebookCommands::Storage storage{1, 250, 12, 10, false, {}};
        for (int i = 1; i <= entries; ++i)
            storage.entries[i] = {"+49301" + std::to_string(100000 + i), 145, "Name " + std::to_string(1000 + i)};
        p.storages["ME"] = storage;
    });
    sim.setBaudRate(kBaud);
    std::string error;
    torvane::test::EngineLinePump pump;
    if (!sim.start(torvane::serial::portLinkFolder() + "/COM1", &error) || !pump.open("COM1", &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    benchsupport::LineTraffic traffic(sim.transcript(), kBaud);
    for (auto _ : state) {
        traffic.restart();
        const auto start = Clock::now();
        ATPBRead(pump.window(), WM_READ_DONE, "ME");
        const auto answer = pump.waitForAnswer(WM_READ_DONE, std::chrono::seconds(60));
        const auto elapsed = std::chrono::duration<double>(Clock::now() - start).count();
        const PBResult* result = ATPBGet();
        if (answer.lParam != RESULT_OK || !result || result->count != entries) {
            state.SkipWithError("the read did not give every entry");
            break;
        }
        state.SetIterationTime(elapsed);
        traffic.report(state);
        state.counters["line_s"] = traffic.seconds(traffic.fromPhoneBytes());
    }
    sim.stop();
}
BENCHMARK(BM_PhonebookReadAt19200)->Arg(250)->Arg(25)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_ENGINE_JOBS_PRIVATE");
}
