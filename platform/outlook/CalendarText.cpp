#include "platform/outlook/CalendarText.h"

namespace torvane::outlook {

namespace {

// Real calendars nest three or four deep; libical writes and frees components recursively, so a
// file nested deeper than this is not taken.
constexpr size_t MaxDepth = 32;

bool isFoldSpace(char c)
{
    return c == ' ' || c == '\t';
}

// The physical lines of a text, each with its line end.
std::vector<QByteArray> physicalLines(const QByteArray& text)
{
    std::vector<QByteArray> lines;
    qsizetype from = 0;
    while (from < text.size()) {
        qsizetype end = text.indexOf('\n', from);
        end = end < 0 ? text.size() : end + 1;
        lines.push_back(text.mid(from, end - from));
        from = end;
    }
    return lines;
}

QByteArray withoutLineEnd(QByteArray line)
{
    while (line.endsWith('\n') || line.endsWith('\r'))
        line.chop(1);
    return line;
}

} // namespace

std::vector<QByteArray> unfoldedLines(const QByteArray& text)
{
    std::vector<QByteArray> out;
    for (const QByteArray& physical : physicalLines(text)) {
        const QByteArray line = withoutLineEnd(physical);
        if (!out.empty() && !line.isEmpty() && isFoldSpace(line[0]))
            out.back() += line.mid(1);
        else
            out.push_back(line);
    }
    std::erase_if(out, [](const QByteArray& l) { return l.trimmed().isEmpty(); });
    return out;
}

ContentLine parseContentLine(const QByteArray& line)
{
    ContentLine out;
    qsizetype i = 0;
    const qsizetype n = line.size();
    while (i < n && line[i] != ';' && line[i] != ':')
        ++i;
    out.name = line.left(i).trimmed().toUpper();
    while (i < n && line[i] == ';') {
        const qsizetype nameStart = ++i;
        while (i < n && line[i] != '=' && line[i] != ';' && line[i] != ':')
            ++i;
        QByteArray name = line.mid(nameStart, i - nameStart).trimmed().toUpper();
        QByteArray value;
        if (i < n && line[i] == '=') {
            const qsizetype valueStart = ++i;
            bool quoted = false;
            while (i < n && (quoted || (line[i] != ';' && line[i] != ':'))) {
                if (line[i] == '"')
                    quoted = !quoted;
                ++i;
            }
            value = line.mid(valueStart, i - valueStart);
        }
        out.parameters.emplace_back(std::move(name), std::move(value));
    }
    if (i < n && line[i] == ':')
        out.value = line.mid(i + 1);
    return out;
}

std::optional<std::vector<CalendarPiece>> splitCalendar(const QByteArray& bytes)
{
    using Kind = CalendarPiece::Kind;
    const std::vector<QByteArray> lines = physicalLines(bytes);
    std::vector<CalendarPiece> pieces;
    std::vector<QByteArray> open; // names of the components open at this line
    bool closed = false;          // the calendar's END was seen
    for (size_t i = 0; i < lines.size();) {
        // One logical line: the physical line and its continuations.
        QByteArray raw = lines[i];
        QByteArray logical = withoutLineEnd(lines[i]);
        for (++i; i < lines.size() && !lines[i].isEmpty() && isFoldSpace(lines[i][0]); ++i) {
            raw += lines[i];
            logical += withoutLineEnd(lines[i]).mid(1);
        }
        if (logical.trimmed().isEmpty()) {
            if (open.size() >= 2)
                pieces.back().text += raw;
            else
                pieces.push_back({Kind::Line, raw, {}});
            continue;
        }
        if (closed)
            return std::nullopt; // something after the calendar
        const ContentLine line = parseContentLine(logical);
        const QByteArray value = line.value.trimmed().toUpper();
        const bool begin = line.name == "BEGIN";
        const bool end = line.name == "END";
        if (open.empty()) {
            if (!begin || value != "VCALENDAR")
                return std::nullopt; // something before the calendar
            open.push_back(value);
            pieces.push_back({Kind::Line, raw, {}});
            continue;
        }
        if (end && open.back() != value)
            return std::nullopt;
        if (begin && open.size() >= MaxDepth)
            return std::nullopt;
        if (open.size() == 1) {
            if (end) {
                open.pop_back();
                closed = true;
                pieces.push_back({Kind::End, raw, {}});
            } else if (begin) {
                open.push_back(value);
                pieces.push_back({Kind::Component, raw, value});
            } else {
                pieces.push_back({Kind::Property, raw, {}});
            }
            continue;
        }
        pieces.back().text += raw;
        if (begin)
            open.push_back(value);
        else if (end)
            open.pop_back();
    }
    if (!closed)
        return std::nullopt;
    return pieces;
}

} // namespace torvane::outlook
