// Holds a port for one process handle. The terminal's own exclusive mode does not stop root and
// can outlive its holder, so every open takes advisory locks that root respects as well: one on
// the device node itself and one on a lock file named after the device numbers, which also
// catches a second node or link for the same device. The kernel drops both when the holder exits
// or crashes, so no lock outlives its process.
#pragma once

#include "platform/serial/SerialResult.h"

#include <string>

namespace torvane::serial {

class SerialPortLock {
public:
    SerialPortLock() = default;
    ~SerialPortLock();
    SerialPortLock(SerialPortLock&& other) noexcept;
    SerialPortLock& operator=(SerialPortLock&& other) noexcept;
    SerialPortLock(const SerialPortLock&) = delete;
    SerialPortLock& operator=(const SerialPortLock&) = delete;

    // deviceFd is the open device; name is used in error texts. InUse when someone holds it.
    static SerialResult<SerialPortLock> acquire(int deviceFd, const std::string& name);

    // The folder of the lock files: the suite's runtime folder. A port is not taken while that
    // is not the user's own private folder.
    static std::string lockFolder();

    void release();

private:
    int m_lockFileFd = -1;
};

} // namespace torvane::serial
