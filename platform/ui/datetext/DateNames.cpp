#include "platform/ui/datetext/DateNames.h"

namespace torvane::datetext {

DateNames DateNames::english()
{
    DateNames names;
    names.shortDays = {QStringLiteral("Sun"), QStringLiteral("Mon"), QStringLiteral("Tue"), QStringLiteral("Wed"),
                       QStringLiteral("Thu"), QStringLiteral("Fri"), QStringLiteral("Sat")};
    names.longDays = {QStringLiteral("Sunday"),   QStringLiteral("Monday"), QStringLiteral("Tuesday"),
                      QStringLiteral("Wednesday"), QStringLiteral("Thursday"), QStringLiteral("Friday"),
                      QStringLiteral("Saturday")};
    names.shortMonths = {QStringLiteral("Jan"), QStringLiteral("Feb"), QStringLiteral("Mar"), QStringLiteral("Apr"),
                         QStringLiteral("May"), QStringLiteral("Jun"), QStringLiteral("Jul"), QStringLiteral("Aug"),
                         QStringLiteral("Sep"), QStringLiteral("Oct"), QStringLiteral("Nov"), QStringLiteral("Dec")};
    names.longMonths = {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
                        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
                        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
                        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    names.am = QStringLiteral("AM");
    names.pm = QStringLiteral("PM");
    return names;
}

DateNames DateNames::fromLocale(const QLocale& locale)
{
    DateNames names;
    for (int i = 0; i < 7; ++i) {
        // QLocale counts Monday as 1 and Sunday as 7.
        const int qtDay = i == 0 ? 7 : i;
        names.shortDays[i] = locale.dayName(qtDay, QLocale::ShortFormat);
        names.longDays[i] = locale.dayName(qtDay, QLocale::LongFormat);
    }
    for (int i = 0; i < 12; ++i) {
        names.shortMonths[i] = locale.monthName(i + 1, QLocale::ShortFormat);
        names.longMonths[i] = locale.monthName(i + 1, QLocale::LongFormat);
    }
    names.am = locale.amText();
    names.pm = locale.pmText();
    return names;
}

} // namespace torvane::datetext
