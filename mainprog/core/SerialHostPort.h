// The engine host's port on a real serial device (platform/serial).
#pragma once

#include "mainprog/core/HostPort.h"
#include "platform/serial/SerialPort.h"

namespace corvant {

class SerialHostPort : public HostPort {
public:
    std::optional<PortOpenError> open(const std::string& name) override;
    void close() override;
    bool isOpen() const override;
    std::intptr_t handle() const override;
    void prepareQueues(std::size_t input, std::size_t output) override;
    bool setWriteTimeouts(const torvane::serial::WriteTimeouts& timeouts) override;
    bool readSettings() override;
    bool applySettings(const torvane::serial::LineSettings& settings) override;
    void raiseDtr() override;
    std::optional<torvane::serial::ModemStatus> modemStatus() override;
    std::optional<std::size_t> write(const char* data, std::size_t size) override;
    std::optional<std::size_t> read(char* buffer, std::size_t max) override;
    unsigned readErrorFlags() override;

private:
    torvane::serial::SerialPort port_;
};

} // namespace corvant
