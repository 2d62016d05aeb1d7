// The line settings, modem lines and error flags of a serial port.
#pragma once

#include <cstdint>

namespace torvane::serial {

enum class Parity { None, Odd, Even, Mark, Space };
enum class StopBits { One, OnePointFive, Two };

// Enable and Disable hold the line high or low while the port is open; Handshake would hand
// the line to the driver, which only RTS (as RTS/CTS flow control) can do on this system.
enum class LineControl { Disable, Enable, Handshake };

struct LineSettings {
    int baudRate = 19200;
    int dataBits = 8;
    Parity parity = Parity::None;
    StopBits stopBits = StopBits::One;
    LineControl dtrControl = LineControl::Enable;
    LineControl rtsControl = LineControl::Enable;
    bool ctsOutputFlow = false; // RTS/CTS hardware flow control
    bool xonXoffOutput = false; // stop sending on XOFF from the other end
    bool xonXoffInput = false;  // send XOFF/XON when our input queue fills/empties

    bool operator==(const LineSettings&) const = default;
};

// Modem status bits; the values are what the port host shows in its diagnostics.
enum ModemLine : unsigned {
    ModemCts = 0x10,
    ModemDsr = 0x20,
    ModemRing = 0x40,
    ModemDcd = 0x80,
};

struct ModemStatus {
    unsigned lines = 0;     // ModemLine bits that are on
    bool reported = true;   // false: the device cannot report its lines and they are assumed

    bool cts() const { return lines & ModemCts; }
    bool dsr() const { return lines & ModemDsr; }
    bool ring() const { return lines & ModemRing; }
    bool dcd() const { return lines & ModemDcd; }
};

// Line error bits gathered since the previous readErrorFlags().
enum ErrorFlag : unsigned {
    ErrorRxOverflow = 0x0001, // the input queue overflowed
    ErrorOverrun = 0x0002,    // the receiver lost a character
    ErrorParity = 0x0004,
    ErrorFrame = 0x0008,
    ErrorBreak = 0x0010,
};

enum PurgeFlag : unsigned {
    PurgeInput = 0x1,
    PurgeOutput = 0x2,
};

// How long a write may take: multiplierMs per byte plus constantMs.
struct WriteTimeouts {
    int multiplierMs = 1;
    int constantMs = 500;
};

} // namespace torvane::serial
