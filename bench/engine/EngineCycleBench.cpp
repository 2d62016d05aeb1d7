// One ZelDllCycle step, with no job, with a status-check step and with job steps, and proof that
// it allocates nothing: every heap allocation made inside the measured loops is counted, shown as the
// "allocations" counter, and makes the program fail.
#include "AllocationCounter.h"

#include "engine/Engine.h"
#include "engine/EngineServices.h"
#include "engine/Requests.h"
#include "engine/zeldll.h"

#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

namespace {

std::uint64_t g_allocations = 0;

class QuietServices : public zel::EngineServices {
public:
    std::uint32_t now = 0;
    std::uint32_t tickCount() override { return now; }
    bool postMessage(HWND, UINT, WPARAM, LPARAM) override { return true; }
    LRESULT sendMessage(HWND, UINT, WPARAM, LPARAM) override { return 0; }
};

void report(benchmark::State& state, std::uint64_t allocations)
{
    g_allocations += allocations;
    state.counters["allocations"] = double(allocations);
}

void BM_CycleNoJob(benchmark::State& state)
{
    auto shared = std::make_unique<EngineShared>();
    QuietServices services;
    zel::Engine engine(*shared, services);
    char* command = nullptr;
    benchalloc::startCounting();
    for (auto _ : state) {
        engine.cycle(nullptr, &command, PORT_DSR_ON);
        benchmark::DoNotOptimize(command);
    }
    report(state, benchalloc::stopCounting());
}
BENCHMARK(BM_CycleNoJob);

// The status check waiting for the registration answer: each line is parsed, sets the status
// and re-arms the deadline, so the check stays in this step for every iteration.
void BM_CycleStatusCheckStep(benchmark::State& state)
{
    auto shared = std::make_unique<EngineShared>();
    QuietServices services;
    zel::Engine engine(*shared, services);
    engine.requestStatusCheck(1, WM_USER + 11);
    char* command = nullptr;
    const char* dialogue[] = {nullptr, nullptr, "OK", "TORVANE", "OK", "+CPIN: READY", "OK"};
    for (const char* line : dialogue)
        engine.cycle(line, &command, PORT_DSR_ON);
    if (engine.local().statusCheck.state != zel::STATUS_WAIT_CREG)
        state.SkipWithError("status check did not reach the registration step");
    benchalloc::startCounting();
    for (auto _ : state) {
        ++services.now;
        engine.cycle("+CREG: 0,1", &command, PORT_DSR_ON);
        benchmark::DoNotOptimize(command);
    }
    report(state, benchalloc::stopCounting());
}
BENCHMARK(BM_CycleStatusCheckStep);

// A whole status check, request to answer, with the PIN sent and the check run again.
void BM_StatusCheckWholeDialogue(benchmark::State& state)
{
    auto shared = std::make_unique<EngineShared>();
    QuietServices services;
    zel::Engine engine(*shared, services);
    std::snprintf(shared->simPin, sizeof shared->simPin, "%s", "1234");
    const char* dialogue[] = {nullptr, nullptr, "ATE1Q0V1", "OK", "TORVANE", "OK", "+CPIN: SIM PIN", "OK",
                              "^SPIC: 3", "OK", "OK", nullptr, "OK", "TORVANE", "OK", "+CPIN: READY", "OK",
                              "+CREG: 0,1", "OK", "+CBC: 0,80", "OK", "+CSQ: 20,99", "OK"};
    char* command = nullptr;
    benchalloc::startCounting();
    for (auto _ : state) {
        engine.requestStatusCheck(1, WM_USER + 11);
        for (const char* line : dialogue)
            engine.cycle(line, &command, PORT_DSR_ON);
        benchmark::DoNotOptimize(command);
    }
    const std::uint64_t allocations = benchalloc::stopCounting();
    if (engine.local().statusCheck.state != zel::STATUS_IDLE)
        state.SkipWithError("status check did not end");
    report(state, allocations);
}
BENCHMARK(BM_StatusCheckWholeDialogue);

// The phonebook read taking one listed entry per cycle (the area fills, and the lines go on being
// read and counted out).
void BM_CyclePhonebookEntry(benchmark::State& state)
{
    auto shared = std::make_unique<EngineShared>();
    QuietServices services;
    zel::Engine engine(*shared, services);
    zel::requestPhonebookRead(*shared, 1, WM_USER + 101, "SM");
    char* command = nullptr;
    for (const char* line : {static_cast<const char*>(nullptr), "OK", "+CPBR: (1-250),20,14", "OK"})
        engine.cycle(line, &command, PORT_DSR_ON);
    benchalloc::startCounting();
    for (auto _ : state) {
        ++services.now;
        engine.cycle("+CPBR: 17,\"+491701234567\",145,\"Anna Beispiel\"", &command, PORT_DSR_ON);
        benchmark::DoNotOptimize(command);
    }
    report(state, benchalloc::stopCounting());
}
BENCHMARK(BM_CyclePhonebookEntry);

// A whole SMS read: listing, PDU decode with its time stamp, and the answer.
void BM_SmsReadWholeDialogue(benchmark::State& state)
{
    auto shared = std::make_unique<EngineShared>();
    QuietServices services;
    zel::Engine engine(*shared, services);
    const char* dialogue[] = {nullptr, "^SMGL: 3,0,,30",
                              "07911326040000F0040B911346610089F60000208062917314080CC8F71D14969741F977FD07", "OK"};
    char* command = nullptr;
    auto read = [&] {
        zel::requestSmsRead(*shared, 1, WM_USER + 102);
        for (const char* line : dialogue)
            engine.cycle(line, &command, PORT_DSR_ON);
    };
    read(); // the first local-time conversion loads the zone rules once
    benchalloc::startCounting();
    for (auto _ : state) {
        read();
        benchmark::DoNotOptimize(command);
    }
    const std::uint64_t allocations = benchalloc::stopCounting();
    if (!shared->smResult.text)
        state.SkipWithError("the read gave no message");
    report(state, allocations);
}
BENCHMARK(BM_SmsReadWholeDialogue);

// A whole SMS send: alphabet mapping, PDU build, prompt and answers.
void BM_SmsSendWholeDialogue(benchmark::State& state)
{
    auto shared = std::make_unique<EngineShared>();
    QuietServices services;
    zel::Engine engine(*shared, services);
    const std::string text(152, 'x');
    const char* dialogue[] = {nullptr, ">", "+CMGS: 1", "OK"};
    char* command = nullptr;
    benchalloc::startCounting();
    for (auto _ : state) {
        zel::requestSmsSend(*shared, 1, WM_USER + 103, "+491701234567", text.data(), int(text.size()), 42, 2, 3, -1,
                            "+491710760000", 167);
        for (const char* line : dialogue)
            engine.cycle(line, &command, PORT_DSR_ON);
        benchmark::DoNotOptimize(command);
    }
    report(state, benchalloc::stopCounting());
}
BENCHMARK(BM_SmsSendWholeDialogue);

// The export itself, as the port owner calls it, on the program's private shared section.
void BM_ZelDllCycleExportNoJob(benchmark::State& state)
{
    char* command = nullptr;
    ZelDllCycle(nullptr, &command, PORT_DSR_ON);
    benchalloc::startCounting();
    for (auto _ : state) {
        ZelDllCycle(nullptr, &command, PORT_DSR_ON);
        benchmark::DoNotOptimize(command);
    }
    report(state, benchalloc::stopCounting());
}
BENCHMARK(BM_ZelDllCycleExportNoJob);

} // namespace

int main(int argc, char** argv)
{
    const int result = benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_ENGINE_PRIVATE");
    if (result != 0)
        return result;
    if (g_allocations != 0) {
        std::fprintf(stderr, "FAIL: the engine cycle allocated %llu times on the heap\n",
                     static_cast<unsigned long long>(g_allocations));
        return 1;
    }
    std::printf("no heap allocation in any measured cycle\n");
    return 0;
}
