#include "mainprog/core/PortHost.h"

#include "engine/zeldll.h"
#include "mainprog/core/HostMessages.h"

#include <cstring>

namespace corvant {

namespace {

constexpr std::size_t kInputQueue = 1000;
constexpr std::size_t kOutputQueue = 400;

// 19200 8N1 in binary mode, DTR and RTS held on, no flow control of any kind.
torvane::serial::LineSettings phoneLine()
{
    torvane::serial::LineSettings line;
    line.baudRate = 19200;
    line.dataBits = 8;
    line.parity = torvane::serial::Parity::None;
    line.stopBits = torvane::serial::StopBits::One;
    line.dtrControl = torvane::serial::LineControl::Enable;
    line.rtsControl = torvane::serial::LineControl::Enable;
    line.ctsOutputFlow = false;
    line.xonXoffOutput = false;
    line.xonXoffInput = false;
    return line;
}

} // namespace

PortHost::PortHost(EngineApi& engine, HostPort& port, PortName portName)
    : engine_(engine)
    , port_(port)
    , portName_(std::move(portName))
    , reader_(port, portLock_, display_)
{
    readerStart_ = [this] { return reader_.start(std::chrono::milliseconds(READER_NAP_MS)); };
}

PortHost::~PortHost()
{
    reader_.stop();
}

bool PortHost::isPortOpen() const
{
    std::lock_guard lock(portLock_);
    return port_.isOpen();
}

void PortHost::trace(const std::string& text)
{
    if (tracing_ && traceSink_)
        traceSink_(text);
}

int PortHost::OpenPort()
{
    const std::string name = portName_();
    display_.openError = 0;
    int result = OPEN_OK;
    {
        std::lock_guard lock(portLock_);
        if (const auto failure = port_.open(name)) {
            display_.openError = failure->systemCode;
            portState_ = failure->accessDenied ? PORT_ACCESS_DENIED : PORT_OPEN_FAILED;
            result = OPEN_FAILED;
        } else {
            port_.prepareQueues(kInputQueue, kOutputQueue);
            // Writes may take 1 ms a byte plus 10 ms; reads never wait.
            if (!port_.setWriteTimeouts({1, 10})) {
                result = OPEN_SETTINGS_REFUSED;
            } else if (!port_.readSettings()) {
                result = OPEN_STATE_UNREADABLE;
            } else if (!port_.applySettings(phoneLine())) {
                result = OPEN_SETTINGS_REFUSED;
            }
            // The port stays open with what it has; the pump goes on using it.
            if (result != OPEN_OK)
                portState_ = PORT_OPEN_FAILED;
        }
        if (result == OPEN_OK && !readerStarted_) {
            if (!readerStart_()) {
                port_.close();
                portState_ = PORT_OPEN_FAILED;
                result = OPEN_NO_READER;
            } else {
                readerStarted_ = true;
            }
        }
        if (result == OPEN_OK) {
            port_.raiseDtr();
            display_.handle = port_.handle();
            portState_ = PORT_OPEN;
        }
    }
    if (result == OPEN_OK)
        trace("Open...");
    display_.notify();
    return result;
}

void PortHost::ClosePort()
{
    bool closed = false;
    {
        std::lock_guard lock(portLock_);
        if (port_.isOpen()) {
            port_.close();
            display_.handle = -1;
            closed = true;
        }
    }
    if (closed) {
        trace("...Close");
        display_.notify();
    }
}

int PortHost::WritePort(char* text)
{
    std::lock_guard lock(portLock_);
    if (!port_.isOpen())
        return WRITE_PORT_CLOSED;
    if (text == nullptr || text[0] == 0)
        return WRITE_OK;
    trace(text);
    const std::size_t length = std::strlen(text);
    const auto written = port_.write(text, length);
    if (written && *written == length) {
        text[0] = 0;
        return WRITE_OK;
    }
    display_.writeErrors = port_.readErrorFlags();
    display_.notify();
    return WRITE_FAILED;
}

void PortHost::CycleEngine(const char* line)
{
    pumpStep(line, true);
}

void PortHost::OnEngineKick()
{
    pumpStep(nullptr, false);
}

void PortHost::pumpStep(const char* line, bool counted)
{
    if (dsrWait_ == 0) {
        engine_.ZelDllCycle(line, &command_, portState_);
        if (command_ == nullptr) {
            if (!counted)
                return;
            if (idleGrace_ > 0)
                --idleGrace_;
            else
                ClosePort();
            return;
        }
    } else if (command_ == nullptr) {
        return;
    }

    // The engine has a command, or one waits for DSR since an opening.
    bool open = isPortOpen();
    if (!open && dsrWait_ == 0) {
        OpenPort();
        idleGrace_ = IDLE_GRACE_CALLS;
        dsrWait_ = DSR_WAIT_CALLS;
        open = isPortOpen();
    }
    if (open) {
        std::optional<torvane::serial::ModemStatus> modem;
        {
            std::lock_guard lock(portLock_);
            modem = port_.modemStatus();
        }
        if (modem && modem->dsr()) {
            portState_ = PORT_DSR_ON;
            WritePort(command_);
            dsrWait_ = 0;
            return;
        }
        portState_ = modem && modem->lines != 0 ? PORT_NO_DSR : PORT_OPEN;
    } else if (portState_ == PORT_DSR_ON) {
        WritePort(command_); // fails: the port is closed, and the command is lost
        dsrWait_ = 0;
        return;
    }
    // A kick's step looks at DSR but leaves the wait's calls, the opening one included, to
    // the timer and the lines.
    if (!counted)
        return;
    const int calls = dsrWait_;
    dsrWait_ = calls - 1;
    if (portState_ == PORT_DSR_ON || calls <= 1) {
        WritePort(command_);
        dsrWait_ = 0;
    }
}

void PortHost::OnLineReceived()
{
    char* line = reader_.line();
    if (line == nullptr)
        return;
    trace(line);
    CycleEngine(line);
    line[0] = 0;
}

} // namespace corvant
