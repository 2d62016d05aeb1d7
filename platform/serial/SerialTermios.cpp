#include "platform/serial/SerialTermios.h"

#include <asm/ioctls.h>
#include <asm/termbits.h>
#include <cerrno>
#include <cstdlib>
#include <sys/ioctl.h>

namespace torvane::serial {

namespace {

struct StandardRate {
    int rate;
    unsigned code;
};

constexpr StandardRate kStandardRates[] = {
    {50, B50},         {75, B75},         {110, B110},       {134, B134},       {150, B150},
    {200, B200},       {300, B300},       {600, B600},       {1200, B1200},     {1800, B1800},
    {2400, B2400},     {4800, B4800},     {9600, B9600},     {19200, B19200},   {38400, B38400},
    {57600, B57600},   {115200, B115200}, {230400, B230400}, {460800, B460800}, {500000, B500000},
    {576000, B576000}, {921600, B921600}, {1000000, B1000000},
};

SerialError refused(const std::string& name, const std::string& what)
{
    return makeError(SerialErrorCode::SettingRefused, name + ": the device does not take " + what);
}

SerialError unsupported(const std::string& name, const std::string& what)
{
    return makeError(SerialErrorCode::UnsupportedSetting, name + ": " + what + " is not supported");
}

const char* parityName(Parity p)
{
    switch (p) {
    case Parity::None: return "no parity";
    case Parity::Odd: return "odd parity";
    case Parity::Even: return "even parity";
    case Parity::Mark: return "mark parity";
    case Parity::Space: return "space parity";
    }
    return "parity";
}

tcflag_t sizeFlag(int dataBits)
{
    switch (dataBits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
    }
}

Parity parityOf(tcflag_t cflag)
{
    if (!(cflag & PARENB))
        return Parity::None;
    if (cflag & CMSPAR)
        return (cflag & PARODD) ? Parity::Mark : Parity::Space;
    return (cflag & PARODD) ? Parity::Odd : Parity::Even;
}

int dataBitsOf(tcflag_t cflag)
{
    switch (cflag & CSIZE) {
    case CS5: return 5;
    case CS6: return 6;
    case CS7: return 7;
    default: return 8;
    }
}

// Rates a driver rounds to its clock count as taken when they are this close.
bool closeEnough(unsigned wanted, unsigned got)
{
    return std::abs(long(wanted) - long(got)) * 100 <= long(wanted) * 3;
}

} // namespace

SerialStatus validateLineSettings(const LineSettings& s, const std::string& name)
{
    if (s.baudRate <= 0)
        return unsupported(name, "the baud rate " + std::to_string(s.baudRate));
    if (s.dataBits < 5 || s.dataBits > 8)
        return unsupported(name, std::to_string(s.dataBits) + " data bits");
    if (s.stopBits == StopBits::OnePointFive && s.dataBits != 5)
        return unsupported(name, "1.5 stop bits with " + std::to_string(s.dataBits) + " data bits");
    if (s.stopBits == StopBits::Two && s.dataBits == 5)
        return unsupported(name, "2 stop bits with 5 data bits");
    if (s.dtrControl == LineControl::Handshake)
        return unsupported(name, "DTR handshaking");
    return {};
}

SerialStatus applyLineSettings(int fd, const LineSettings& s, const std::string& name)
{
    if (auto valid = validateLineSettings(s, name); !valid)
        return valid;

    termios2 tio {};
    if (::ioctl(fd, TCGETS2, &tio) != 0)
        return systemError(errno, name + ": cannot read the line settings");

    tio.c_iflag &= ~tcflag_t(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF
                             | IXANY | INPCK | IUCLC | IMAXBEL);
    tio.c_oflag &= ~tcflag_t(OPOST);
    tio.c_lflag &= ~tcflag_t(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    tio.c_cflag &= ~tcflag_t(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS | CBAUD | CIBAUD);
    tio.c_cflag |= CREAD | CLOCAL | HUPCL | sizeFlag(s.dataBits);
    switch (s.parity) {
    case Parity::None: break;
    case Parity::Odd: tio.c_cflag |= PARENB | PARODD; break;
    case Parity::Even: tio.c_cflag |= PARENB; break;
    case Parity::Mark: tio.c_cflag |= PARENB | CMSPAR | PARODD; break;
    case Parity::Space: tio.c_cflag |= PARENB | CMSPAR; break;
    }
    if (s.parity != Parity::None)
        tio.c_iflag |= INPCK;
    // The terminal driver knows one stop-bit flag: with 5 data bits it means 1.5 bits.
    if (s.stopBits != StopBits::One)
        tio.c_cflag |= CSTOPB;
    const bool hardwareFlow = s.ctsOutputFlow || s.rtsControl == LineControl::Handshake;
    if (hardwareFlow)
        tio.c_cflag |= CRTSCTS;
    if (s.xonXoffOutput)
        tio.c_iflag |= IXON;
    if (s.xonXoffInput)
        tio.c_iflag |= IXOFF;
    tio.c_cc[VMIN] = 1; // with a non-blocking descriptor an empty read says "nothing waiting"
    tio.c_cc[VTIME] = 0;

    unsigned code = BOTHER;
    for (const auto& r : kStandardRates)
        if (r.rate == s.baudRate)
            code = r.code;
    tio.c_cflag |= code;
    tio.c_ispeed = tio.c_ospeed = speed_t(s.baudRate);

    if (::ioctl(fd, TCSETS2, &tio) != 0) {
        if (errno == EINVAL)
            return refused(name, "these line settings");
        return systemError(errno, name + ": cannot set the line settings");
    }

    termios2 back {};
    if (::ioctl(fd, TCGETS2, &back) != 0)
        return systemError(errno, name + ": cannot read the line settings back");
    if (!closeEnough(unsigned(s.baudRate), back.c_ospeed))
        return refused(name, "the baud rate " + std::to_string(s.baudRate));
    if (dataBitsOf(back.c_cflag) != s.dataBits)
        return refused(name, std::to_string(s.dataBits) + " data bits");
    if (parityOf(back.c_cflag) != s.parity)
        return refused(name, parityName(s.parity));
    if (bool(back.c_cflag & CSTOPB) != (s.stopBits != StopBits::One))
        return refused(name, s.stopBits == StopBits::One ? "1 stop bit" : "the stop bits asked for");
    if (bool(back.c_cflag & CRTSCTS) != hardwareFlow)
        return refused(name, "RTS/CTS flow control");
    if (bool(back.c_iflag & IXON) != s.xonXoffOutput || bool(back.c_iflag & IXOFF) != s.xonXoffInput)
        return refused(name, "XON/XOFF flow control");
    return {};
}

SerialResult<LineSettings> readLineSettings(int fd, const std::string& name)
{
    termios2 tio {};
    if (::ioctl(fd, TCGETS2, &tio) != 0)
        return systemError(errno, name + ": cannot read the line settings");
    LineSettings s;
    s.baudRate = int(tio.c_ospeed);
    s.dataBits = dataBitsOf(tio.c_cflag);
    s.parity = parityOf(tio.c_cflag);
    s.stopBits = !(tio.c_cflag & CSTOPB) ? StopBits::One
                 : s.dataBits == 5       ? StopBits::OnePointFive
                                         : StopBits::Two;
    s.ctsOutputFlow = tio.c_cflag & CRTSCTS;
    s.xonXoffOutput = tio.c_iflag & IXON;
    s.xonXoffInput = tio.c_iflag & IXOFF;
    return s;
}

} // namespace torvane::serial
