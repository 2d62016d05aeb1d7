// Maps the suite's port names to devices: "COMn" is the device linked as
// $XDG_CONFIG_HOME/torvane/ports/COMn, else /dev/ttyS{n-1}; a name holding "/" is a path.
#pragma once

#include "platform/serial/SerialResult.h"

#include <string>
#include <string_view>

namespace torvane::serial {

// The folder where COMn links live ($XDG_CONFIG_HOME/torvane/ports, or ~/.config/...).
std::string portLinkFolder();

// "COM" + number, for the port numbers a settings window keeps (1 to 16 there; any n >= 1 here).
std::string portNameForNumber(int number);

// The device path for a port name. "com3" and "COM3:" are taken like "COM3".
// BadName for anything that is neither a COM name nor a path.
SerialResult<std::string> resolvePortName(std::string_view name);

} // namespace torvane::serial
