#include "platform/ui/locale/LocaleService.h"

#include <QLocale>

namespace torvane {

namespace {

LocaleService*& installed()
{
    static LocaleService* s = nullptr;
    return s;
}

bool isPictureLetter(QChar c)
{
    return c.isLetter();
}

} // namespace

QString controlPanelPicture(const QString& qt)
{
    QString out;
    for (qsizetype i = 0; i < qt.size(); ++i) {
        const QChar c = qt[i];
        if (c == QLatin1Char('\'')) {
            // Quoted literal text stays as it is, quotes included.
            const qsizetype end = qt.indexOf(QLatin1Char('\''), i + 1);
            const qsizetype stop = end < 0 ? qt.size() - 1 : end;
            out += qt.mid(i, stop - i + 1);
            i = stop;
        } else if (c == QLatin1Char('A') || c == QLatin1Char('a')) {
            if (i + 1 < qt.size() && (qt[i + 1] == QLatin1Char('P') || qt[i + 1] == QLatin1Char('p')))
                ++i;
            out += QStringLiteral("tt");
        } else if (c == QLatin1Char('t')) {
            // A time zone has no place in the pictures; drop it with the blank before it.
            while (i + 1 < qt.size() && qt[i + 1] == QLatin1Char('t'))
                ++i;
            if (out.endsWith(QLatin1Char(' ')))
                out.chop(1);
        } else {
            out += c;
        }
    }
    return out;
}

QString pictureSeparator(const QString& picture)
{
    qsizetype i = 0;
    while (i < picture.size() && !isPictureLetter(picture[i]))
        ++i;
    while (i < picture.size() && isPictureLetter(picture[i]))
        ++i;
    if (i >= picture.size())
        return {};
    qsizetype end = i;
    while (end < picture.size() && !isPictureLetter(picture[end]) && picture[end] != QLatin1Char(' '))
        ++end;
    if (end == i)
        return picture.mid(i, 1);
    return picture.mid(i, end - i);
}

std::optional<QString> SystemLocaleService::localeInfo(unsigned item, int& error)
{
    const QLocale locale = QLocale::system();
    const QString date = controlPanelPicture(locale.dateFormat(QLocale::ShortFormat));
    const QString time = controlPanelPicture(locale.timeFormat(QLocale::LongFormat));
    switch (item) {
    case LOCALE_SSHORTDATE:
        return date;
    case LOCALE_STIMEFORMAT:
        return time;
    case LOCALE_SDATE:
        return pictureSeparator(date);
    case LOCALE_STIME:
        return pictureSeparator(time);
    default:
        error = ERROR_INVALID_FLAGS;
        return std::nullopt;
    }
}

LocaleService& localeService()
{
    static SystemLocaleService system;
    return installed() ? *installed() : system;
}

LocaleService* setLocaleService(LocaleService* service)
{
    LocaleService* old = installed();
    installed() = service;
    return old;
}

} // namespace torvane
