// One open serial port, held exclusively: a second open of the same device, from this or
// another process of the suite, root included, fails with SerialErrorCode::InUse while the holder
// lives, and succeeds once it has ended, however it ended. Other programs, root excepted, are
// kept out by the terminal's exclusive mode on a serial device; a pseudo-terminal gets none.
//
// Reads never wait: read() takes what is waiting. write() hands over a whole buffer and waits
// for the driver to take it at most as long as the write time-outs allow.
#pragma once

#include "platform/serial/SerialPortLock.h"
#include "platform/serial/SerialResult.h"
#include "platform/serial/SerialSettings.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace torvane::serial {

class SerialPort {
public:
    SerialPort() = default;
    ~SerialPort();
    SerialPort(SerialPort&& other) noexcept;
    SerialPort& operator=(SerialPort&& other) noexcept;
    SerialPort(const SerialPort&) = delete;
    SerialPort& operator=(const SerialPort&) = delete;

    // Opens an existing device by port name ("COM3", a path) or port number (3 -> "COM3"),
    // empties both queues and puts the line in raw mode with the default LineSettings.
    // Errors: BadName, NotFound, AccessDenied, InUse, SettingRefused, SystemError.
    static SerialResult<SerialPort> open(std::string_view name);
    static SerialResult<SerialPort> open(int number);

    // Whether port `number` is there to be used, for a list of the ports a machine has: the
    // device is opened and its locks tried as open() does, then closed at once, with no
    // exclusive mode set and its line settings untouched. Ok when it could be opened now;
    // otherwise the error open() would give (InUse while another handle holds it).
    static SerialStatus probe(int number);

    bool isOpen() const { return m_fd >= 0; }
    void close();

    const std::string& name() const { return m_name; }
    const std::string& devicePath() const { return m_path; }
    // For a reader that wants to wait for input with poll(); the port keeps ownership.
    int fd() const { return m_fd; }

    // Validates, applies and reads back; on an error the port keeps whatever the device took.
    SerialStatus apply(const LineSettings& settings);
    // What the device has now, with the DTR/RTS controls last applied.
    SerialResult<LineSettings> settings() const;

    // Raise or lower DTR and RTS. A device without modem control lines (a pseudo-terminal)
    // has nothing to change and succeeds.
    SerialStatus setDtr(bool on);
    SerialStatus setRts(bool on);

    SerialStatus purge(unsigned purgeFlags = PurgeInput | PurgeOutput);

    SerialResult<std::size_t> bytesWaiting() const;
    // Up to max bytes of what is waiting; 0 when nothing is. LineDropped when the other end hung up.
    SerialResult<std::size_t> read(void* buffer, std::size_t max);
    SerialResult<std::string> readAll();

    // Writes all of data unless the write time-out passes first; the result is the number of
    // bytes the driver took (less than the size only on a time-out).
    SerialResult<std::size_t> write(const void* data, std::size_t size);
    SerialResult<std::size_t> write(std::string_view text) { return write(text.data(), text.size()); }
    void setWriteTimeouts(WriteTimeouts timeouts) { m_writeTimeouts = timeouts; }
    WriteTimeouts writeTimeouts() const { return m_writeTimeouts; }

    // The queue sizes a program asks for; the output size is what it may count on for one write.
    void setQueueSizes(std::size_t input, std::size_t output);
    std::size_t inputQueueSize() const { return m_inputQueueSize; }
    std::size_t outputQueueSize() const { return m_outputQueueSize; }
    // Bytes written but not yet sent on the line.
    SerialResult<std::size_t> outputQueueFill() const;

    // ErrorFlag bits seen since the previous call (and so cleared by it).
    SerialResult<unsigned> readErrorFlags();

    // CTS, DSR, RI and DCD. A device that cannot report them is taken as a cable with DSR, CTS
    // and DCD on (reported = false); a hung-up line reports every line off.
    SerialResult<ModemStatus> modemStatus() const;

private:
    SerialPort(int fd, std::string name, std::string path, SerialPortLock lock);
    SerialStatus requireOpen() const;
    SerialStatus setModemLine(int bit, bool on, const char* lineName);
    bool hungUp() const;

    int m_fd = -1;
    std::string m_name;
    std::string m_path;
    SerialPortLock m_lock;
    bool m_exclusive = false; // the terminal's exclusive mode is ours to clear
    LineSettings m_lineControls; // only the DTR/RTS controls are used from it
    WriteTimeouts m_writeTimeouts;
    std::size_t m_inputQueueSize = 4096;
    std::size_t m_outputQueueSize = 4096;
    // Driver error counters at the previous readErrorFlags().
    int m_lastFrame = 0, m_lastOverrun = 0, m_lastParity = 0, m_lastBreak = 0, m_lastBufOverrun = 0;
    bool m_haveCounters = false;
};

} // namespace torvane::serial
