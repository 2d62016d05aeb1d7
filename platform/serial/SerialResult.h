// Outcome of a serial port operation: a value or an error with a number and a text.
// Callers branch on the number (the organizer retries on InUse); the text is for people.
#pragma once

#include <string>
#include <utility>
#include <variant>

namespace torvane::serial {

enum class SerialErrorCode : int {
    BadName = 1,            // not a port name or number we can map to a device
    NotFound = 2,           // no such device
    AccessDenied = 3,       // the device exists but we may not open it
    InUse = 4,              // another handle, in this or another process, holds the port
    NotOpen = 5,            // the operation needs an open port
    UnsupportedSetting = 6, // a line setting that no device of this kind can take
    SettingRefused = 7,     // the device did not keep a setting it was given
    LineDropped = 8,        // the other end hung up (a phone unplugged, a simulator gone)
    TimedOut = 9,           // the write time-out passed before everything was written
    SystemError = 10,       // any other failure of the operating system; see systemError
};

struct SerialError {
    SerialErrorCode code = SerialErrorCode::SystemError;
    int systemError = 0; // errno when the system reported one, else 0
    std::string text;

    int number() const { return int(code); }
};

template <class T>
class SerialResult {
public:
    SerialResult(T value) : m_data(std::move(value)) {}
    SerialResult(SerialError error) : m_data(std::move(error)) {}

    bool ok() const { return m_data.index() == 0; }
    explicit operator bool() const { return ok(); }

    T& value() & { return std::get<0>(m_data); }
    const T& value() const& { return std::get<0>(m_data); }
    T&& value() && { return std::get<0>(std::move(m_data)); }
    T* operator->() { return &value(); }
    const T* operator->() const { return &value(); }
    T& operator*() & { return value(); }
    const T& operator*() const& { return value(); }
    T&& operator*() && { return std::move(*this).value(); }

    const SerialError& error() const { return std::get<1>(m_data); }

private:
    std::variant<T, SerialError> m_data;
};

template <>
class SerialResult<void> {
public:
    SerialResult() = default;
    SerialResult(SerialError error) : m_error(std::move(error)), m_ok(false) {}

    bool ok() const { return m_ok; }
    explicit operator bool() const { return m_ok; }
    const SerialError& error() const { return m_error; }

private:
    SerialError m_error;
    bool m_ok = true;
};

using SerialStatus = SerialResult<void>;

// Builds an error from errno with the given context ("COM3: cannot open /dev/ttyS2").
SerialError systemError(int err, const std::string& context);
SerialError makeError(SerialErrorCode code, std::string text, int systemError = 0);

} // namespace torvane::serial
