#include "platform/ui/datetext/DateText.h"

#include "platform/ui/datetext/DatePicture.h"

#include <vector>

namespace torvane::datetext {

namespace {

QString applyCase(const QString& text, LetterCase letterCase)
{
    switch (letterCase) {
    case LetterCase::Upper:
        return text.toUpper();
    case LetterCase::Lower:
        return text.toLower();
    case LetterCase::AsNamed:
        break;
    }
    return text;
}

QString number(int value, int width)
{
    return QString::number(value).rightJustified(width, u'0');
}

QString formatParts(const std::optional<QDate>& date, const std::optional<QTime>& time, QStringView picture,
                    const DateNames& names)
{
    QString out;
    for (const PictureField& f : parsePicture(picture)) {
        switch (f.kind) {
        case FieldKind::Literal:
            out += f.literal;
            break;
        case FieldKind::Day:
            if (date)
                out += number(date->day(), f.width);
            break;
        case FieldKind::WeekdayName:
            if (date) {
                const int index = date->dayOfWeek() % 7; // Sunday first
                out += f.longForm ? names.longDays[index] : names.shortDays[index];
            }
            break;
        case FieldKind::Month:
            if (date)
                out += number(date->month(), f.width);
            break;
        case FieldKind::MonthName:
            if (date)
                out += f.longForm ? names.longMonths[date->month() - 1] : names.shortMonths[date->month() - 1];
            break;
        case FieldKind::Year:
            if (date)
                out += f.longForm ? number(date->year(), 4) : number(date->year() % 100, f.width);
            break;
        case FieldKind::Hour:
            if (time) {
                int h = time->hour();
                if (f.twelveHour)
                    h = h % 12 == 0 ? 12 : h % 12;
                out += number(h, f.width);
            }
            break;
        case FieldKind::Minute:
            if (time)
                out += number(time->minute(), f.width);
            break;
        case FieldKind::Second:
            if (time)
                out += number(time->second(), f.width);
            break;
        case FieldKind::DayHalf:
            if (time) {
                const QString& word = time->hour() < 12 ? names.am : names.pm;
                out += applyCase(f.longForm ? word : word.left(1), f.letterCase);
            }
            break;
        }
    }
    return out;
}

struct Reading {
    int year = -1;
    int month = -1;
    int day = -1;
    int weekday = -1; // 0 = Sunday
    int hour = -1;
    bool twelveHour = false;
    int minute = -1;
    int second = -1;
    int half = -1; // 0 before noon, 1 after
};

class TextReader {
public:
    explicit TextReader(QStringView text) : m_text(text) {}

    void skipBlanks()
    {
        while (m_pos < m_text.size() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool atEnd() const { return m_pos >= m_text.size(); }
    qsizetype digitsAhead() const
    {
        qsizetype n = 0;
        while (m_pos + n < m_text.size() && m_text[m_pos + n].isDigit() && m_text[m_pos + n].unicode() < 128)
            ++n;
        return n;
    }
    // Reads count ASCII digits (the caller checked they are there).
    int takeNumber(qsizetype count)
    {
        int value = 0;
        for (qsizetype i = 0; i < count; ++i)
            value = value * 10 + (m_text[m_pos + i].unicode() - u'0');
        m_pos += count;
        return value;
    }
    bool takeChar(QChar c)
    {
        if (atEnd() || QStringView(&c, 1).compare(m_text.mid(m_pos, 1), Qt::CaseInsensitive) != 0)
            return false;
        ++m_pos;
        return true;
    }
    // Takes the longest of the words that the text continues with; its index, or -1.
    template <typename Words>
    int takeWord(const Words& words)
    {
        int best = -1;
        qsizetype bestLength = 0;
        int index = 0;
        for (const QString& w : words) {
            if (!w.isEmpty() && w.size() > bestLength && m_text.mid(m_pos).startsWith(w, Qt::CaseInsensitive)) {
                best = index;
                bestLength = w.size();
            }
            ++index;
        }
        m_pos += bestLength;
        return best;
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

bool isNumericField(FieldKind k)
{
    return k == FieldKind::Day || k == FieldKind::Month || k == FieldKind::Year || k == FieldKind::Hour
        || k == FieldKind::Minute || k == FieldKind::Second;
}

std::optional<Reading> readFields(QStringView text, QStringView picture, const DateNames& names)
{
    const std::vector<PictureField> fields = parsePicture(picture);
    TextReader in(text);
    Reading r;
    in.skipBlanks();
    for (size_t i = 0; i < fields.size(); ++i) {
        const PictureField& f = fields[i];
        if (f.kind == FieldKind::Literal) {
            for (QChar c : f.literal) {
                if (c.isSpace())
                    in.skipBlanks();
                else if (!in.takeChar(c))
                    return std::nullopt;
            }
            continue;
        }
        in.skipBlanks();
        if (isNumericField(f.kind)) {
            const qsizetype available = in.digitsAhead();
            if (available == 0)
                return std::nullopt;
            qsizetype take = std::min<qsizetype>(available, 2);
            if (f.kind == FieldKind::Year) {
                const bool nextIsNumber = i + 1 < fields.size() && isNumericField(fields[i + 1].kind);
                if (f.longForm)
                    take = std::min<qsizetype>(available, 4);
                else if (available == 4 && !nextIsNumber)
                    take = 4;
                if (take == 3)
                    return std::nullopt;
            }
            const int value = in.takeNumber(take);
            switch (f.kind) {
            case FieldKind::Day:
                r.day = value;
                break;
            case FieldKind::Month:
                r.month = value;
                break;
            case FieldKind::Year:
                r.year = take <= 2 ? expandTwoDigitYear(value) : value;
                break;
            case FieldKind::Hour:
                r.hour = value;
                r.twelveHour = f.twelveHour;
                break;
            case FieldKind::Minute:
                r.minute = value;
                break;
            default:
                r.second = value;
                break;
            }
            continue;
        }
        switch (f.kind) {
        case FieldKind::WeekdayName: {
            std::vector<QString> words(names.longDays.begin(), names.longDays.end());
            words.insert(words.end(), names.shortDays.begin(), names.shortDays.end());
            const int w = in.takeWord(words);
            if (w < 0)
                return std::nullopt;
            r.weekday = w % 7;
            break;
        }
        case FieldKind::MonthName: {
            std::vector<QString> words(names.longMonths.begin(), names.longMonths.end());
            words.insert(words.end(), names.shortMonths.begin(), names.shortMonths.end());
            const int m = in.takeWord(words);
            if (m < 0)
                return std::nullopt;
            r.month = m % 12 + 1;
            break;
        }
        case FieldKind::DayHalf: {
            const std::vector<QString> words = {names.am, names.pm, names.am.left(1), names.pm.left(1)};
            const int h = in.takeWord(words);
            if (h < 0)
                return std::nullopt;
            r.half = h % 2;
            break;
        }
        default:
            break;
        }
    }
    in.skipBlanks();
    if (!in.atEnd())
        return std::nullopt;
    return r;
}

std::optional<QDate> dateOf(const Reading& r)
{
    if (r.year < 0 || r.month < 0 || r.day < 0)
        return std::nullopt;
    const QDate date(r.year, r.month, r.day);
    if (!date.isValid())
        return std::nullopt;
    if (r.weekday >= 0 && date.dayOfWeek() % 7 != r.weekday)
        return std::nullopt;
    return date;
}

std::optional<QTime> timeOf(const Reading& r)
{
    int hour = r.hour < 0 ? 0 : r.hour;
    if (r.hour >= 0 && r.twelveHour) {
        if (hour < 1 || hour > 12 || r.half < 0)
            return std::nullopt;
        hour = hour % 12 + (r.half == 1 ? 12 : 0);
    }
    const int minute = r.minute < 0 ? 0 : r.minute;
    const int second = r.second < 0 ? 0 : r.second;
    if (hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    return QTime(hour, minute, second);
}

} // namespace

int expandTwoDigitYear(int twoDigitYear)
{
    return twoDigitYear < 30 ? 2000 + twoDigitYear : 1900 + twoDigitYear;
}

QString formatDateTime(const QDateTime& value, QStringView picture, const DateNames& names)
{
    if (!value.isValid())
        return {};
    return formatParts(value.date(), value.time(), picture, names);
}

QString formatDate(QDate value, QStringView picture, const DateNames& names)
{
    if (!value.isValid())
        return {};
    return formatParts(value, std::nullopt, picture, names);
}

QString formatTime(QTime value, QStringView picture, const DateNames& names)
{
    if (!value.isValid())
        return {};
    return formatParts(std::nullopt, value, picture, names);
}

std::optional<QDateTime> parseDateTime(QStringView text, QStringView picture, const DateNames& names)
{
    const auto r = readFields(text, picture, names);
    if (!r)
        return std::nullopt;
    const auto date = dateOf(*r);
    const auto time = timeOf(*r);
    if (!date || !time)
        return std::nullopt;
    return QDateTime(*date, *time);
}

std::optional<QDate> parseDate(QStringView text, QStringView picture, const DateNames& names)
{
    const auto r = readFields(text, picture, names);
    if (!r || !timeOf(*r))
        return std::nullopt;
    return dateOf(*r);
}

std::optional<QTime> parseTime(QStringView text, QStringView picture, const DateNames& names)
{
    const auto r = readFields(text, picture, names);
    if (!r || r->hour < 0)
        return std::nullopt;
    return timeOf(*r);
}

} // namespace torvane::datetext
