// The organizer's serial control: the port number, the line settings text and the
// handshaking of the link, opening and closing, writing, reading all that waits, and the
// output buffer's size and fill. Its failures are raised with the control's error numbers,
// which the link and the port dialog test for (8005: the port is in use by another program).
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <memory>

namespace tessaro {

constexpr int CommErrInvalidPropertyValue = 380;
constexpr int CommErrPortOpen = 8000;        // not allowed while the port is open
constexpr int CommErrInvalidPort = 8002;     // no such port
constexpr int CommErrPortInUse = 8005;       // opened by another program
constexpr int CommErrPortUnusable = 8010;    // exists, but cannot be used
constexpr int CommErrSettingRefused = 8015;  // the device refused a line setting
constexpr int CommErrPortNotOpen = 8018;     // needs an open port
constexpr int CommErrIo = 8020;              // reading or writing failed

struct LineSettings {
    int baud = 19200;
    char parity = 'n'; // n, e, o, m, s
    int dataBits = 8;
    int stopBitsTimesTwo = 2; // 2: 1 stop bit, 3: 1.5, 4: 2
    int handshaking = 0;      // 0 none, 1 Xon/Xoff, 2 RTS, 3 RTS and Xon/Xoff
};

// What the control needs of a serial device.
class SerialBackend {
public:
    enum class OpenStatus { Opened, InUse, NotFound, Failed };

    virtual ~SerialBackend() = default;
    virtual OpenStatus open(int portNumber, QString& detail) = 0;
    virtual void close() = 0;
    virtual bool configure(const LineSettings& settings, QString& detail) = 0;
    virtual QByteArray readAll() = 0;
    virtual bool write(const QByteArray& data) = 0;
    virtual int outQueueCount() = 0;
};

// The product's devices: COMn through platform/serial.
std::unique_ptr<SerialBackend> makePlatformSerialBackend();

// Parses a settings text such as "19200,N,8,1" (parity in either case). False when it is not one.
bool parseLineSettings(const QString& text, LineSettings& out);
// The text of line settings, parity as a lower-case letter ("19200,n,8,1").
QString lineSettingsText(const LineSettings& s);

class CommControl {
public:
    explicit CommControl(std::unique_ptr<SerialBackend> backend);
    ~CommControl();

    std::int16_t CommPort() const { return m_port; }
    void setCommPort(std::int16_t port);

    QString Settings() const { return lineSettingsText(m_settings); }
    void setSettings(const QString& text);

    int Handshaking() const { return m_settings.handshaking; }
    void setHandshaking(int value);

    bool PortOpen() const { return m_open; }
    void setPortOpen(bool open);

    void Output(const QByteArray& data);
    QByteArray Input();

    int OutBufferSize() const { return m_outBufferSize; }
    int OutBufferCount();

    SerialBackend& backend() { return *m_backend; }

private:
    void apply(const LineSettings& s);

    std::unique_ptr<SerialBackend> m_backend;
    std::int16_t m_port = 1;
    LineSettings m_settings;
    bool m_open = false;
    int m_outBufferSize = 512;
};

} // namespace tessaro
