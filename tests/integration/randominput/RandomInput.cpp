// Random input for the suite's four windowed programs, as a user at the keyboard and mouse would
// give it, on an X display. Each program in turn gets keys, clicks, double clicks, drags and
// wheel turns in its windows and the dialogs they open, in a demo of its own: scripts/run starts
// the simulated phone and Corvant in a demo profile made anew, and Corvant's launcher starts the
// other program. The input comes from a seeded generator, so that a run can be given again.
//
// It fails, with the seed and the last events, when a program ends in any way but an exit of its
// own (a signal, a sanitizer's report, a non-zero code) or tells of a failure its last net
// caught, when a window stops answering or the driven program keeps none on the screen, or when
// the calendar, the address book's cards or the settings no longer read back. A program that
// ended on its own (the input chose its Exit) is started again.
//
//   random-input --work DIR [--seed N] [--seconds S] [--programs corvant,brevik,melvio,tessaro]
//                [--answer-within MS] [--trace]
// DIR is a new folder for the profile and the logs; S is each program's share of the input.
#include "mainprog/core/LauncherLayout.h"
#include "platform/messaging/Messaging.h"
#include "tests/integration/randominput/ProgramTree.h"
#include "tests/integration/randominput/RandomEvents.h"
#include "tests/integration/randominput/SavedFiles.h"
#include "tests/support/XDisplay.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <poll.h>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
namespace fs = std::filesystem;
using torvane::test::ProgramTree;
using torvane::test::TopWindow;

namespace {

struct Program {
    const char* name;     // its command name
    int launcherCommand;  // Corvant's launcher command that starts it; 0 for Corvant itself
};

const Program kPrograms[] = {
    {"corvant", 0},
    {"brevik", corvant::ID_PHONEBOOK},
    {"melvio", corvant::ID_RINGTONE},
    {"tessaro", corvant::ID_APPOINTMENTS},
};

// Qt's own file dialogs of the programs ("Home directory" is Corvant's folder choice) reach the
// whole file system, where random keys would make, rename and delete folders and files of the
// machine's: they are closed as they come up, not driven.
const char* const kFileDialogTitles[] = {"Open", "Save As", "Home directory"};
constexpr xcb_keysym_t kEscape = 0xff1b;

// What a program writes to its standard error at a fault the test is there to find: a
// sanitizer's report, an exception nobody caught, or one that only the programs' last net
// caught (which keeps the program running, but is a fault all the same).
constexpr const char* kCaughtMark = "failure inside a window event";
const char* const kFaultMarks[] = {"ERROR: AddressSanitizer", "ERROR: LeakSanitizer", "runtime error:",
                                   "UndefinedBehaviorSanitizer", "terminate called", kCaughtMark};

// Ports other than the phone's lead nowhere: a port chosen in a settings page must not open a
// serial device of the machine the test runs on.
constexpr int kPortLinks = 32;

struct Options {
    fs::path work;
    unsigned long seed = 1;
    int seconds = 40;
    std::vector<const Program*> programs;
    std::chrono::milliseconds answerWithin = 10s;
    bool trace = false; // every event as it is given
};

class Run {
public:
    explicit Run(Options options)
        : options_(std::move(options))
        , profile_(options_.work / "profile")
        , folder_(options_.work / "folder")
    {
    }

    int exec();

private:
    void setUp();
    // scripts/run starts the phone and Corvant in a demo profile made anew.
    void startDemo();
    void drive(const Program& program);
    void step(const Program& program);
    // Closes Corvant's window, ends what is left and reads the files back.
    void endDemo();

    // Starts the program (Corvant directly, the others from Corvant's launcher) unless one of its
    // windows is up, and waits for its window.
    void bringUp(const Program& program);
    std::vector<TopWindow> windowsOf(const std::string& name) const;
    HWND corvantFrame() const { return FindWindowByTitlePrefix("Quorvane 3.0", 39); }


    // Lets the given time pass while it watches the programs; fails the run at the first fault.
    void watchFor(std::chrono::milliseconds time);
    // Watches until done holds (true) or the time is up (false).
    bool waitUntil(const std::function<bool()>& done, std::chrono::milliseconds within);
    void watch();
    std::vector<fs::path> logs() const;
    // What the log holds that was not looked at yet.
    std::string unread(const fs::path& log);
    struct Mark {
        fs::path log;
        std::string_view mark;
    };
    // The first fault mark in what the logs hold that was not looked at yet.
    std::optional<Mark> faultMark();
    [[noreturn]] void failWithOutput(const std::string& why);
    // Waits until the program ends (any, for 0), at most a minute; how it ended, or nothing.
    std::string waitForAnEnd(pid_t pid);
    void ping();
    void checkFiles();
    [[noreturn]] void fail(const std::string& why);
    void note(std::string event);

    Options options_;
    fs::path profile_;
    fs::path folder_;
    torvane::test::XDisplay x_;
    ProgramTree tree_;
    torvane::test::RandomEvents events_ {x_, [this](std::string event) { note(std::move(event)); }};
    const Program* current_ = nullptr;
    int given_ = 0;
    int restarts_ = 0;
    std::deque<std::string> lastEvents_;
    std::map<fs::path, std::uintmax_t> logRead_;
    std::uint32_t nextPing_ = 1;
    Clock::time_point lastPing_;
    struct Ping {
        xcb_window_t window;
        pid_t pid;
        std::string program;
        Clock::time_point sent;
    };
    std::map<std::uint32_t, Ping> pings_;
    std::set<pid_t> answering_; // the programs that answered a ping
    std::map<xcb_window_t, int> fileDialogTries_;
    std::optional<Clock::time_point> windowless_; // since when the driven program shows no window
    bool finishing_ = false;
    // A process whose end is waited for and told, whatever its status.
    pid_t awaited_ = 0;
    std::optional<int> awaitedStatus_;
};

int Run::exec()
{
    if (!x_.connected()) {
        std::fprintf(stderr, "random-input: no X display\n");
        return 2;
    }
    setUp();
    for (const Program* program : options_.programs)
        drive(*program);
    std::printf("random-input: no program failed, every window answered, every file reads back\n");
    return 0;
}

void Run::setUp()
{
    fs::create_directories(folder_);
    const fs::path boxes = options_.work / "boxes.log";
    setenv("TORVANE_UI_LOG", boxes.c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Quoted: the sanitizers split their options at blanks, which the checkout's path may hold.
    const std::string leaks = "suppressions=\"" SOURCE_DIR "/tests/support/xcb_leaks.supp\"";
    setenv("LSAN_OPTIONS", leaks.c_str(), 1);
    const char* asan = std::getenv("ASAN_OPTIONS");
    setenv("ASAN_OPTIONS", (std::string(asan && *asan ? std::string(asan) + ":" : "") + "handle_abort=1").c_str(), 1);

    // What the programs started besides scripts/run need: the profile it makes, and the other
    // programs on the PATH, as scripts/run gives them to Corvant.
    setenv("XDG_CONFIG_HOME", (profile_ / "config").c_str(), 1);
    setenv("XDG_DATA_HOME", (profile_ / "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (profile_ / "run").c_str(), 1);
    std::string path = fs::path(BREVIK_PROGRAM).parent_path().string() + ":" +
                       fs::path(MELVIO_PROGRAM).parent_path().string() + ":" +
                       fs::path(TESSARO_PROGRAM).parent_path().string();
    if (const char* old = std::getenv("PATH"))
        path += std::string(":") + old;
    setenv("PATH", path.c_str(), 1);
}

void Run::startDemo()
{
    // The profile's logs are made anew with it.
    logRead_.clear();
    const pid_t script = tree_.start({"/bin/bash", SOURCE_DIR "/scripts/run", "--build", BUILD_DIR, "--profile",
                                      profile_.string(), "--fresh", "--detach"},
                                     folder_.string(), (options_.work / "run.log").string());
    awaited_ = script;
    waitUntil([&] { return awaitedStatus_.has_value(); }, 180s);
    if (!awaitedStatus_ || !WIFEXITED(*awaitedStatus_) || WEXITSTATUS(*awaitedStatus_) != 0) {
        std::ifstream log(options_.work / "run.log");
        std::printf("%s", std::string(std::istreambuf_iterator<char>(log), {}).c_str());
        fail("scripts/run did not start the demo");
    }
    awaitedStatus_.reset();
    const fs::path ports = profile_ / "config/torvane/ports";
    for (int n = 2; n <= kPortLinks; ++n) {
        std::error_code ignored;
        fs::create_symlink("no phone on this port", ports / ("COM" + std::to_string(n)), ignored);
    }
}

void Run::drive(const Program& program)
{
    current_ = &program;
    finishing_ = false;
    windowless_.reset();
    fileDialogTries_.clear();
    given_ = 0;
    restarts_ = 0;
    // Each program's share has a seed of its own and starts from a fresh demo, so that it
    // replays alone.
    events_.seed(options_.seed * 1000 + unsigned(&program - kPrograms));
    note(std::string("a fresh demo for ") + program.name);
    startDemo();
    bringUp(program);
    const auto end = Clock::now() + std::chrono::seconds(options_.seconds);
    while (Clock::now() < end)
        step(program);
    endDemo();
    std::printf("random-input: %s: %d events in %d s, started again %d times\n", program.name, given_,
                options_.seconds, restarts_);
    std::fflush(stdout);
}

std::vector<TopWindow> Run::windowsOf(const std::string& name) const
{
    const std::vector<pid_t> pids = tree_.running(name);
    std::vector<TopWindow> own;
    for (TopWindow& w : x_.windows())
        if (std::find(pids.begin(), pids.end(), w.pid) != pids.end())
            own.push_back(std::move(w));
    return own;
}

void Run::bringUp(const Program& program)
{
    const auto hasWindow = [&] {
        const std::vector<TopWindow> own = windowsOf(program.name);
        return std::any_of(own.begin(), own.end(), [](const TopWindow& w) { return !w.popup; });
    };
    if (hasWindow())
        return;
    if (program.launcherCommand == 0) {
        if (tree_.running("corvant").empty()) {
            note("start corvant");
            tree_.start({CORVANT_PROGRAM}, folder_.string(), (profile_ / "corvant.log").string());
        }
    } else {
        bringUp(kPrograms[0]);
        if (tree_.running(program.name).empty()) {
            note(std::string("Corvant's launcher starts ") + program.name);
            PostMessage(corvantFrame(), WM_COMMAND, WPARAM(program.launcherCommand), 0);
        }
    }
    if (!waitUntil(hasWindow, 120s))
        fail(std::string(program.name) + " showed no window within two minutes");
}

void Run::step(const Program& program)
{
    watch();
    std::vector<TopWindow> own = windowsOf(program.name);
    if (own.empty()) {
        if (tree_.running(program.name).empty()) {
            // It ended on its own (watch() would have failed the run otherwise): as a user would,
            // start it again.
            ++restarts_;
            bringUp(program);
        } else if (!windowless_) {
            windowless_ = Clock::now();
        } else if (Clock::now() - *windowless_ > 60s) {
            // Out of the user's reach: nothing on the screen to end it or go on with.
            fail(std::string(program.name) + " has run without a window for a minute");
        } else {
            watchFor(100ms);
        }
        return;
    }
    windowless_.reset();
    for (auto w = own.rbegin(); w != own.rend(); ++w) {
        if (std::none_of(std::begin(kFileDialogTitles), std::end(kFileDialogTitles),
                         [&](const char* title) { return w->title == title; }))
            continue;
        // Escape first, as a user would; the window manager's close when that did not do.
        const int tries = fileDialogTries_[w->id]++;
        note(std::string(program.name) + " '" + w->title + "': closed with " + (tries < 3 ? "Escape" : "its close button") +
             ", not driven");
        if (tries < 3) {
            x_.focus(w->id);
            x_.move(w->rect.center());
            x_.type(torvane::test::Chord {kEscape});
        } else {
            x_.close(w->id);
        }
        watchFor(200ms);
        return;
    }
    // Its windows go on top of the other programs', in their own order, so that what is clicked
    // is this program's.
    const std::vector<TopWindow> all = x_.windows();
    if (!all.empty() && all.back().pid != own.back().pid)
        for (const TopWindow& w : own)
            x_.raise(w.id);
    // Mostly the topmost (a dialog, a menu, a list that is open), else any of its windows.
    const TopWindow& target = events_.pick(4) != 0 ? own.back() : own[std::size_t(events_.pick(int(own.size())))];
    events_.give(target, program.name);
    ++given_;
    x_.sync();
    watchFor(40ms);
}

bool Run::waitUntil(const std::function<bool()>& done, std::chrono::milliseconds within)
{
    const auto deadline = Clock::now() + within;
    while (!done()) {
        if (Clock::now() >= deadline)
            return false;
        watchFor(50ms);
    }
    return true;
}

void Run::watchFor(std::chrono::milliseconds time)
{
    const auto until = Clock::now() + time;
    do {
        watch();
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - Clock::now());
        ::poll(nullptr, 0, int(std::clamp<long>(left.count(), 0, 10)));
    } while (Clock::now() < until);
}

void Run::watch()
{
    for (const ProgramTree::Ended& e : tree_.look()) {
        if (e.pid == awaited_)
            awaitedStatus_ = e.status;
        if (e.stoppedByUs || e.pid == awaited_)
            continue;
        const std::string name = e.name.empty() ? "process " + std::to_string(e.pid) : e.name;
        if (WIFEXITED(e.status) && WEXITSTATUS(e.status) == 0) {
            note(name + " ended on its own");
            continue;
        }
        failWithOutput(name + " ended with " + ProgramTree::describe(e.status));
    }
    if (const std::optional<Mark> mark = faultMark()) {
        // A report goes on while the program writes it; it is whole once the program has ended.
        // What the last net caught leaves the program running.
        const std::string ended = mark->mark == kCaughtMark ? std::string() : waitForAnEnd(0);
        failWithOutput("a program reported a fault in " + mark->log.filename().string() +
                       (ended.empty() ? std::string() : " (" + ended + ")"));
    }
    ping();
}

std::string Run::waitForAnEnd(pid_t pid)
{
    const auto deadline = Clock::now() + 60s;
    while (Clock::now() < deadline) {
        for (const ProgramTree::Ended& e : tree_.look())
            if (pid == 0 || e.pid == pid)
                return (e.name.empty() ? "process " + std::to_string(e.pid) : e.name) + ", which ended with " +
                       ProgramTree::describe(e.status);
        ::poll(nullptr, 0, 20);
    }
    return {};
}

// Every program's output, the organizer's and the editors' included, goes to Corvant's log: they
// inherit it from Corvant, which starts them.
std::vector<fs::path> Run::logs() const
{
    return {profile_ / "corvant.log", profile_ / "phonesim.log"};
}

std::string Run::unread(const fs::path& log)
{
    std::ifstream in(log, std::ios::binary);
    if (!in)
        return {};
    in.seekg(std::streamoff(logRead_[log]));
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

std::optional<Run::Mark> Run::faultMark()
{
    for (const fs::path& log : logs()) {
        const std::string text = unread(log);
        for (const char* mark : kFaultMarks)
            if (text.find(mark) != std::string::npos)
                return Mark {log, mark};
        // A line still being written is read again next time, so that no mark is cut in two.
        const std::size_t complete = text.rfind('\n');
        if (complete != std::string::npos)
            logRead_[log] += complete + 1;
    }
    return std::nullopt;
}

void Run::failWithOutput(const std::string& why)
{
    for (const fs::path& log : logs()) {
        const std::string text = unread(log);
        if (!text.empty())
            std::printf("%s says:\n%s\n", log.filename().c_str(), text.substr(0, 16000).c_str());
    }
    fail(why);
}

// Each program's window is asked once a second whether its program still handles its events,
// as a window manager asks; a window that goes away meanwhile owes no answer.
void Run::ping()
{
    for (std::uint32_t answered : x_.answeredPings()) {
        if (auto it = pings_.find(answered); it != pings_.end()) {
            answering_.insert(it->second.pid);
            pings_.erase(it);
        }
    }
    const auto now = Clock::now();
    for (auto it = pings_.begin(); it != pings_.end();) {
        const Ping& p = it->second;
        // A program that has not answered yet may still be starting, before its event loop runs.
        if (now - p.sent <= (answering_.count(p.pid) ? options_.answerWithin : 60s)) {
            ++it;
            continue;
        }
        const std::vector<TopWindow> all = x_.windows();
        if (std::none_of(all.begin(), all.end(), [&](const TopWindow& w) { return w.id == p.window; })) {
            it = pings_.erase(it);
            continue;
        }
        const std::string why = p.program + "'s window did not answer for " +
                                std::to_string(std::chrono::duration_cast<std::chrono::seconds>(now - p.sent).count()) + " s";
        std::printf("%s's threads: %s\n", p.program.c_str(), ProgramTree::threads(p.pid).c_str());
        // Aborted, the program shows where it was stuck (the address sanitizer's report).
        ::kill(p.pid, SIGABRT);
        const std::string ended = waitForAnEnd(p.pid);
        failWithOutput(why + (ended.empty() ? "; it did not end on SIGABRT either" : "; aborted to see where: " + ended));
    }
    if (now - lastPing_ < 1s)
        return;
    lastPing_ = now;
    for (const Program& program : kPrograms) {
        const std::vector<TopWindow> own = windowsOf(program.name);
        const auto main = std::find_if(own.begin(), own.end(), [](const TopWindow& w) { return !w.popup; });
        if (main == own.end())
            continue;
        x_.ping(main->id, nextPing_);
        pings_[nextPing_++] = Ping {main->id, main->pid, program.name, now};
    }
}

void Run::checkFiles()
{
    const std::vector<std::string> problems =
        torvane::test::unreadableFiles((profile_ / "config").string(), (profile_ / "data").string());
    if (problems.empty())
        return;
    for (const std::string& p : problems)
        std::printf("  %s\n", p.c_str());
    fail("files the programs keep no longer read back");
}

void Run::endDemo()
{
    finishing_ = true;
    // Closing Corvant's window ends the programs it started; what asks first (a melody not
    // saved) is not answered, and is ended with the rest after a while.
    note("Corvant's window closed");
    PostMessage(corvantFrame(), WM_CLOSE, 0, 0);
    waitUntil(
        [&] {
            return std::all_of(std::begin(kPrograms), std::end(kPrograms),
                               [&](const Program& p) { return tree_.running(p.name).empty(); });
        },
        30s);
    tree_.stopAll(SIGTERM);
    waitUntil([&] { return tree_.empty(); }, 20s);
    tree_.stopAll(SIGKILL);
    watchFor(100ms);
    pings_.clear();
    checkFiles();
}

void Run::note(std::string event)
{
    if (options_.trace)
        std::printf("  %s\n", event.c_str());
    lastEvents_.push_back(std::move(event));
    if (lastEvents_.size() > 40)
        lastEvents_.pop_front();
}

void Run::fail(const std::string& why)
{
    std::printf("random-input: FAIL: %s\n", why.c_str());
    std::printf("  seed %lu", options_.seed);
    if (current_)
        std::printf(", %s %s, after %d of its events (again: --seed %lu --programs %s)",
                    finishing_ ? "ending the demo after driving" : "while driving", current_->name, given_,
                    options_.seed, current_->name);
    std::printf("\n  the last events:\n");
    for (const std::string& e : lastEvents_)
        std::printf("    %s\n", e.c_str());
    std::fflush(stdout);
    tree_.stopAll(SIGKILL);
    std::exit(1);
}

std::optional<Options> parse(int argc, char** argv)
{
    Options o;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--trace") {
            o.trace = true;
            continue;
        }
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (!value)
            return std::nullopt;
        ++i;
        if (arg == "--work") {
            o.work = fs::absolute(value);
        } else if (arg == "--seed") {
            o.seed = std::strtoul(value, nullptr, 10);
        } else if (arg == "--seconds") {
            o.seconds = std::atoi(value);
        } else if (arg == "--answer-within") {
            o.answerWithin = std::chrono::milliseconds(std::atoi(value));
        } else if (arg == "--programs") {
            std::stringstream list(value);
            std::string name;
            while (std::getline(list, name, ',')) {
                const auto p = std::find_if(std::begin(kPrograms), std::end(kPrograms),
                                            [&](const Program& k) { return name == k.name; });
                if (p == std::end(kPrograms))
                    return std::nullopt;
                o.programs.push_back(p);
            }
        } else {
            return std::nullopt;
        }
    }
    if (o.work.empty() || o.seconds <= 0)
        return std::nullopt;
    if (o.programs.empty())
        for (const Program& p : kPrograms)
            o.programs.push_back(&p);
    return o;
}

} // namespace

int main(int argc, char** argv)
{
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fprintf(stderr, "usage: random-input --work DIR [--seed N] [--seconds S] "
                             "[--programs corvant,brevik,melvio,tessaro] [--answer-within MS] [--trace]\n");
        return 2;
    }
    std::signal(SIGPIPE, SIG_IGN);
    return Run(*options).exec();
}
