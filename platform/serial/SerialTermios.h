// Line settings to and from the terminal driver. Kept apart because it speaks the kernel's
// termios2 interface (any baud rate), which cannot share a file with the C library's termios.
#pragma once

#include "platform/serial/SerialResult.h"
#include "platform/serial/SerialSettings.h"

#include <string>

namespace torvane::serial {

// UnsupportedSetting for values no serial device takes (5 to 8 data bits; 1.5 stop bits only
// with 5 data bits, 2 only with 6 to 8; DTR cannot be a handshake line here).
SerialStatus validateLineSettings(const LineSettings& settings, const std::string& name);

// Puts the device in raw binary mode with the given framing and flow control, then reads the
// settings back: a driver that silently keeps something else (a pseudo-terminal forces 8 bits
// without parity) gives SettingRefused naming the setting.
SerialStatus applyLineSettings(int fd, const LineSettings& settings, const std::string& name);

// Framing and flow control as the device has them; DTR/RTS controls are left at their defaults
// (the driver does not keep them; the port remembers what it was given).
SerialResult<LineSettings> readLineSettings(int fd, const std::string& name);

} // namespace torvane::serial
