// The words a date picture can spell out: weekday and month names and the two halves of the
// day. The organizer shows them in the language of the user's regional settings.
#pragma once

#include <QLocale>
#include <QString>

#include <array>

namespace torvane::datetext {

struct DateNames {
    std::array<QString, 7> shortDays; // Sunday first, as the weekday masks count
    std::array<QString, 7> longDays;
    std::array<QString, 12> shortMonths; // January first
    std::array<QString, 12> longMonths;
    QString am;
    QString pm;

    // Fixed English names ("Thu", "Thursday", "Feb", "February", "AM", "PM").
    static DateNames english();
    // The names of a locale, for the organizer's locale service.
    static DateNames fromLocale(const QLocale& locale);
};

} // namespace torvane::datetext
