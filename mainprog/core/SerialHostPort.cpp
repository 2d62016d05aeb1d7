#include "mainprog/core/SerialHostPort.h"

namespace corvant {

using torvane::serial::SerialErrorCode;
using torvane::serial::SerialPort;

std::optional<PortOpenError> SerialHostPort::open(const std::string& name)
{
    auto opened = SerialPort::open(name);
    if (!opened) {
        const auto& error = opened.error();
        PortOpenError failure;
        failure.accessDenied = error.code == SerialErrorCode::AccessDenied || error.code == SerialErrorCode::InUse;
        failure.systemCode = error.systemError != 0 ? error.systemError : error.number();
        return failure;
    }
    port_ = std::move(opened).value();
    return std::nullopt;
}

void SerialHostPort::close()
{
    port_.close();
}

bool SerialHostPort::isOpen() const
{
    return port_.isOpen();
}

std::intptr_t SerialHostPort::handle() const
{
    return port_.isOpen() ? port_.fd() : -1;
}

void SerialHostPort::prepareQueues(std::size_t input, std::size_t output)
{
    port_.setQueueSizes(input, output);
    port_.purge();
}

bool SerialHostPort::setWriteTimeouts(const torvane::serial::WriteTimeouts& timeouts)
{
    if (!port_.isOpen())
        return false;
    port_.setWriteTimeouts(timeouts);
    return true;
}

bool SerialHostPort::readSettings()
{
    return port_.settings().ok();
}

bool SerialHostPort::applySettings(const torvane::serial::LineSettings& settings)
{
    return port_.apply(settings).ok();
}

void SerialHostPort::raiseDtr()
{
    port_.setDtr(true);
}

std::optional<torvane::serial::ModemStatus> SerialHostPort::modemStatus()
{
    auto status = port_.modemStatus();
    if (!status)
        return std::nullopt;
    return *status;
}

std::optional<std::size_t> SerialHostPort::write(const char* data, std::size_t size)
{
    auto written = port_.write(data, size);
    if (!written)
        return std::nullopt;
    return *written;
}

std::optional<std::size_t> SerialHostPort::read(char* buffer, std::size_t max)
{
    auto got = port_.read(buffer, max);
    if (!got)
        return std::nullopt;
    return *got;
}

unsigned SerialHostPort::readErrorFlags()
{
    auto flags = port_.readErrorFlags();
    return flags ? *flags : 0;
}

} // namespace corvant
