// A fake engine and a fake port for the engine host's tests: the engine records every call and
// leaves the commands a test scripts; the port keeps what is written and hands out what a test
// puts in, with the modem lines, failures and error flags a test sets.
#pragma once

#include "engine/zeldll.h"
#include "mainprog/core/EngineApi.h"
#include "mainprog/core/HostPort.h"

#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

namespace corvant::test {

class FakeEngine : public EngineApi {
public:
    struct Cycle {
        std::optional<std::string> line;
        int portState;
    };
    struct Call {
        WPARAM wParam;
        LPARAM lParam;
    };

    // What the next cycles leave as the command: a text (a job), or nullopt (no job).
    std::deque<std::optional<std::string>> commands;
    std::vector<Cycle> cycles;
    std::vector<Call> broadcasts;  // ZelMeldeModule
    std::vector<Call> reports;     // Fehler_Melden (class, id)
    std::vector<std::pair<HWND, UINT>> statusChecks;
    std::vector<std::pair<HWND, UINT>> registrations;
    std::vector<int> deregistrations;
    HWND owner = 0;
    int statusCheckResult = 0;
    int registrationResult = 0;
    int deregistrationResult = 0;
    char txBuffer[ZEL_TX_BUFFER_SIZE] = {};
    char pin[ZEL_SIM_PIN_SIZE] = {};

    void queueJob(const std::string& text) { commands.emplace_back(text); }
    void queueNoJob(int times = 1)
    {
        for (int i = 0; i < times; ++i)
            commands.emplace_back(std::nullopt);
    }

    int ZelDllInit(HWND window) override
    {
        owner = window;
        return 0;
    }
    int ZelDllCycle(const char* line, char** command, int portState) override
    {
        cycles.push_back({line ? std::optional<std::string>(line) : std::nullopt, portState});
        std::optional<std::string> next;
        if (!commands.empty()) {
            next = commands.front();
            commands.pop_front();
        }
        txBuffer[0] = 0;
        if (!next) {
            *command = nullptr;
        } else {
            std::strncpy(txBuffer, next->c_str(), sizeof txBuffer - 1);
            *command = txBuffer;
        }
        return ZEL_CYCLE_DONE;
    }
    int ATStatusCheck(HWND window, UINT message) override
    {
        statusChecks.emplace_back(window, message);
        return statusCheckResult;
    }
    int ATStatusReg(HWND window, UINT message) override
    {
        registrations.emplace_back(window, message);
        return registrationResult;
    }
    int ATStatusDeReg(int slot) override
    {
        deregistrations.push_back(slot);
        return deregistrationResult;
    }
    int ZelMeldeModule(WPARAM wParam, LPARAM lParam) override
    {
        broadcasts.push_back({wParam, lParam});
        return 0;
    }
    BOOL Fehler_Melden(int errorClass, int stringId) override
    {
        reports.push_back({WPARAM(errorClass), LPARAM(stringId)});
        return TRUE;
    }
    char* simPin() override { return pin; }
};

class FakePort : public HostPort {
public:
    // What a test sets.
    std::optional<PortOpenError> openFailure;
    bool timeoutsAccepted = true;
    bool settingsReadable = true;
    bool settingsAccepted = true;
    std::optional<unsigned> modemLines = unsigned(torvane::serial::ModemDsr | torvane::serial::ModemCts);
    std::optional<std::size_t> writeAccepts; // bytes a write takes at most; nullopt: all
    bool readFails = false;
    unsigned readFailFlags = 0; // flags a failed read raises
    unsigned errorFlags = 0;
    std::string incoming;

    // What the host did.
    int opens = 0;
    int closes = 0;
    std::string openedName;
    std::vector<std::string> writes;
    std::size_t inputQueue = 0, outputQueue = 0;
    bool purged = false;
    torvane::serial::WriteTimeouts timeouts;
    std::optional<torvane::serial::LineSettings> applied;
    bool dtr = false;

    std::optional<PortOpenError> open(const std::string& name) override
    {
        ++opens;
        openedName = name;
        if (openFailure)
            return openFailure;
        open_ = true;
        return std::nullopt;
    }
    void close() override
    {
        if (open_)
            ++closes;
        open_ = false;
        dtr = false;
    }
    bool isOpen() const override { return open_; }
    std::intptr_t handle() const override { return open_ ? 7 : -1; }
    void prepareQueues(std::size_t input, std::size_t output) override
    {
        inputQueue = input;
        outputQueue = output;
        purged = true;
    }
    bool setWriteTimeouts(const torvane::serial::WriteTimeouts& t) override
    {
        timeouts = t;
        return timeoutsAccepted;
    }
    bool readSettings() override { return settingsReadable; }
    bool applySettings(const torvane::serial::LineSettings& settings) override
    {
        applied = settings;
        return settingsAccepted;
    }
    void raiseDtr() override { dtr = true; }
    std::optional<torvane::serial::ModemStatus> modemStatus() override
    {
        if (!modemLines)
            return std::nullopt;
        torvane::serial::ModemStatus status;
        status.lines = *modemLines;
        return status;
    }
    std::optional<std::size_t> write(const char* data, std::size_t size) override
    {
        const std::size_t taken = writeAccepts ? std::min(size, *writeAccepts) : size;
        writes.emplace_back(data, taken);
        return taken;
    }
    std::optional<std::size_t> read(char* buffer, std::size_t max) override
    {
        if (readFails) {
            errorFlags |= readFailFlags;
            return std::nullopt;
        }
        const std::size_t n = std::min(max, incoming.size());
        std::memcpy(buffer, incoming.data(), n);
        incoming.erase(0, n);
        return n;
    }
    unsigned readErrorFlags() override
    {
        const unsigned flags = errorFlags;
        errorFlags = 0;
        return flags;
    }

private:
    bool open_ = false;
};

} // namespace corvant::test
