// The phonebook editor's two loads:
// - an address book folder of 2,000 cards with 20 distribution lists opened by the editor's
//   form (offscreen): the session, the folder walk, the cards read into the list (which holds
//   the first 1,000), the list filled and sorted by name; then sorted again by index. Target:
//   under 0.5 s for the opening.
// - the SIM directory of 250 entries read through the engine from the simulated phone paced at
//   19200 baud both ways, into the form's model and its sorted order. Target: within one line
//   time (10 bits a byte of what the phone sent, the busier direction by far) plus one pump tick
//   of 500 ms for the job to start; the bytes and line time of each direction stand beside it.
#include "engine/zeldll.h"
#include "phonebook/engine/ZeldllPhoneEngine.h"
#include "phonebook/model/ListSort.h"
#include "phonebook/ui/CDlgView.h"
#include "platform/serial/SerialPortName.h"
#include "support/EngineLinePump.h"
#include "tools/phonesim/PhoneSim.h"
#include "tools/phonesim/PhonebookCommands.h"

#include "bench/support/LineTraffic.h"
#include "bench/support/PrivateFolders.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QHeaderView>
#include <QTreeWidget>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;
using torvane::phonesim::PhonebookCommands;
using torvane::phonesim::PhoneSim;

constexpr int kLists = 20;
constexpr double kOpenTargetSeconds = 0.5;
constexpr int kBaud = 19200;
constexpr double kPumpTickSeconds = 0.5;

// An engine that takes requests and answers none: the form's first read stays outstanding.
class QuietEngine : public brevik::PhoneEngine {
public:
    int ATPBRead(HWND, UINT, const char*) override { return 0; }
    const PBResult* ATPBGet() override { return nullptr; }
    int ATPBWrite(HWND, UINT, const char*, int, const char*, const char*) override { return 0; }
    BOOL Fehler_Melden(int, int) override { return TRUE; }
    BOOL ZelDllHostAlive() override { return TRUE; }
    int ATWithdraw(HWND) override { return 0; }
};

class NoOwner : public brevik::FormOwner {
public:
    void SetFormStatus(const QString&) override {}
    void SetFormBusy(bool) override {}
    void CloseForReal() override {}
    void EndProgram() override { ended = true; }
    bool ended = false;
};

std::filesystem::path writeBook(int cards)
{
    const std::filesystem::path folder =
        std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / ("book" + std::to_string(cards));
    std::filesystem::create_directories(folder);
    // The files in another order than the names; the first 1,000 names (those the list shows)
    // carry the indices 1 to 1,000, so that no entry needs a new index and a save.
    for (int k = 0; k < cards; ++k) {
        const int rank = (k * 7919) % cards;
        char name[24];
        std::snprintf(name, sizeof name, "Name %04d", rank);
        std::ofstream(folder / ("c" + std::to_string(k) + ".vcf"), std::ios::binary)
            << "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:c" << k << "\r\nFN:" << name << "\r\nTEL:+49 89 "
            << 100000 + k << "\r\nNOTE:Standard-Status - Index: " << rank % 1000 + 1 << " \r\nEND:VCARD\r\n";
    }
    for (int l = 0; l < kLists; ++l) {
        std::ofstream list(folder / ("l" + std::to_string(l) + ".vcf"), std::ios::binary);
        list << "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:l" << l << "\r\nKIND:group\r\nFN:Liste " << l << "\r\n";
        for (int m = 0; m < cards / kLists; ++m)
            list << "MEMBER:urn:uuid:c" << l * (cards / kLists) + m << "\r\n";
        list << "END:VCARD\r\n";
    }
    // An address book in use was written long before it is opened.
    const auto yesterday = std::filesystem::file_time_type::clock::now() - std::chrono::hours(24);
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        std::filesystem::last_write_time(entry.path(), yesterday);
    return folder;
}

void BM_OpenAddressBook(benchmark::State& state)
{
    const int cards = int(state.range(0));
    const std::filesystem::path folder = writeBook(cards);
    QuietEngine engine;
    double openSeconds = 0;
    double resortSeconds = 0;
    for (auto _ : state) {
        torvane::mapi::Mapi mapi(folder);
        NoOwner owner;
        brevik::CDlgView form(engine, mapi, owner, nullptr);
        const auto start = Clock::now();
        if (!form.OnInitialUpdate({}) || owner.ended) {
            state.SkipWithError("the address book did not open");
            break;
        }
        openSeconds = std::chrono::duration<double>(Clock::now() - start).count();
        QTreeWidget* list = form.list(brevik::LIST_PAB);
        // The list holds 1,000 entries: a folder with more shows its first 1,000.
        if (list->topLevelItemCount() != std::min(cards, brevik::kBlockSlots) ||
            form.model().folders().count != kLists + 1) {
            state.SkipWithError("not every card or list was read");
            break;
        }
        const auto sortStart = Clock::now();
        list->header()->sectionClicked(brevik::COLUMN_INDEX);
        resortSeconds = std::chrono::duration<double>(Clock::now() - sortStart).count();
        state.SetIterationTime(openSeconds);
    }
    state.counters["open_s"] = openSeconds;
    state.counters["resort_s"] = resortSeconds;
    state.counters["within_target"] = openSeconds < kOpenTargetSeconds ? 1 : 0;
}
BENCHMARK(BM_OpenAddressBook)->Arg(2000)->Arg(200)->UseManualTime()->Iterations(3)->Unit(benchmark::kMillisecond);

// The model's view: what the form does with a filled directory, without widgets.
class SortingView : public brevik::FormView {
public:
    explicit SortingView(brevik::DlgViewModel*& model) : model_(model) {}
    void SetStatusText(int) override {}
    void SetBusy(bool) override {}
    void SelectDirectoryInCombo(int) override {}
    int DirectoryComboSelection() const override { return 0; }
    void PhoneListFilled() override { shown = brevik::SortedSlots(model_->shownDirectory(), brevik::COLUMN_NAME).size(); }
    void PabListFilled() override {}
    void FolderComboCleared() override {}
    void FolderTableFilled() override {}
    void SelectFolderInCombo(int) override {}
    int FolderComboSelection() const override { return 0; }
    void SetPreviewRowVisible(bool) override {}
    void PostCloseToOwner() override {}
    void EndProgram() override {}
    std::size_t shown = 0;

private:
    brevik::DlgViewModel*& model_;
};

class NoDialogs : public brevik::FormDialogs {
public:
    bool AskYesNo(int, const std::string&) override { return false; }
    brevik::IndexAnswer AskIndex(int, bool) override { return {}; }
    std::optional<std::string> AskFolderName(int, int, const std::string&) override { return std::nullopt; }
    std::optional<int> ChooseFolder(const brevik::PabFolderTable&) override { return std::nullopt; }
    std::optional<brevik::EntryDialogData> AskEntry(const brevik::EntryDialogData&) override { return std::nullopt; }
};

void BM_ReadSimDirectoryOf250At19200(benchmark::State& state)
{
    PhoneSim sim;
    // 2 + 10 + 12 bytes an entry: the 250 entries fill the engine's result area.
    sim.withModule<PhonebookCommands>([](PhonebookCommands& p) {
        PhonebookCommands::Storage storage{1, 250, 12, 10, false, {}};
        for (int i = 1; i <= 250; ++i)
            storage.entries[i] = {"+49301" + std::to_string(100000 + i), 145, "Name " + std::to_string(1000 + i)};
        p.storages["SM"] = storage;
    });
    sim.setBaudRate(kBaud);
    std::string error;
    torvane::test::EngineLinePump pump;
    if (!sim.start(torvane::serial::portLinkFolder() + "/COM1", &error) || !pump.open("COM1", &error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    brevik::ZeldllPhoneEngine engine;
    brevik::DlgViewModel* modelRef = nullptr;
    SortingView view(modelRef);
    NoDialogs dialogs;
    torvane::mapi::Mapi mapi(std::filesystem::path(std::getenv("XDG_CONFIG_HOME")) / "emptybook");
    double lineSeconds = 0;
    double seconds = 0;
    benchsupport::LineTraffic traffic(sim.transcript(), kBaud);
    for (auto _ : state) {
        brevik::DlgViewModel model(engine, view, dialogs, mapi);
        modelRef = &model;
        model.setWindow(pump.window());
        traffic.restart();
        const auto start = Clock::now();
        model.SelectDirectory(0);
        const auto answer = pump.waitForAnswer(brevik::WM_PHONEBOOK_READ_DONE, std::chrono::seconds(60));
        model.OnPhonebookRead(WPARAM(answer.wParam), answer.lParam);
        seconds = std::chrono::duration<double>(Clock::now() - start).count();
        if (answer.lParam != RESULT_OK || model.shownDirectory().count != 250 || view.shown != 250) {
            state.SkipWithError("the read did not give every entry");
            break;
        }
        state.SetIterationTime(seconds);
        traffic.report(state);
        lineSeconds = traffic.seconds(traffic.fromPhoneBytes());
        modelRef = nullptr;
    }
    state.counters["line_s"] = lineSeconds;
    state.counters["read_s"] = seconds;
    state.counters["within_target"] = seconds <= lineSeconds + kPumpTickSeconds ? 1 : 0;
    sim.stop();
}
BENCHMARK(BM_ReadSimDirectoryOf250At19200)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    return benchsupport::runBenchmarksPrivately(argc, argv, "BENCH_PHONEBOOK_PRIVATE");
}
