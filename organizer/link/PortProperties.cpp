#include "organizer/link/PortProperties.h"

#include "organizer/link/CommControl.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Settings.h"
#include "organizer/link/TextRoutines.h"

#include "platform/serial/SerialPort.h"

#include <limits>

namespace tessaro {

const QStringList PortSpeeds = {QStringLiteral("2400"),  QStringLiteral("4800"),  QStringLiteral("9600"),
                                QStringLiteral("14400"), QStringLiteral("19200"), QStringLiteral("28800"),
                                QStringLiteral("38400"), QStringLiteral("56000"), QStringLiteral("57600"),
                                QStringLiteral("115200")};
const QStringList PortDataBits = {QStringLiteral("4"), QStringLiteral("5"), QStringLiteral("6"), QStringLiteral("7"),
                                  QStringLiteral("8")};
const QStringList PortParities = {QStringLiteral("Even"), QStringLiteral("Odd"), QStringLiteral("None"),
                                  QStringLiteral("Mark"), QStringLiteral("Space")};
const QStringList PortStopBits = {QStringLiteral("1"), QStringLiteral("1.5"), QStringLiteral("2")};

namespace {

constexpr int ErrInvalidProcedureCall = 5;
constexpr int ErrInvalidPropertyValue = 380;

// The letters of the parities in the order of PortParities.
constexpr char kParityLetters[] = "eonms";

bool platformProbe(int portNumber)
{
    namespace ser = torvane::serial;
    const ser::SerialStatus probed = ser::SerialPort::probe(portNumber);
    if (probed)
        return true;
    // A port that another program holds, or that the user may not open, is there all the
    // same: choosing it shows why it cannot be opened. A device node without hardware behind
    // it (an input/output error) is not a port.
    switch (probed.error().code) {
    case ser::SerialErrorCode::InUse:
    case ser::SerialErrorCode::AccessDenied:
        return true;
    default:
        return false;
    }
}

PortProbe& installedProbe()
{
    static PortProbe probe;
    return probe;
}

void showRefusal(const OrgError& err)
{
    MsgBox(err.description(), vbExclamation, AppTitle);
}

} // namespace

PortProbe setPortProbe(PortProbe probe)
{
    PortProbe old = std::move(installedProbe());
    installedProbe() = std::move(probe);
    return old;
}

bool PortPresent(int portNumber)
{
    return installedProbe() ? installedProbe()(portNumber) : platformProbe(portNumber);
}

SettingsFields SplitSettingsText(const QString& text)
{
    const qsizetype k = text.contains(QLatin1Char('.')) ? 2 : 0;
    const qsizetype n = text.size();
    if (n < k + 6)
        throw OrgError(ErrInvalidProcedureCall, AppTitle, QStringLiteral("Invalid procedure call or argument"));
    SettingsFields f;
    f.speed = text.left(n - k - 6);
    f.dataBits = text.mid(n - k - 3, 1);
    f.stopBits = text.right(k + 1);
    const QChar parity = text.at(n - k - 5);
    for (int i = 0; kParityLetters[i] != '\0'; ++i)
        if (parity == QLatin1Char(kParityLetters[i]))
            f.parity = i;
    return f;
}

QString ComposeSettingsText(const QString& speed, const QString& parity, const QString& dataBits,
                            const QString& stopBits)
{
    const QString comma = QStringLiteral(",");
    return speed.trimmed() + comma + parity.left(1) + comma + dataBits.trimmed() + comma + stopBits.trimmed();
}

QString NumericBoxText(const QString& text, const QString& fallback)
{
    const std::int64_t value = LeadingNumber(text);
    constexpr std::int64_t largest = std::numeric_limits<std::int32_t>::max();
    if (value > largest || value < -largest)
        return fallback;
    return QString::number(value);
}

std::int16_t LinkWaitFromText(const QString& text)
{
    const std::int64_t value = LeadingNumber(text);
    if (value > std::numeric_limits<std::int16_t>::max())
        throw overflowError();
    return std::int16_t(value < MinLinkWaitMs ? MinLinkWaitMs : value);
}

QString LinkWaitBoxText(const QString& text)
{
    if (LeadingNumber(text) > std::numeric_limits<std::int16_t>::max())
        return text;
    return QString::number(LinkWaitFromText(text));
}

bool LoadPortProperties(CommControl& comm, PortWindowFields& fields)
{
    fields.ports.clear();
    fields.port = -1;
    for (int n = FirstListedPort; n <= LastListedPort; ++n) {
        try {
            if (PortPresent(n))
                fields.ports << QStringLiteral("COM") + QString::number(n);
        } catch (const std::exception&) {
            // A port that cannot even be asked about is not listed.
        }
    }

    try {
        fields.listsFilled = true;
        fields.settings = SplitSettingsText(comm.Settings());

        comm.setCommPort(ComPort);
        if (fields.ports.isEmpty())
            throw OrgError(ErrInvalidPropertyValue, AppTitle, QStringLiteral("Invalid property value"));
        const qsizetype current = fields.ports.indexOf(QStringLiteral("COM") + QString::number(ComPort));
        fields.port = current >= 0 ? int(current) : 0;

        fields.handshaking = comm.Handshaking();

        fields.timeout = QString::number(ComTimeout);
        fields.infrared = Infrared == 1;
        fields.infraredDelay = QString::number(IrdaEffectiveDelay);
        fields.infraredDelayEnabled = fields.infrared;
        return true;
    } catch (const OrgError& err) {
        if (err.number() != 0)
            ShowErrorBox(err, QStringLiteral("LoadPropertySettings"));
        return false;
    }
}

PortApplyResult ApplyPortProperties(CommControl& comm, PortChoice& choice)
{
    const std::int16_t oldPort = comm.CommPort();
    const std::int64_t wanted = LeadingNumber(choice.port.mid(3));
    // No entry chosen (or a number no port has) is port 0, which the control refuses.
    const std::int16_t newPort = wanted >= 1 && wanted <= std::numeric_limits<std::int16_t>::max()
                                     ? std::int16_t(wanted)
                                     : std::int16_t(0);

    if (newPort != oldPort) {
        const bool wasOpen = comm.PortOpen();
        try {
            if (wasOpen)
                comm.setPortOpen(false);
            comm.setCommPort(newPort);
        } catch (const OrgError& err) {
            if (wasOpen) {
                try {
                    comm.setPortOpen(true);
                } catch (const OrgError&) {
                    // The link opens it again, and reports why not, at its next use.
                }
            }
            showRefusal(err);
            return PortApplyResult::Refused;
        }
    }

    try {
        comm.setSettings(ComposeSettingsText(choice.speed, choice.parity, choice.dataBits, choice.stopBits));
        comm.setHandshaking(choice.handshaking);
    } catch (const OrgError& err) {
        showRefusal(err);
        return PortApplyResult::Refused;
    }

    try {
        ComPort = comm.CommPort();
        ComTimeout = LinkWaitFromText(choice.timeout);
        choice.timeout = QString::number(ComTimeout);
        Infrared = choice.infrared ? 1 : 0;
        if (choice.infrared) {
            InfraredDelay = LinkWaitFromText(choice.infraredDelay);
            IrdaEffectiveDelay = InfraredDelay;
            choice.infraredDelay = QString::number(InfraredDelay);
            InfraredPort = ComPort;
        } else {
            IrdaEffectiveDelay = 1;
            InfraredPort = -1;
        }
    } catch (const OrgError& err) {
        if (err.number() != 0)
            ShowErrorBox(err, QStringLiteral("cmdOK_Click"));
        return PortApplyResult::Failed;
    }
    return RegValSet() ? PortApplyResult::Saved : PortApplyResult::Failed;
}

} // namespace tessaro
