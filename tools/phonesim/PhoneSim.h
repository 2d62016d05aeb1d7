// A simulated phone on a pseudo-terminal. start() makes the terminal, links its device at the
// given path (where the suite looks for COMn) and answers on a thread of its own until stop().
// Every public function may be called from any thread while it runs.
#pragma once

#include "tools/phonesim/InputQueue.h"
#include "tools/phonesim/PhoneEngine.h"
#include "tools/phonesim/Transcript.h"

#include <atomic>
#include <chrono>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace torvane::phonesim {

class PhoneSim {
public:
    PhoneSim();
    explicit PhoneSim(std::vector<std::unique_ptr<PhoneModule>> modules);
    ~PhoneSim();
    PhoneSim(const PhoneSim&) = delete;
    PhoneSim& operator=(const PhoneSim&) = delete;

    void addModule(std::unique_ptr<PhoneModule> module);

    // False with a reason when the terminal or the link cannot be made (an existing file that
    // is not a link is never replaced).
    bool start(const std::string& linkPath, std::string* error = nullptr);
    void stop();
    bool isRunning() const { return m_thread.joinable(); }

    std::string linkPath() const;
    // The terminal device behind the link now ("/dev/pts/7"); empty while the line is dropped.
    std::string devicePath() const;
    // Terminals made so far: it rises when a dropped line comes back.
    int lineCount() const;
    // True while a program has the port open.
    bool peerConnected() const { return m_peerConnected; }

    PhoneState state() const;
    void setState(const PhoneState& state);
    // Runs f on the live state under the phone's lock: sim.withState([](PhoneState& s) { ... }).
    template <class F>
    auto withState(F&& f)
    {
        std::lock_guard lock(m_mutex);
        return f(m_engine.state());
    }
    // Runs f on the installed module of type M under the phone's lock.
    template <class M, class F>
    auto withModule(F&& f)
    {
        std::lock_guard lock(m_mutex);
        for (const auto& m : m_engine.modules())
            if (auto* found = dynamic_cast<M*>(m.get()))
                return f(*found);
        throw std::logic_error("phonesim: module not installed");
    }

    // Error texts, empty on success.
    QString loadStateFile(const QString& path);
    QString saveStateFile(const QString& path) const;

    void addFault(const Fault& fault);
    void clearFaults();
    // Paces the line both ways to this many baud (10 bits a byte): what the phone sends, and what
    // it receives (a command is taken when its last byte would have crossed). 0: no pacing.
    void setBaudRate(int baud);
    // The quiet time after "+++" before the phone takes it as an escape (1000 ms unless set).
    void setEscapeGuard(std::chrono::milliseconds guard);
    // Hangs the line up now (after what is already being sent); it comes back after downtime.
    void dropLine(std::chrono::milliseconds downtime = std::chrono::milliseconds(0));

    Transcript& transcript() { return m_transcript; }

private:
    void run();
    void wake();
    // These run with m_mutex held.
    bool openLine(std::string* error);
    void closeLine();
    void serviceOutput(SimClock::time_point now);
    void takeArrivedInput(SimClock::time_point now);
    void hangUp(std::chrono::milliseconds downtime, SimClock::time_point now);

    mutable std::mutex m_mutex;
    PhoneEngine m_engine;
    Transcript m_transcript;
    InputQueue m_input;
    std::thread m_thread;
    int m_wakeFd = -1;
    bool m_stopping = false;

    std::string m_linkPath;
    std::string m_device;
    int m_master = -1;
    int m_lineCount = 0;
    bool m_hungUp = false;       // no program has the port open
    bool m_writeBlocked = false; // the terminal would take no more; wait until it does
    std::optional<SimClock::time_point> m_relinkAt;
    std::atomic<bool> m_peerConnected {false};
};

} // namespace torvane::phonesim
