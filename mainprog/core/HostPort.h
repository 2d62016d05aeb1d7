// The serial port as the engine host uses it: the product binds it to platform/serial
// (SerialHostPort), tests to an in-memory port. Calls come from the UI thread and from the
// reader thread; the host serialises them with its port lock.
#pragma once

#include "platform/serial/SerialSettings.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

namespace corvant {

struct PortOpenError {
    bool accessDenied = false; // the system refused access (another program holds the port)
    int systemCode = 0;        // the system's error number, shown in the diagnostics
};

class HostPort {
public:
    virtual ~HostPort() = default;

    // Opens an existing device exclusively for reading and writing; nullopt on success.
    virtual std::optional<PortOpenError> open(const std::string& name) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // What the diagnostics show as the port handle; -1 while closed.
    virtual std::intptr_t handle() const = 0;

    // Asks for the queue sizes and empties both queues, aborting pending transfers.
    virtual void prepareQueues(std::size_t input, std::size_t output) = 0;
    virtual bool setWriteTimeouts(const torvane::serial::WriteTimeouts& timeouts) = 0;
    // False when the port's current line settings cannot be read.
    virtual bool readSettings() = 0;
    // False when the port does not take them.
    virtual bool applySettings(const torvane::serial::LineSettings& settings) = 0;
    virtual void raiseDtr() = 0;
    // nullopt when the modem lines cannot be read.
    virtual std::optional<torvane::serial::ModemStatus> modemStatus() = 0;

    // Bytes taken by the driver; nullopt when the write failed.
    virtual std::optional<std::size_t> write(const char* data, std::size_t size) = 0;
    // Up to max of the bytes waiting (0 when none); nullopt when the read failed.
    virtual std::optional<std::size_t> read(char* buffer, std::size_t max) = 0;
    // ErrorFlag bits since the previous call.
    virtual unsigned readErrorFlags() = 0;
};

} // namespace corvant
