#include "organizer/link/TextRoutines.h"

#include "organizer/link/OrgError.h"

#include <limits>

namespace tessaro {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

} // namespace

void StripChars(QString& s, const QString& set)
{
    s.removeIf([&](QChar c) { return set.contains(c); });
}

void StripChars(QByteArray& s, const QByteArray& set)
{
    QByteArray out;
    out.reserve(s.size());
    for (char c : s)
        if (!set.contains(c))
            out.append(c);
    s = out;
}

QString SplitToken(QString& s, const QString& sep)
{
    const qsizetype at = sep.isEmpty() ? -1 : s.indexOf(sep);
    if (at < 0)
        return {};
    QString head = s.left(at);
    s.remove(0, at + sep.size());
    return head;
}

QByteArray SplitToken(QByteArray& s, const QByteArray& sep)
{
    const qsizetype at = sep.isEmpty() ? -1 : s.indexOf(sep);
    if (at < 0)
        return {};
    QByteArray head = s.left(at);
    s.remove(0, at + sep.size());
    return head;
}

QByteArray ByteToHexText(std::uint8_t b)
{
    static const char digits[] = "0123456789ABCDEF";
    QByteArray out(2, '0');
    out[0] = digits[b >> 4];
    out[1] = digits[b & 15];
    return out;
}

QByteArray BytesToHexText(const QByteArray& data)
{
    QByteArray out;
    out.reserve(data.size() * 2);
    for (char c : data)
        out += ByteToHexText(std::uint8_t(c));
    return out;
}

QByteArray HexTextToBytes(const QByteArray& s)
{
    const qsizetype len = s.size();
    qsizetype count = len / 2;
    // Half a byte rounds to the even count: a trailing single digit counts alone only then.
    if (len % 2 == 1 && count % 2 == 1)
        ++count;
    QByteArray out(count, '\0');
    for (qsizetype i = 0; i < count; ++i) {
        const int hi = hexValue(s[2 * i]);
        const bool single = 2 * i + 1 >= len;
        const int lo = single ? 0 : hexValue(s[2 * i + 1]);
        if (hi < 0 || lo < 0)
            throw typeMismatchError();
        out[i] = char(single ? hi : hi * 16 + lo);
    }
    return out;
}

QByteArray WideBytesToAnsi(const QByteArray& data)
{
    QByteArray out;
    out.reserve((data.size() + 1) / 2);
    for (qsizetype i = 0; i < data.size(); i += 2)
        out.append(data[i]);
    return out;
}

std::int64_t LeadingNumber(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == QLatin1Char('-') || s[i] == QLatin1Char('+'))) {
        negative = s[i] == QLatin1Char('-');
        ++i;
    }
    std::int64_t value = 0;
    constexpr std::int64_t cap = std::numeric_limits<std::int32_t>::max();
    for (; i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (s[i].unicode() - '0');
        if (value > cap)
            value = cap + 1;
    }
    return negative ? -value : value;
}

} // namespace tessaro
