// A date picture split into its fields. The organizer's pictures come in three dialects that
// all have to be understood: its own defaults ("dd.mm.yy hh:mm", where "mm" next to an hour or
// a second means minutes), the regional settings' pictures ("dd.MM.yyyy", "h:mm:ss tt") and
// Qt's ("h:mm AP").
#pragma once

#include <QString>
#include <QStringView>

#include <vector>

namespace torvane::datetext {

enum class FieldKind {
    Literal,
    Day,         // d, dd
    WeekdayName, // ddd (short), dddd (long)
    Month,       // M, MM, m, mm
    MonthName,   // MMM (short), MMMM (long)
    Year,        // y, yy: two digits; yyy, yyyy: four
    Hour,        // h, hh: 12-hour when the picture has a day-half marker; H, HH: always 24-hour
    Minute,      // n, nn, or m, mm next to an hour or a second
    Second,      // s, ss
    DayHalf,     // tt, AP, AM/PM (whole word); t, A/P (one letter)
};

enum class LetterCase { AsNamed, Upper, Lower };

struct PictureField {
    FieldKind kind = FieldKind::Literal;
    int width = 0;       // letters of the field: 1 = no padding, 2 = two digits, ...
    bool longForm = false; // names: long; year: four digits; day half: whole word
    bool twelveHour = false;
    LetterCase letterCase = LetterCase::AsNamed;
    QString literal;
};

// Splits a picture; text in single or double quotes and a character after a backslash are literal.
std::vector<PictureField> parsePicture(QStringView picture);

// The picture with every two-digit year field (y, yy) widened to four digits, all else as it
// stands. A text written with it names its year without a century to guess.
QString withFullYears(QStringView picture);

} // namespace torvane::datetext
