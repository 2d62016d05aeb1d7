// The suite's roads through the real corvant program, with the simulated phone paced at 19200
// baud both ways:
// - 50 phonebook entries written and 250 read, requested from this process as the phonebook
//   editor makes its requests (each write once the one before is answered);
// - a message of 5 parts sent from the spool folder;
// - a melody of 1000 bytes uploaded, requested as the melody editor does.
// Each is reported as its time over the time the bytes of its exchange need on that line, both
// directions added (10 bits a byte): `ratio`.
//
// Target: within 1.2 times the line time, besides the fixed waits. Corvant's reader thread looks
// at the port every 50 ms, so an answer may wait up to that long before corvant sees it: of each
// of corvant's turns (from the phone's last byte of an answer to the first byte of the next
// command, or to the end) the first 50 ms are counted as `fixed_wait_s`, and
// `ratio_besides_fixed` is (time - fixed_wait_s) / line time. The message is found by the spool
// poll every 15 s, after that poll's status check: its time runs from its first part's command to
// the phone's last answer. Corvant pumps at its own 500 ms; for the other roads its 15-second poll
// is moved out of the way, so that no status check runs in the middle of what is measured.
#include "engine/zeldll.h"
#include "mainprog/core/SuiteSettings.h"
#include "platform/messaging/Messaging.h"
#include "platform/serial/SerialPortName.h"
#include "support/MessagesUntil.h"
#include "support/PeerProcess.h"
#include "tools/phonesim/MelodyCommands.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/PhonebookCommands.h"
#include "tools/phonesim/SmsCommands.h"

#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using torvane::phonesim::MelodyCommands;
using torvane::phonesim::PhonebookCommands;
using torvane::phonesim::PhoneSim;
using torvane::phonesim::SmsCommands;
using torvane::phonesim::Transcript;

constexpr int kBaud = 19200;
constexpr double kTargetRatio = 1.2;
constexpr double kReaderNapSeconds = 0.05;
constexpr char kProductTimers[] = "500,15000";
constexpr char kTimersWithoutPoll[] = "500,3600000";
constexpr int kWrites = 50;
constexpr int kReadEntries = 250;
constexpr int kSmsParts = 5;
constexpr int kSmsPartChars = 152;
constexpr int kMelodyBytes = 1000;
constexpr UINT WM_READ_DONE = WM_USER + 101;
constexpr UINT WM_WRITE_DONE = WM_USER + 102;
constexpr UINT WM_MELODY_DONE = WM_USER + 100;

double lineSeconds(std::size_t bytes)
{
    return double(bytes) * 10.0 / kBaud;
}

// What crossed the line between two moments: the bytes each way, and the waits for corvant. A
// turn is corvant's: from the phone's last byte of an answer to the first byte of the next
// command (or to `until`, when the phone answered last); its first 50 ms are the reader's.
struct Traffic {
    std::size_t toPhone = 0;
    std::size_t fromPhone = 0;
    int turns = 0;
    double readerWait = 0;
    Clock::time_point lastFromPhone {};
};

bool endsCommand(char c)
{
    return c == '\r' || c == 26; // a command line, or a hex payload
}

Traffic trafficBetween(const Transcript& transcript, Clock::time_point from, Clock::time_point until)
{
    const auto byteTime = std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(lineSeconds(1)));
    Traffic t;
    bool inCommand = false;
    std::optional<Clock::time_point> answered; // the phone's last byte since the last it took
    const auto turn = [&](Clock::time_point next) {
        ++t.turns;
        t.readerWait += std::clamp(std::chrono::duration<double>(next - *answered).count(), 0.0, kReaderNapSeconds);
    };
    for (const Transcript::Entry& e : transcript.entries()) {
        if (e.at < from || e.at > until || e.bytes.empty())
            continue;
        if (e.direction == Transcript::Direction::In) {
            t.toPhone += e.bytes.size();
            if (!inCommand && answered)
                turn(e.at - byteTime);
            inCommand = !endsCommand(e.bytes.back());
            answered.reset();
        } else if (e.direction == Transcript::Direction::Out) {
            t.fromPhone += e.bytes.size();
            t.lastFromPhone = e.at;
            answered = e.at;
        }
    }
    if (answered)
        turn(until);
    return t;
}

// When the first byte of `command` began to cross to the phone (what the phone takes is recorded
// as it arrives, a command possibly in several pieces).
std::optional<Clock::time_point> firstSent(const Transcript& transcript, const std::string& command)
{
    const std::size_t at = transcript.received().find(command);
    if (at == std::string::npos)
        return std::nullopt;
    std::size_t offset = 0;
    for (const Transcript::Entry& e : transcript.entries()) {
        if (e.direction != Transcript::Direction::In)
            continue;
        if (at < offset + e.bytes.size())
            return e.at - std::chrono::duration_cast<Clock::duration>(
                              std::chrono::duration<double>(lineSeconds(at - offset + 1)));
        offset += e.bytes.size();
    }
    return std::nullopt;
}

void report(benchmark::State& state, double seconds, const Traffic& t)
{
    const double line = lineSeconds(t.toPhone + t.fromPhone);
    const double besides = (seconds - t.readerWait) / line;
    state.SetIterationTime(seconds);
    state.counters["to_phone_bytes"] = double(t.toPhone);
    state.counters["from_phone_bytes"] = double(t.fromPhone);
    state.counters["to_phone_line_s"] = lineSeconds(t.toPhone);
    state.counters["from_phone_line_s"] = lineSeconds(t.fromPhone);
    state.counters["line_s"] = line;
    state.counters["ratio"] = seconds / line;
    state.counters["fixed_wait_s"] = t.readerWait;
    state.counters["ratio_besides_fixed"] = besides;
    state.counters["target_met"] = besides <= kTargetRatio ? 1 : 0;
    state.SetLabel("fixed waits: up to 50 ms of each of corvant's " + std::to_string(t.turns)
                   + " turns, while its reader sleeps");
}

// This process's requester window: it keeps every answer.
class AnswerWindow : public messaging::MessageHandler {
public:
    struct Answer {
        UINT message;
        long result;
    };
    std::vector<Answer> answers;

    LRESULT handleMessage(UINT message, WPARAM, LPARAM lParam) override
    {
        answers.push_back({message, long(lParam)});
        return 0;
    }
};

// The benchmark looks at the transcript often, so a road's end is seen when it comes.
bool waitFor(const std::function<bool()>& done, std::chrono::milliseconds within)
{
    return torvane::test::waitFor(done, within, 5);
}

// Corvant started on the paced phone in this run's private folders, and ended with its window.
class CorvantRun {
public:
    explicit CorvantRun(const char* timers)
    {
        const std::string folder = std::getenv("BENCH_CORVANT_ROADS_PRIVATE");
        spoolRoot_ = folder + "/spool/";
        std::filesystem::create_directories(spoolRoot_);
        auto profile = corvant::corvantProfile();
        profile.WriteProfileString(corvant::section::MapiServer, corvant::value::SpoolDir, spoolRoot_);
        profile.WriteProfileInt(corvant::section::MapiServer, corvant::value::Preview, 0);
        profile.WriteProfileInt(corvant::section::MapiServer, corvant::value::MaxParts, kSmsParts);
        // Boxes take their default answers and are logged: any box is a fault of the run.
        logPath_ = folder + "/boxes.log";
        std::filesystem::remove(logPath_);
        std::ofstream(folder + "/boxes.script").close();
        setenv("TORVANE_UI_SCRIPT", (folder + "/boxes.script").c_str(), 1);
        setenv("TORVANE_UI_LOG", logPath_.c_str(), 1);
        setenv("CORVANT_TIMER_PERIODS", timers, 1);
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        window_ = messaging::registerWindow(&answers_);
    }

    ~CorvantRun()
    {
        if (corvant_ && corvant_->started()) {
            if (const HWND frame = FindWindowByTitlePrefix("Quorvane 3.0", 39))
                PostMessage(frame, WM_CLOSE, 0, 0);
            corvant_->waitExit(30s);
        }
        corvant_.reset();
        messaging::unregisterWindow(window_);
        sim.stop();
    }

    // Empty, or why the run cannot go on.
    std::string start()
    {
        sim.setBaudRate(kBaud);
        std::string error;
        if (!sim.start(torvane::serial::portLinkFolder() + "/COM1", &error))
            return error;
        corvant_ = std::make_unique<torvane::test::PeerProcess>(CORVANT_PROGRAM);
        if (!corvant_->started())
            return "corvant did not start";
        // The engine's mutex exists once corvant has initialised the engine.
        int slot = -1;
        if (!waitFor([&] { return (slot = ATStatusReg(window_, WM_PHONE_STATE)) >= 0; }, 30s))
            return "corvant did not come up";
        ATStatusDeReg(slot);
        return {};
    }

    HWND window() const { return window_; }
    const std::string& spoolRoot() const { return spoolRoot_; }

    // The next answer with this message (earlier ones are taken in order).
    std::optional<long> answer(UINT message, std::chrono::milliseconds within = 60s)
    {
        std::optional<long> found;
        waitFor([&] {
            for (; taken_ < answers_.answers.size() && !found; ++taken_)
                if (answers_.answers[taken_].message == message)
                    found = answers_.answers[taken_].result;
            return found.has_value();
        }, within);
        return found;
    }

    bool boxShown() const { return std::filesystem::exists(logPath_) && std::filesystem::file_size(logPath_) > 0; }

    PhoneSim sim;

private:
    AnswerWindow answers_;
    HWND window_ = 0;
    std::size_t taken_ = 0;
    std::string spoolRoot_;
    std::string logPath_;
    std::unique_ptr<torvane::test::PeerProcess> corvant_;
};

void BM_PhonebookWrite50(benchmark::State& state)
{
    CorvantRun run(kTimersWithoutPoll);
    if (const std::string error = run.start(); !error.empty())
        return state.SkipWithError(error.c_str());
    for (auto _ : state) {
        const auto start = Clock::now();
        bool ok = true;
        for (int i = 1; i <= kWrites && ok; ++i) {
            const std::string text = "Name " + std::to_string(1000 + i);
            const std::string number = "+49301" + std::to_string(100000 + i);
            ATPBWrite(run.window(), WM_WRITE_DONE, "SM", i, text.c_str(), number.c_str());
            ok = run.answer(WM_WRITE_DONE) == RESULT_OK;
        }
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        const auto stored = run.sim.withModule<PhonebookCommands>([](PhonebookCommands& p) {
            return p.storages["SM"].entries.size();
        });
        if (!ok || stored != std::size_t(kWrites) || run.boxShown())
            return state.SkipWithError("the entries were not all written");
        report(state, seconds, trafficBetween(run.sim.transcript(), start, end));
    }
}
BENCHMARK(BM_PhonebookWrite50)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_PhonebookRead250(benchmark::State& state)
{
    CorvantRun run(kTimersWithoutPoll);
    // Entries of 2 + 10 + 12 bytes, so that all 250 fit the result area.
    run.sim.withModule<PhonebookCommands>([](PhonebookCommands& p) {
        PhonebookCommands::Storage storage {1, kReadEntries, 12, 10, false, {}};
        for (int i = 1; i <= kReadEntries; ++i)
            storage.entries[i] = {"+49301" + std::to_string(100000 + i), 145, "Name " + std::to_string(1000 + i)};
        p.storages["ME"] = storage;
        return 0;
    });
    if (const std::string error = run.start(); !error.empty())
        return state.SkipWithError(error.c_str());
    for (auto _ : state) {
        const auto start = Clock::now();
        ATPBRead(run.window(), WM_READ_DONE, "ME");
        const auto result = run.answer(WM_READ_DONE);
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        const PBResult* read = ATPBGet();
        if (result != RESULT_OK || !read || read->count != kReadEntries || run.boxShown())
            return state.SkipWithError("the read did not give every entry");
        report(state, seconds, trafficBetween(run.sim.transcript(), start, end));
    }
}
BENCHMARK(BM_PhonebookRead250)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_SmsOfFivePartsFromTheSpool(benchmark::State& state)
{
    CorvantRun run(kProductTimers);
    if (const std::string error = run.start(); !error.empty())
        return state.SkipWithError(error.c_str());
    const std::string outbox = run.spoolRoot() + "sms_out/";
    std::filesystem::create_directories(outbox);
    std::string body;
    for (int i = 0; i < kSmsParts * kSmsPartChars; ++i)
        body += char('a' + i % 26);
    for (auto _ : state) {
        const std::string path = outbox + "SMSbench.tmp";
        std::ofstream(path, std::ios::binary) << "**Rufnummer: Bench [+491701234567]\r\n**TextBody:\r\n" << body
                                              << "\r\n*** End of Message ***\r\n";
        // Found by the next poll; the message is done when its file is gone.
        if (!waitFor([&] { return !std::filesystem::exists(path); }, 120s))
            return state.SkipWithError("the message was not sent");
        const auto handed = run.sim.withModule<SmsCommands>([](SmsCommands& m) { return m.handed.size(); });
        const auto first = firstSent(run.sim.transcript(), "AT+CMGS=");
        if (handed != std::size_t(kSmsParts) || !first || run.boxShown())
            return state.SkipWithError("the message did not go as five parts");
        // Until the phone's last answer: what corvant does after it is not the line's.
        const auto last = trafficBetween(run.sim.transcript(), *first, Clock::now()).lastFromPhone;
        report(state, std::chrono::duration<double>(last - *first).count(),
               trafficBetween(run.sim.transcript(), *first, last));
    }
}
BENCHMARK(BM_SmsOfFivePartsFromTheSpool)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_MelodyUpload(benchmark::State& state)
{
    CorvantRun run(kTimersWithoutPoll);
    if (const std::string error = run.start(); !error.empty())
        return state.SkipWithError(error.c_str());
    std::string melody(kMelodyBytes, '\0');
    for (int i = 0; i < kMelodyBytes; ++i)
        melody[std::size_t(i)] = char(i * 7);
    for (auto _ : state) {
        const auto start = Clock::now();
        ATMelWrite(run.window(), WM_MELODY_DONE, melody.data(), kMelodyBytes);
        const auto result = run.answer(WM_MELODY_DONE);
        const auto end = Clock::now();
        const double seconds = std::chrono::duration<double>(end - start).count();
        const std::string uploaded = run.sim.withModule<MelodyCommands>([](MelodyCommands& m) { return m.melody; });
        if (result != RESULT_OK || uploaded != melody || run.boxShown())
            return state.SkipWithError("the melody was not uploaded");
        report(state, seconds, trafficBetween(run.sim.transcript(), start, end));
    }
}
BENCHMARK(BM_MelodyUpload)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    return benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_CORVANT_ROADS_PRIVATE");
}
