// The organizer's link against the simulated phone paced at 19200 baud both ways: reading 50
// filled locations (the read command's road: opening with the handshake, one object read per
// location, closing), and writing 20 entries one by one (opening, then per entry the upload state
// question and its blocks). Each is reported beside the line time of the bytes that crossed the
// line, counted from the phone's transcript: commands and answers take turns (no echo after the
// handshake), so the line time is that of both directions together. The fixed waits of the
// protocol (the handshake's settling time, TransferPause between steps) are measured apart, as
// the time the link spends in its pause and handshake timers, and left out of the ratio.
// Target: at most 1.3 times the line time.
#include "organizer/link/ComDrv.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/ReadMobile.h"
#include "organizer/link/VCalCodec.h"
#include "platform/serial/SerialPortName.h"
#include "tools/phonesim/ObjectStoreCommands.h"
#include "tools/phonesim/PhoneSim.h"

#include "bench/support/LineTraffic.h"
#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <QCoreApplication>

#include <chrono>

namespace {

using Clock = std::chrono::steady_clock;
using torvane::phonesim::ObjectStoreCommands;
using torvane::phonesim::PhoneSim;

constexpr int kBaud = 19200;
constexpr double kTargetRatio = 1.3;
constexpr int kComPort = 1;

// The real clock, keeping count of the time the link spends waiting on its fixed timers.
class PauseCountingClock : public tessaro::RealLinkClock {
public:
    void doEvents(std::int64_t nextDueMs) override
    {
        tessaro::ComDrv& form = tessaro::ComDrvForm();
        const bool pausing = form.DebugTimer.Enabled() || form.IrDaTimer.Enabled();
        const auto start = Clock::now();
        RealLinkClock::doEvents(nextDueMs);
        if (pausing)
            paused += Clock::now() - start;
    }
    Clock::duration paused {};
};

// Entries of every category, with and without alarms and series, texts as long as a phone holds.
tessaro::PhoneEntry entryFor(int n)
{
    using namespace tessaro;
    static const char* const rules[] = {nullptr, "D1", "W1", "Y1"};
    PhoneEntry e;
    e.StartTime = makeVbDate(2027, 1 + n % 12, 1 + n % 28, 8 + n % 10, (n * 5) % 60, 0);
    e.IsMemo = n % 4 == 0 ? FlagTrue : FlagFalse;
    e.IsMeeting = n % 4 == 1 ? FlagTrue : FlagFalse;
    e.IsAnniversary = n % 4 == 2 ? FlagTrue : FlagFalse;
    e.IsPhoneCall = n % 4 == 3 ? FlagTrue : FlagFalse;
    if (n % 3 == 0) {
        e.DAlarmSet = FlagTrue;
        e.DAlarm = e.StartTime - 0.25 / 24;
    }
    if (const char* rule = rules[n % 4]) {
        e.IsSerie = FlagTrue;
        e.RRule = QLatin1String(rule);
    }
    e.Description = QStringLiteral("Planning no. %1").arg(n); // as long as the phone takes
    e.Summary = QStringLiteral("+49 30 5550%1").arg(100 + n);
    e.LocationIndex = std::int16_t(n);
    return e;
}

// The phone, the link on it, and the counts of one measured road.
class LinkBench {
public:
    explicit LinkBench(benchmark::State& state) : m_state(state)
    {
        tessaro::setMessageBoxHandler([this](const QString&, int, const QString&) { return ++m_boxes, tessaro::vbOK; });
        m_sim.setBaudRate(kBaud);
        std::string error;
        if (!m_sim.start(torvane::serial::portLinkFolder() + "/COM" + std::to_string(kComPort), &error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        tessaro::ComDrvLoad(tessaro::makePlatformSerialBackend(), m_clock).MSComm1.setCommPort(kComPort);
        m_ready = true;
    }
    ~LinkBench()
    {
        tessaro::ComDrvUnload();
        tessaro::setMessageBoxHandler({});
        m_sim.stop();
    }

    bool ready() const { return m_ready; }
    PhoneSim& sim() { return m_sim; }

    void begin()
    {
        m_traffic.restart();
        m_clock.paused = {};
        m_start = Clock::now();
    }
    // False (and the run skipped) when the road failed or showed a box.
    bool end(bool ok, const char* what)
    {
        const double elapsed = std::chrono::duration<double>(Clock::now() - m_start).count();
        if (!ok || m_boxes != 0) {
            m_state.SkipWithError(what);
            return false;
        }
        const double lineSeconds = m_traffic.seconds(m_traffic.toPhoneBytes() + m_traffic.fromPhoneBytes());
        const double pauseSeconds = std::chrono::duration<double>(m_clock.paused).count();
        const double ratio = (elapsed - pauseSeconds) / lineSeconds;
        m_state.SetIterationTime(elapsed);
        m_traffic.report(m_state);
        m_state.counters["line_s"] = lineSeconds;
        m_state.counters["pause_s"] = pauseSeconds;
        m_state.counters["ratio"] = ratio;
        m_state.counters["within_target"] = ratio <= kTargetRatio ? 1 : 0;
        return true;
    }

private:
    benchmark::State& m_state;
    PhoneSim m_sim;
    PauseCountingClock m_clock;
    int m_boxes = 0;
    bool m_ready = false;
    benchsupport::LineTraffic m_traffic {m_sim.transcript(), kBaud};
    Clock::time_point m_start;
};

void BM_ReadFilledLocationsAt19200(benchmark::State& state)
{
    using namespace tessaro;
    const int locations = int(state.range(0));
    LinkBench bench(state);
    if (!bench.ready())
        return;
    bench.sim().withModule<ObjectStoreCommands>([locations](ObjectStoreCommands& store) {
        store.ranges["vcs"] = {1, locations};
        for (int n = 1; n <= locations; ++n)
            store.objects["vcs"][n] =
                ObjectStoreCommands::phoneForm(VCalTextToBytes(BuildVCalText(entryFor(n))).toStdString());
        return 0;
    });
    for (auto _ : state) {
        // The phone was identified at start-up; the read command reads its range.
        PhoneEntryTable = EntryTable();
        MobileConnected = true;
        MobileEntriesRead = false;
        SetLocationRange(1, std::int16_t(locations));
        bench.begin();
        const bool ok = ReadMobile(true);
        if (!bench.end(ok && PhoneEntryTable.Count == locations, "not every location was read"))
            break;
    }
}
BENCHMARK(BM_ReadFilledLocationsAt19200)->Arg(50)->Arg(5)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_WriteEntriesAt19200(benchmark::State& state)
{
    using namespace tessaro;
    const int entries = int(state.range(0));
    LinkBench bench(state);
    if (!bench.ready())
        return;
    for (auto _ : state) {
        bench.sim().withModule<ObjectStoreCommands>([](ObjectStoreCommands& store) { return store.objects.clear(), 0; });
        bench.begin();
        bool ok = true;
        for (int n = 1; n <= entries && ok; ++n)
            ok = SendSingleEntry(entryFor(n));
        CloseComm();
        const auto stored = bench.sim().withModule<ObjectStoreCommands>(
            [](ObjectStoreCommands& store) { return store.objects["vcs"].size(); });
        if (!bench.end(ok && stored == std::size_t(entries), "not every entry was written"))
            break;
    }
}
BENCHMARK(BM_WriteEntriesAt19200)->Arg(20)->Arg(2)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    return benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_ORGANIZER_LINK_PRIVATE");
}
