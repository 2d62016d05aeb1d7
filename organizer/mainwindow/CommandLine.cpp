#include "organizer/mainwindow/CommandLine.h"

#include "organizer/link/MessageBox.h"

#include <cmath>

namespace tessaro {

namespace {

QString timerWarning(const QString& value, const QString& reason)
{
    return QStringLiteral("Übergabewert: ") + value + vbCrLf + reason + vbCrLf +
           QStringLiteral("z.B. TIMER=1000 für 1000 ms.") + vbCrLf + QStringLiteral("Das Intervall wird auf 0 gesetzt!");
}

QString afterFirstEquals(const QString& token)
{
    return token.mid(token.indexOf(QLatin1Char('=')) + 1);
}

void takeTimer(const QString& value, CommandLineOptions& options)
{
    bool numeric = false;
    const double number = value.toDouble(&numeric);
    if (!numeric || !std::isfinite(number)) {
        options.warnings << timerWarning(value, QStringLiteral("Das Timerinterval ist kein numerischer Wert! Nur Zahlen "
                                                               "zwischen 0 und 65000 erlaubt!"));
        options.transferPause = 0;
        return;
    }
    // Halves go to the even neighbour, as everywhere the organizer rounds.
    const double rounded = std::nearbyint(number);
    if (rounded < 0 || rounded > MaxTransferPause) {
        options.warnings << timerWarning(QString::number(rounded, 'f', 0),
                                         QStringLiteral("Das Timerinterval ist unzulässig! Nur Werte zwischen 0 und "
                                                        "65000 erlaubt!"));
        options.transferPause = 0;
        return;
    }
    options.transferPause = std::int32_t(rounded);
}

} // namespace

CommandLineOptions ParseCommandLine(const QString& commandLine)
{
    CommandLineOptions options;
    const QString rest = commandLine.toUpper() + QLatin1Char(' ');
    qsizetype from = 0;
    while (from < rest.size()) {
        const qsizetype blank = rest.indexOf(QLatin1Char(' '), from);
        const QString token = rest.mid(from, blank - from);
        from = blank + 1;
        if (token.isEmpty())
            continue;
        if (token == QLatin1String("D"))
            options.dump = true;
        else if (token == QLatin1String("KILL"))
            options.kill = true;
        else if (token == QLatin1String("DEBUG"))
            options.debug = true;
        else if (token == QLatin1String("NOORG"))
            options.noOrganizer = true;
        else if (token.contains(QLatin1String("CALLER="))) {
            options.caller = true;
            options.callerName = afterFirstEquals(token);
        } else if (token.contains(QLatin1String("TIMER=")))
            takeTimer(afterFirstEquals(token), options);
    }
    return options;
}

} // namespace tessaro
