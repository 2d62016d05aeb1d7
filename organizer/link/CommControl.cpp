#include "organizer/link/CommControl.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"

#include <QStringList>

namespace tessaro {

namespace {

[[noreturn]] void raise(int number, const QString& description)
{
    throw OrgError(number, AppTitle, description);
}

} // namespace

bool parseLineSettings(const QString& text, LineSettings& out)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return false;
    bool ok = false;
    LineSettings s = out;
    s.baud = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baud <= 0)
        return false;
    const QString parity = parts[1].trimmed().toLower();
    if (parity.size() != 1 || !QStringLiteral("neoms").contains(parity))
        return false;
    s.parity = char(parity[0].unicode());
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 4 || s.dataBits > 8)
        return false;
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBitsTimesTwo = 2;
    else if (stop == QLatin1String("1.5"))
        s.stopBitsTimesTwo = 3;
    else if (stop == QLatin1String("2"))
        s.stopBitsTimesTwo = 4;
    else
        return false;
    out = s;
    return true;
}

QString lineSettingsText(const LineSettings& s)
{
    const char* stop = s.stopBitsTimesTwo == 3 ? "1.5" : s.stopBitsTimesTwo == 4 ? "2" : "1";
    return QStringLiteral("%1,%2,%3,%4")
        .arg(s.baud)
        .arg(QLatin1Char(s.parity))
        .arg(s.dataBits)
        .arg(QLatin1String(stop));
}

CommControl::CommControl(std::unique_ptr<SerialBackend> backend) : m_backend(std::move(backend)) {}

CommControl::~CommControl()
{
    if (m_open)
        m_backend->close();
}

void CommControl::setCommPort(std::int16_t port)
{
    if (port == m_port)
        return;
    if (port < 1)
        raise(CommErrInvalidPort, QStringLiteral("Invalid port number"));
    if (m_open)
        raise(CommErrPortOpen, QStringLiteral("Operation not valid while the port is opened"));
    m_port = port;
}

void CommControl::apply(const LineSettings& s)
{
    if (!m_open)
        return;
    QString detail;
    if (!m_backend->configure(s, detail))
        raise(CommErrSettingRefused, QStringLiteral("Could not set the line settings: ") + detail);
}

void CommControl::setSettings(const QString& text)
{
    LineSettings s = m_settings;
    if (!parseLineSettings(text, s))
        raise(CommErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
    apply(s);
    m_settings = s;
}

void CommControl::setHandshaking(int value)
{
    if (value < 0 || value > 3)
        raise(CommErrInvalidPropertyValue, QStringLiteral("Invalid property value"));
    LineSettings s = m_settings;
    s.handshaking = value;
    apply(s);
    m_settings = s;
}

void CommControl::setPortOpen(bool open)
{
    if (open == m_open) {
        if (open)
            raise(CommErrPortOpen, QStringLiteral("Port already open"));
        return;
    }
    if (!open) {
        m_backend->close();
        m_open = false;
        return;
    }
    QString detail;
    switch (m_backend->open(m_port, detail)) {
    case SerialBackend::OpenStatus::Opened:
        break;
    case SerialBackend::OpenStatus::InUse:
        raise(CommErrPortInUse, QStringLiteral("Port already open"));
    case SerialBackend::OpenStatus::NotFound:
        raise(CommErrInvalidPort, QStringLiteral("Invalid port number"));
    case SerialBackend::OpenStatus::Failed:
        raise(CommErrPortUnusable, QStringLiteral("The port cannot be used: ") + detail);
    }
    if (!m_backend->configure(m_settings, detail)) {
        m_backend->close();
        raise(CommErrSettingRefused, QStringLiteral("Could not set the line settings: ") + detail);
    }
    m_open = true;
}

void CommControl::Output(const QByteArray& data)
{
    if (!m_open)
        raise(CommErrPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    if (!m_backend->write(data))
        raise(CommErrIo, QStringLiteral("Writing to the port failed"));
}

QByteArray CommControl::Input()
{
    if (!m_open)
        raise(CommErrPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    return m_backend->readAll();
}

int CommControl::OutBufferCount()
{
    if (!m_open)
        raise(CommErrPortNotOpen, QStringLiteral("Operation valid only when the port is open"));
    return m_backend->outQueueCount();
}

} // namespace tessaro
