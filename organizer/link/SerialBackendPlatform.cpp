// The serial control's devices: COMn through the platform's serial ports, so the organizer and
// the suite's main program reach the same phone through the same port names.
#include "organizer/link/CommControl.h"

#include "platform/serial/SerialPort.h"

namespace tessaro {

namespace {

namespace ser = torvane::serial;

class PlatformSerial : public SerialBackend {
public:
    OpenStatus open(int portNumber, QString& detail) override
    {
        auto opened = ser::SerialPort::open(portNumber);
        if (!opened) {
            detail = QString::fromStdString(opened.error().text);
            switch (opened.error().code) {
            case ser::SerialErrorCode::InUse:
                return OpenStatus::InUse;
            case ser::SerialErrorCode::BadName:
            case ser::SerialErrorCode::NotFound:
                return OpenStatus::NotFound;
            default:
                return OpenStatus::Failed;
            }
        }
        m_port = std::move(opened).value();
        return OpenStatus::Opened;
    }

    void close() override { m_port.close(); }

    bool configure(const LineSettings& s, QString& detail) override
    {
        ser::LineSettings line;
        line.baudRate = s.baud;
        line.dataBits = s.dataBits;
        switch (s.parity) {
        case 'e': line.parity = ser::Parity::Even; break;
        case 'o': line.parity = ser::Parity::Odd; break;
        case 'm': line.parity = ser::Parity::Mark; break;
        case 's': line.parity = ser::Parity::Space; break;
        default: line.parity = ser::Parity::None; break;
        }
        line.stopBits = s.stopBitsTimesTwo == 3 ? ser::StopBits::OnePointFive
                        : s.stopBitsTimesTwo == 4 ? ser::StopBits::Two
                                                  : ser::StopBits::One;
        const bool xonXoff = s.handshaking == 1 || s.handshaking == 3;
        const bool rts = s.handshaking == 2 || s.handshaking == 3;
        line.xonXoffInput = line.xonXoffOutput = xonXoff;
        line.ctsOutputFlow = rts;
        line.rtsControl = rts ? ser::LineControl::Handshake : ser::LineControl::Enable;
        const ser::SerialStatus applied = m_port.apply(line);
        if (!applied)
            detail = QString::fromStdString(applied.error().text);
        return applied.ok();
    }

    QByteArray readAll() override
    {
        auto got = m_port.readAll();
        // A line that dropped reads as silence; the wait then runs into its time-out.
        return got ? QByteArray::fromStdString(*got) : QByteArray();
    }

    bool write(const QByteArray& data) override
    {
        const auto written = m_port.write(data.constData(), std::size_t(data.size()));
        return written && *written == std::size_t(data.size());
    }

    int outQueueCount() override
    {
        const auto fill = m_port.outputQueueFill();
        return fill ? int(*fill) : 0;
    }

private:
    ser::SerialPort m_port;
};

} // namespace

std::unique_ptr<SerialBackend> makePlatformSerialBackend()
{
    return std::make_unique<PlatformSerial>();
}

} // namespace tessaro
