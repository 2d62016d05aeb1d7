#include "platform/outlook/ItemFilter.h"

#include "platform/outlook/OutlookError.h"
#include "platform/ui/datetext/DateText.h"

namespace torvane::outlook {

namespace {

enum class Op { AtLeast, AtMost, After, Before, Equal };

class FilterReader {
public:
    FilterReader(QStringView text, QStringView picture, const datetext::DateNames& names)
        : m_text(text), m_picture(picture), m_names(names)
    {
    }

    StartRange read()
    {
        StartRange range;
        for (;;) {
            readCondition(range);
            skipBlanks();
            if (atEnd())
                break;
            if (!takeWord(u"and"))
                fail();
            // "and" must stand apart from a following word ("andx" is no conjunction).
            if (!atEnd() && m_text[m_pos].isLetterOrNumber())
                fail();
        }
        return range;
    }

private:
    [[noreturn]] void fail() const
    {
        throw Error(ErrInvalidArgument, QStringLiteral("The filter \"%1\" cannot be read.").arg(m_text.toString()));
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    void skipBlanks()
    {
        while (!atEnd() && m_text[m_pos].isSpace())
            ++m_pos;
    }
    bool takeChar(QChar c)
    {
        if (atEnd() || m_text[m_pos] != c)
            return false;
        ++m_pos;
        return true;
    }
    bool takeWord(QStringView word)
    {
        if (!m_text.mid(m_pos).startsWith(word, Qt::CaseInsensitive))
            return false;
        m_pos += word.size();
        return true;
    }

    void readCondition(StartRange& range)
    {
        skipBlanks();
        if (!takeChar(u'['))
            fail();
        const qsizetype close = m_text.indexOf(u']', m_pos);
        if (close < 0)
            fail();
        if (m_text.mid(m_pos, close - m_pos).trimmed().compare(u"Start", Qt::CaseInsensitive) != 0)
            fail();
        m_pos = close + 1;
        skipBlanks();
        Op op;
        if (takeWord(u">="))
            op = Op::AtLeast;
        else if (takeWord(u"<="))
            op = Op::AtMost;
        else if (takeWord(u"<>"))
            fail();
        else if (takeChar(u'>'))
            op = Op::After;
        else if (takeChar(u'<'))
            op = Op::Before;
        else if (takeChar(u'='))
            op = Op::Equal;
        else
            fail();
        skipBlanks();
        if (atEnd() || (m_text[m_pos] != u'"' && m_text[m_pos] != u'\''))
            fail();
        const QChar quote = m_text[m_pos++];
        const qsizetype end = m_text.indexOf(quote, m_pos);
        if (end < 0)
            fail();
        const auto when = datetext::parseDateTime(m_text.mid(m_pos, end - m_pos), m_picture, m_names);
        if (!when)
            fail();
        m_pos = end + 1;
        apply(range, op, toMinute(*when));
    }

    static void raiseFrom(StartRange& r, const QDateTime& t)
    {
        if (!r.from || t > *r.from)
            r.from = t;
    }
    static void lowerTo(StartRange& r, const QDateTime& t)
    {
        if (!r.to || t < *r.to)
            r.to = t;
    }
    static void apply(StartRange& r, Op op, const QDateTime& t)
    {
        switch (op) {
        case Op::AtLeast:
            raiseFrom(r, t);
            break;
        case Op::After:
            raiseFrom(r, t.addSecs(60));
            break;
        case Op::AtMost:
            lowerTo(r, t);
            break;
        case Op::Before:
            lowerTo(r, t.addSecs(-60));
            break;
        case Op::Equal:
            raiseFrom(r, t);
            lowerTo(r, t);
            break;
        }
    }

    QStringView m_text;
    QStringView m_picture;
    const datetext::DateNames& m_names;
    qsizetype m_pos = 0;
};

} // namespace

QDateTime toMinute(const QDateTime& t)
{
    const QTime tm = t.time();
    return QDateTime(t.date(), QTime(tm.hour(), tm.minute()));
}

bool StartRange::beforeStart(const QDateTime& start) const
{
    return from && toMinute(start) < *from;
}

bool StartRange::afterEnd(const QDateTime& start) const
{
    return to && toMinute(start) > *to;
}

bool StartRange::contains(const QDateTime& start) const
{
    return start.isValid() && !beforeStart(start) && !afterEnd(start);
}

StartRange parseStartFilter(QStringView filter, QStringView dateTimePicture, const datetext::DateNames& names)
{
    return FilterReader(filter, dateTimePicture, names).read();
}

} // namespace torvane::outlook
