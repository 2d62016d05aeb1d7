#include "organizer/link/Settings.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/Registry.h"
#include "organizer/link/TextRoutines.h"

#include "platform/ui/locale/LocaleService.h"

#include <cmath>
#include <limits>
#include <optional>

namespace tessaro {

const QString RightsNotice =
    QStringLiteral("Tessaro, the organizer of the Torvane suite for mobile phones. All rights reserved.");

namespace {

constexpr RegRoot CU = RegRoot::CurrentUser;
constexpr RegRoot LM = RegRoot::LocalMachine;

// A value as a whole number, as an assignment to an integer variable converts it: a number as
// it is, a text by its numeric value rounded half to even. Nothing when the text is not a
// number or the value does not fit.
std::optional<std::int64_t> toInteger(const RegData& data, std::int64_t min, std::int64_t max)
{
    double value = 0;
    if (const auto* n = std::get_if<std::int32_t>(&data)) {
        value = *n;
    } else {
        bool ok = false;
        value = std::get<QString>(data).trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(value))
            return std::nullopt;
        value = std::nearbyint(value);
    }
    if (value < double(min) || value > double(max))
        return std::nullopt;
    return std::int64_t(value);
}

std::optional<std::int16_t> toInt16(const RegData& data)
{
    const auto v = toInteger(data, std::numeric_limits<std::int16_t>::min(), std::numeric_limits<std::int16_t>::max());
    return v ? std::optional<std::int16_t>(std::int16_t(*v)) : std::nullopt;
}

std::optional<std::int32_t> toInt32(const RegData& data)
{
    const auto v = toInteger(data, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
    return v ? std::optional<std::int32_t>(std::int32_t(*v)) : std::nullopt;
}

// The numeric value of a value's text (its leading number).
std::int64_t numericValue(const RegData& data)
{
    if (const auto* n = std::get_if<std::int32_t>(&data))
        return *n;
    return LeadingNumber(std::get<QString>(data));
}

QString textOf(const RegData& data)
{
    if (const auto* n = std::get_if<std::int32_t>(&data))
        return QString::number(*n);
    return std::get<QString>(data);
}

// Strings read from a system that hands back the stored NUL and one more character.
QString cutForNT(QString s)
{
    if (IsWindowsNT())
        s.chop(2);
    return s;
}

std::int32_t halfOf(int twips) { return std::int32_t(std::nearbyint(twips / 2.0)); }
std::int32_t quarterOf(int twips) { return std::int32_t(std::nearbyint(twips / 4.0)); }

bool readSetting(const QString& name, RegData& value)
{
    return RegValueGet(CU, SettingsKey, name, value);
}

void settingsFailure(const QString& procName, const QString& failedName)
{
    const RegErrorState err = LastRegError();
    ShowErrorBoxWithLine(err.number, err.number != 0 ? AppTitle : QString(), err.description, procName,
                         failedName);
}

} // namespace

bool RegValCreate()
{
    struct MachineStep {
        const QString& key;
        const char* className;
    };
    const MachineStep machineSteps[] = {
        {MachineKeyVendor, "Torvane"}, {MachineKeyProgram, "Tessaro"}, {MachineKeyRights, "Tessaro"}};
    for (const MachineStep& step : machineSteps) {
        if (!RegKeyEnsure(LM, step.key, QLatin1String(step.className))) {
            settingsFailure(QStringLiteral("RegValCreate"), QLatin1String(step.className));
            return false;
        }
    }
    if (!RegValueWrite(LM, MachineKeyRights, QStringLiteral("Tessaro"), RightsNotice)) {
        settingsFailure(QStringLiteral("RegValCreate"), QStringLiteral("Tessaro"));
        return false;
    }
    static const char* const valueNames[] = {"ComPort",       "ComSettings", "ComTimeout", "Handshaking",
                                             "InfraredPort",  "Infrared",    "InfraredDelay", "Language",
                                             "Width",         "Top",         "Left"};
    for (const char* name : valueNames) {
        if (!RegKeyEnsure(CU, SettingsKey, QLatin1String(name))) {
            settingsFailure(QStringLiteral("RegValCreate"), QLatin1String(name));
            return false;
        }
    }
    return true;
}

void RegSettingsLoad()
{
    const ScreenSize screen = CurrentScreenSize();
    CommControl& comm = ComDrvForm().MSComm1;
    RegData v;

    // A value that cannot be converted leaves its setting as it was.
    auto geometry = [&](const char* name, std::int32_t& target, std::int32_t fallback) {
        if (!readSetting(QLatin1String(name), v))
            target = fallback;
        else if (const auto n = toInt32(v))
            target = *n;
    };
    geometry("Width", WindowWidth, halfOf(screen.widthTwips));
    geometry("Top", WindowTop, quarterOf(screen.heightTwips));
    geometry("Left", WindowLeft, quarterOf(screen.widthTwips));

    LanguageBase = 10000;
    if (readSetting(QStringLiteral("Language"), v)) {
        const auto n = toInteger(v, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max());
        if (n && (*n == 10000 || *n == 20000))
            LanguageBase = std::int16_t(*n);
    }

    if (!readSetting(QStringLiteral("ComPort"), v)) {
        ComPort = 1;
    } else {
        const std::int64_t n = numericValue(v);
        ComPort = n >= 1 && n <= 16 ? std::int16_t(n) : 1;
    }

    try {
        comm.setSettings(readSetting(QStringLiteral("ComSettings"), v) ? cutForNT(textOf(v)) : DefaultComSettings);
    } catch (const OrgError&) {
        // A stored text the control refuses: it keeps the settings it has.
    }

    if (!readSetting(QStringLiteral("ComTimeout"), v))
        ComTimeout = 7500;
    else if (const auto n = toInt16(v))
        ComTimeout = *n;

    try {
        if (!readSetting(QStringLiteral("Handshaking"), v))
            comm.setHandshaking(0);
        else if (const auto n = toInt32(v))
            comm.setHandshaking(*n);
    } catch (const OrgError&) {
    }

    if (!readSetting(QStringLiteral("InfraredPort"), v))
        InfraredPort = -1;
    else if (const auto n = toInt16(v))
        InfraredPort = *n >= 1 && *n <= 16 ? *n : -1;

    if (!readSetting(QStringLiteral("Infrared"), v)) {
        Infrared = 0;
    } else {
        const std::int64_t n = numericValue(v);
        if (n >= std::numeric_limits<std::int16_t>::min() && n <= std::numeric_limits<std::int16_t>::max())
            Infrared = std::int16_t(n);
    }

    if (!readSetting(QStringLiteral("InfraredDelay"), v))
        InfraredDelay = 700;
    else if (const auto n = toInt16(v))
        InfraredDelay = *n < 1 ? 700 : *n;

    IrdaEffectiveDelay = Infrared == 1 ? InfraredDelay : 1;
}

bool RegValSet()
{
    const QString proc = QStringLiteral("RegValSet");
    CommControl& comm = ComDrvForm().MSComm1;

    if (!RegValuePut(CU, SettingsKey, QStringLiteral("ComPort"), std::int32_t(ComPort))) {
        if (RegKeyExists(CU, SettingsKey) || !RegKeyEnsure(CU, SettingsKey, QStringLiteral("ComPort")) ||
            !RegValuePut(CU, SettingsKey, QStringLiteral("ComPort"), std::int32_t(ComPort))) {
            settingsFailure(proc, QStringLiteral("ComPort"));
            return false;
        }
    }

    struct Put {
        const char* name;
        RegData value;
    };
    const Put values[] = {
        {"ComSettings", comm.Settings()},
        {"ComTimeout", std::int32_t(ComTimeout)},
        {"Handshaking", std::int32_t(comm.Handshaking())},
        {"InfraredPort", std::int32_t(InfraredPort)},
        {"Infrared", std::int32_t(Infrared)},
        {"InfraredDelay", std::int32_t(InfraredDelay)},
        {"Language", std::int32_t(LanguageBase)},
    };
    for (const Put& p : values) {
        if (!RegValuePut(CU, SettingsKey, QLatin1String(p.name), p.value)) {
            settingsFailure(proc, QLatin1String(p.name));
            return false;
        }
    }

    const MainWindowGeometry window = CurrentMainWindowGeometry();
    if (window.windowState == 1 || window.windowState == 2) {
        const ScreenSize screen = CurrentScreenSize();
        WindowWidth = halfOf(screen.widthTwips);
        WindowTop = quarterOf(screen.heightTwips);
        WindowLeft = quarterOf(screen.widthTwips);
    } else {
        constexpr double lo = std::numeric_limits<std::int32_t>::min();
        constexpr double hi = std::numeric_limits<std::int32_t>::max();
        for (double d : {window.width, window.top, window.left}) {
            if (!(std::nearbyint(d) >= lo && std::nearbyint(d) <= hi)) {
                const OrgError err = overflowError();
                ShowErrorBoxWithLine(err.number(), err.source(), err.description(), proc, QString());
                return false;
            }
        }
        WindowWidth = std::int32_t(std::nearbyint(window.width));
        WindowTop = std::int32_t(std::nearbyint(window.top));
        WindowLeft = std::int32_t(std::nearbyint(window.left));
    }
    const Put geometry[] = {{"Width", WindowWidth}, {"Top", WindowTop}, {"Left", WindowLeft}};
    for (const Put& p : geometry) {
        if (!RegValuePut(CU, SettingsKey, QLatin1String(p.name), p.value)) {
            settingsFailure(proc, QLatin1String(p.name));
            return false;
        }
    }
    return true;
}

bool QbrRegValGet()
{
    ComPort = 1;
    LanguageBase = 10000;
    RegData v;
    if (RegValueGet(CU, SuiteSettingsKey, QStringLiteral("KONF_COMPORT"), v)) {
        QString text = cutForNT(textOf(v));
        const qsizetype at = text.indexOf(QLatin1String("COM"));
        if (at >= 0)
            text = text.mid(at + 3);
        const std::int64_t n = LeadingNumber(text);
        ComPort = n >= 1 && n <= 16 ? std::int16_t(n) : 1;
    }
    // 7 is the system's number of the German language.
    if (RegValueGet(CU, SuiteSettingsKey, QStringLiteral("TessaroSprache"), v) && toInteger(v, 7, 7))
        LanguageBase = 20000;
    return true;
}

void RegDateTimeFormatGet()
{
    ShortDateFormat = QStringLiteral("dd.mm.yy");
    TimeFormat = QStringLiteral("hh:mm:ss");
    ShortTimeFormat = QStringLiteral("hh:mm");
    ShortDateTimeFormat = ShortDateFormat + QLatin1Char(' ') + ShortTimeFormat;
    DateSeparator = QStringLiteral(".");
    TimeSeparator = QStringLiteral(":");

    struct Query {
        unsigned item;
        QString* target;
        const char* name;
    };
    const Query queries[] = {
        {torvane::LOCALE_SSHORTDATE, &ShortDateFormat, "Shortdate"},
        {torvane::LOCALE_STIMEFORMAT, &TimeFormat, "Shorttime"},
        {torvane::LOCALE_SDATE, &DateSeparator, "DateChar"},
        {torvane::LOCALE_STIME, &TimeSeparator, "TimeChar"},
    };
    for (const Query& q : queries) {
        int error = 0;
        const std::optional<QString> text = torvane::localeService().localeInfo(q.item, error);
        if (!text) {
            if (error != 0)
                ShowErrorBox(OrgError(error, QStringLiteral("RegDateTimeFormatGet"), QLatin1String(q.name)),
                             QStringLiteral("RegDateTimeFormatGet"));
            return;
        }
        // The system hands the text up to its first NUL.
        const qsizetype nul = text->indexOf(QChar(0));
        *q.target = nul < 0 ? *text : text->left(nul);
    }

    const qsizetype s = TimeFormat.indexOf(QLatin1Char('s'), 0, Qt::CaseInsensitive);
    if (s >= 0) {
        ShortTimeFormat = TimeFormat.left(qMax<qsizetype>(0, s - 1));
    } else {
        ShortTimeFormat = TimeFormat;
        TimeFormat += TimeSeparator + QStringLiteral("ss");
    }
    ShortDateTimeFormat = ShortDateFormat + QLatin1Char(' ') + ShortTimeFormat;
}

} // namespace tessaro
