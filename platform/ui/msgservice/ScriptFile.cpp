#include "platform/ui/msgservice/ScriptFile.h"

#include <array>
#include <utility>

namespace torvane::ui {

namespace {

const std::array<std::pair<int, const char*>, 7> kButtons {{
    {IDOK, "OK"},
    {IDCANCEL, "Cancel"},
    {IDABORT, "Abort"},
    {IDRETRY, "Retry"},
    {IDIGNORE, "Ignore"},
    {IDYES, "Yes"},
    {IDNO, "No"},
}};

// NAME=TEXT fields from the given position of a split line; false when one has no "=" or no name.
bool readFields(const QStringList& parts, int from, FieldTexts* fields)
{
    for (int i = from; i < parts.size(); ++i) {
        const int eq = parts[i].indexOf(QLatin1Char('='));
        if (eq <= 0)
            return false;
        fields->append({unescapeField(parts[i].left(eq)), unescapeField(parts[i].mid(eq + 1))});
    }
    return true;
}

} // namespace

QString escapeField(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '\\': out += QLatin1String("\\\\"); break;
        case '\t': out += QLatin1String("\\t"); break;
        case '\r': out += QLatin1String("\\r"); break;
        case '\n': out += QLatin1String("\\n"); break;
        default: out += c;
        }
    }
    return out;
}

QString unescapeField(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != QLatin1Char('\\') || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const QChar next = text[++i];
        switch (next.unicode()) {
        case 't': out += QLatin1Char('\t'); break;
        case 'r': out += QLatin1Char('\r'); break;
        case 'n': out += QLatin1Char('\n'); break;
        default: out += next; // "\\" and any other escaped character stand for themselves
        }
    }
    return out;
}

QString buttonName(int button)
{
    for (const auto& [id, name] : kButtons)
        if (id == button)
            return QString::fromLatin1(name);
    return QString::number(button);
}

std::optional<int> parseButton(const QString& text)
{
    for (const auto& [id, name] : kButtons)
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return id;
    bool ok = false;
    const int number = text.toInt(&ok);
    if (ok)
        return number;
    return std::nullopt;
}

std::vector<ScriptedAnswer> parseScript(const QString& text, QStringList* errors)
{
    std::vector<ScriptedAnswer> answers;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines[n];
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList parts = line.split(QLatin1Char('\t'));
        ScriptedAnswer answer;
        answer.target = unescapeField(parts[0]);
        const auto button = parts.size() > 1 ? parseButton(parts[1]) : std::nullopt;
        if (answer.target.isEmpty() || !button || !readFields(parts, 2, &answer.fields)) {
            if (errors != nullptr)
                errors->append(QStringLiteral("line %1: cannot read \"%2\"").arg(n + 1).arg(line));
            continue;
        }
        answer.button = *button;
        answers.push_back(std::move(answer));
    }
    return answers;
}

QString formatLogLine(const ShownBox& box)
{
    QStringList parts {escapeField(box.kind), escapeField(box.caption), escapeField(box.text), buttonName(box.answer)};
    for (const auto& [name, value] : box.fields)
        parts.append(escapeField(name) + QLatin1Char('=') + escapeField(value));
    return parts.join(QLatin1Char('\t'));
}

std::optional<ShownBox> parseLogLine(const QString& line)
{
    const QStringList parts = line.split(QLatin1Char('\t'));
    if (parts.size() < 4)
        return std::nullopt;
    ShownBox box;
    box.kind = unescapeField(parts[0]);
    box.caption = unescapeField(parts[1]);
    box.text = unescapeField(parts[2]);
    const auto answer = parseButton(parts[3]);
    if (!answer || !readFields(parts, 4, &box.fields))
        return std::nullopt;
    box.answer = *answer;
    return box;
}

} // namespace torvane::ui
