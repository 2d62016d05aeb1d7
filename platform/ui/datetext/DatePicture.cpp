#include "platform/ui/datetext/DatePicture.h"

#include <algorithm>

namespace torvane::datetext {

namespace {

int runLength(QStringView s, qsizetype at, QChar c, Qt::CaseSensitivity cs)
{
    int n = 0;
    while (at + n < s.size() && QStringView(s.mid(at + n, 1)).compare(QStringView(&c, 1), cs) == 0)
        ++n;
    return n;
}

void appendLiteral(std::vector<PictureField>& fields, QStringView text)
{
    if (!fields.empty() && fields.back().kind == FieldKind::Literal)
        fields.back().literal += text;
    else {
        PictureField f;
        f.literal = text.toString();
        fields.push_back(f);
    }
}

bool startsWithWord(QStringView s, qsizetype at, QStringView word)
{
    return s.mid(at).startsWith(word, Qt::CaseInsensitive);
}

bool isNumeric(FieldKind k)
{
    return k == FieldKind::Day || k == FieldKind::Month || k == FieldKind::Year || k == FieldKind::Hour
        || k == FieldKind::Minute || k == FieldKind::Second;
}

// "mm" is a month unless it stands next to an hour or a second (skipping separators), as in
// "hh:mm" or "mm:ss"; that is how the organizer's own default pictures read.
void resolveMinutes(std::vector<PictureField>& fields, const std::vector<bool>& ambiguous)
{
    for (size_t i = 0; i < fields.size(); ++i) {
        if (!ambiguous[i])
            continue;
        bool minute = false;
        for (size_t j = i; j-- > 0;) {
            if (fields[j].kind == FieldKind::Literal)
                continue;
            minute = fields[j].kind == FieldKind::Hour;
            break;
        }
        for (size_t j = i + 1; !minute && j < fields.size(); ++j) {
            if (fields[j].kind == FieldKind::Literal)
                continue;
            minute = fields[j].kind == FieldKind::Second;
            break;
        }
        if (minute)
            fields[i].kind = FieldKind::Minute;
    }
}

} // namespace

std::vector<PictureField> parsePicture(QStringView p)
{
    std::vector<PictureField> fields;
    std::vector<bool> ambiguousMinute;
    bool hasDayHalf = false;
    qsizetype i = 0;
    auto push = [&](PictureField f, bool ambiguous = false) {
        fields.push_back(std::move(f));
        ambiguousMinute.resize(fields.size(), false);
        ambiguousMinute.back() = ambiguous;
    };
    auto pushLiteral = [&](QStringView text) {
        appendLiteral(fields, text);
        ambiguousMinute.resize(fields.size(), false);
    };

    while (i < p.size()) {
        const QChar c = p[i];
        PictureField f;
        if (c == u'\'' || c == u'"') {
            // Quoted text; in single quotes a doubled quote stands for one.
            qsizetype j = i + 1;
            QString text;
            while (j < p.size()) {
                if (p[j] == c) {
                    if (c == u'\'' && j + 1 < p.size() && p[j + 1] == c) {
                        text += c;
                        j += 2;
                        continue;
                    }
                    break;
                }
                text += p[j++];
            }
            if (i + 1 == j && j < p.size() && c == u'\'')
                text = QStringLiteral("'"); // '' outside quotes is one quote
            pushLiteral(text);
            i = j + 1;
            continue;
        }
        if (c == u'\\') {
            if (i + 1 < p.size())
                pushLiteral(p.mid(i + 1, 1));
            i += 2;
            continue;
        }
        if (startsWithWord(p, i, u"AM/PM") || startsWithWord(p, i, u"A/P")) {
            const bool word = startsWithWord(p, i, u"AM/PM");
            f.kind = FieldKind::DayHalf;
            f.longForm = word;
            f.letterCase = c.isUpper() ? LetterCase::Upper : LetterCase::Lower;
            push(f);
            hasDayHalf = true;
            i += word ? 5 : 3;
            continue;
        }
        if ((c == u'A' && i + 1 < p.size() && p[i + 1] == u'P') || (c == u'a' && i + 1 < p.size() && p[i + 1] == u'p')) {
            f.kind = FieldKind::DayHalf;
            f.longForm = true;
            f.letterCase = c == u'A' ? LetterCase::Upper : LetterCase::Lower;
            push(f);
            hasDayHalf = true;
            i += 2;
            continue;
        }
        if (c == u't') {
            const int n = runLength(p, i, c, Qt::CaseSensitive);
            f.kind = FieldKind::DayHalf;
            f.longForm = n >= 2;
            push(f);
            hasDayHalf = true;
            i += n;
            continue;
        }
        const QChar lower = c.toLower();
        if (lower == u'd') {
            const int n = runLength(p, i, c, Qt::CaseInsensitive);
            f.kind = n <= 2 ? FieldKind::Day : FieldKind::WeekdayName;
            f.width = n;
            f.longForm = n >= 4;
            push(f);
            i += n;
            continue;
        }
        if (c == u'M' || c == u'm') {
            const int n = runLength(p, i, c, Qt::CaseSensitive);
            f.kind = n <= 2 ? FieldKind::Month : FieldKind::MonthName;
            f.width = n;
            f.longForm = n >= 4;
            push(f, c == u'm' && n <= 2);
            i += n;
            continue;
        }
        if (lower == u'n') {
            const int n = runLength(p, i, c, Qt::CaseInsensitive);
            f.kind = FieldKind::Minute;
            f.width = n;
            push(f);
            i += n;
            continue;
        }
        if (lower == u'y') {
            const int n = runLength(p, i, c, Qt::CaseInsensitive);
            f.kind = FieldKind::Year;
            f.width = n;
            f.longForm = n >= 3;
            push(f);
            i += n;
            continue;
        }
        if (lower == u'h') {
            const int n = runLength(p, i, c, Qt::CaseSensitive);
            f.kind = FieldKind::Hour;
            f.width = n;
            f.twelveHour = c == u'h'; // settled below, once the whole picture is known
            push(f);
            i += n;
            continue;
        }
        if (lower == u's') {
            const int n = runLength(p, i, c, Qt::CaseInsensitive);
            f.kind = FieldKind::Second;
            f.width = n;
            push(f);
            i += n;
            continue;
        }
        pushLiteral(p.mid(i, 1));
        ++i;
    }

    for (auto& f : fields) {
        if (f.kind == FieldKind::Hour)
            f.twelveHour = f.twelveHour && hasDayHalf;
        if (isNumeric(f.kind) && f.width > 2 && f.kind != FieldKind::Year)
            f.width = 2;
    }
    resolveMinutes(fields, ambiguousMinute);
    return fields;
}

QString withFullYears(QStringView p)
{
    QString out;
    qsizetype i = 0;
    while (i < p.size()) {
        const QChar c = p[i];
        if (c == u'\'' || c == u'"') {
            // Quoted text is copied whole; in single quotes a doubled quote stays inside.
            qsizetype j = i + 1;
            while (j < p.size() && !(p[j] == c && !(c == u'\'' && j + 1 < p.size() && p[j + 1] == c)))
                j += p[j] == c ? 2 : 1;
            out += p.mid(i, std::min(j + 1, p.size()) - i);
            i = j + 1;
            continue;
        }
        if (c == u'\\') {
            out += p.mid(i, 2);
            i += 2;
            continue;
        }
        if (c.toLower() == u'y') {
            const int n = runLength(p, i, c, Qt::CaseInsensitive);
            out += n <= 2 ? QString(4, c) : p.mid(i, n).toString();
            i += n;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

} // namespace torvane::datetext
