// The engine host's port and pump, without widgets: it opens the port only while the engine has
// something to send, waits briefly for the phone's DSR line, writes the engine's command, and
// feeds every received line and every pump tick to ZelDllCycle.
//
// UI thread only, except what the reader thread does under the port lock.
#pragma once

#include "mainprog/core/EngineApi.h"
#include "mainprog/core/HostDisplay.h"
#include "mainprog/core/HostPort.h"
#include "mainprog/core/PortReader.h"

#include <functional>
#include <mutex>
#include <string>

namespace corvant {

// OpenPort's results.
constexpr int OPEN_OK = 0;
constexpr int OPEN_FAILED = -1;
constexpr int OPEN_STATE_UNREADABLE = -2;
constexpr int OPEN_SETTINGS_REFUSED = -3;
constexpr int OPEN_NO_READER = -4;

// WritePort's results.
constexpr int WRITE_OK = 0;
constexpr int WRITE_PORT_CLOSED = -1;
constexpr int WRITE_FAILED = -2;

// After an opening the command waits for DSR during this many pump calls, the opening one
// included; pump calls without a job granted before the port closes again.
constexpr int DSR_WAIT_CALLS = 5;
constexpr int IDLE_GRACE_CALLS = 2;

class PortHost {
public:
    using PortName = std::function<std::string()>;
    using Trace = std::function<void(const std::string&)>;

    // portName is asked at every opening (the setting may have changed since).
    PortHost(EngineApi& engine, HostPort& port, PortName portName);
    ~PortHost();
    PortHost(const PortHost&) = delete;
    PortHost& operator=(const PortHost&) = delete;

    int OpenPort();
    void ClosePort();
    // Writes text whole and then empties it (first byte 0).
    int WritePort(char* text);
    // One pump step: line is a received line, or null on a tick.
    void CycleEngine(const char* line);
    // The pump step that answers the engine's kick: a request stored by any program starts at
    // once instead of at the next tick. The DSR wait and the idle grace are counted in the
    // steps of the timer and of received lines only, so they last as long as without kicks.
    void OnEngineKick();
    // The handler of WM_LINE_RECEIVED: the reader's line goes to the pump.
    void OnLineReceived();

    int portState() const { return portState_; }
    int dsrWaitCount() const { return dsrWait_; }
    int idleGraceCount() const { return idleGrace_; }
    bool isPortOpen() const;

    // Trace on/off and where the trace goes ("Open...", "...Close", written texts, lines).
    void setTracing(bool on) { tracing_ = on; }
    bool tracing() const { return tracing_; }
    void setTraceSink(Trace sink) { traceSink_ = std::move(sink); }

    HostDisplay& display() { return display_; }
    PortReader& reader() { return reader_; }
    // How the reader is started at the first successful opening (tests run it by hand).
    void setReaderStart(std::function<bool()> start) { readerStart_ = std::move(start); }

private:
    // counted: a step of the timer or of a received line, which counts down the DSR wait and
    // the idle grace; a kick's step does neither.
    void pumpStep(const char* line, bool counted);
    void trace(const std::string& text);

    EngineApi& engine_;
    HostPort& port_;
    PortName portName_;
    mutable std::mutex portLock_;
    HostDisplay display_;
    PortReader reader_;
    std::function<bool()> readerStart_;
    bool readerStarted_ = false;

    char* command_ = nullptr;
    int portState_ = 0;
    int idleGrace_ = 0;
    int dsrWait_ = 0;
    bool tracing_ = false;
    Trace traceSink_;
};

} // namespace corvant
