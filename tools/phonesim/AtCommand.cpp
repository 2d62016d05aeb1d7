#include "tools/phonesim/AtCommand.h"

#include <cctype>

namespace torvane::phonesim {

namespace {

bool isUpperable(char c)
{
    return std::isalpha(static_cast<unsigned char>(c)) != 0;
}

char upper(char c)
{
    return char(std::toupper(static_cast<unsigned char>(c)));
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Characters an extended command's name may hold after its prefix.
bool isNameChar(char c)
{
    return std::isalnum(static_cast<unsigned char>(c)) || c == '!' || c == '%' || c == '-' || c == '.'
           || c == '/' || c == ':' || c == '_';
}

bool isExtendedPrefix(char c)
{
    return c == '+' || c == '^' || c == '%' || c == '$' || c == '*';
}

class Cursor {
public:
    explicit Cursor(std::string_view s) : m_s(s) {}
    bool atEnd() const { return m_pos >= m_s.size(); }
    char peek(std::size_t ahead = 0) const { return m_pos + ahead < m_s.size() ? m_s[m_pos + ahead] : '\0'; }
    char take() { return m_s[m_pos++]; }
    std::size_t pos() const { return m_pos; }
    std::string_view from(std::size_t start) const { return m_s.substr(start, m_pos - start); }
    void skipBlanks()
    {
        while (!atEnd() && peek() == ' ')
            ++m_pos;
    }

private:
    std::string_view m_s;
    std::size_t m_pos = 0;
};

// Reads "=...", "=?", "?" or nothing after a command name. Set arguments run to ';' outside
// quotes or to the end of the line. Returns false on an open quote.
bool readForm(Cursor& c, AtCommand& cmd)
{
    if (c.peek() == '=' && c.peek(1) == '?') {
        c.take();
        c.take();
        cmd.form = AtForm::Test;
        return true;
    }
    if (c.peek() == '?') {
        c.take();
        cmd.form = AtForm::Query;
        return true;
    }
    if (c.peek() != '=') {
        cmd.form = AtForm::Action;
        return true;
    }
    c.take();
    cmd.form = AtForm::Set;
    bool quoted = false;
    while (!c.atEnd() && (quoted || c.peek() != ';')) {
        const char ch = c.take();
        if (ch == '"')
            quoted = !quoted;
        cmd.args += ch;
    }
    return !quoted;
}

std::string upperOutsideQuotes(std::string_view text)
{
    std::string out;
    bool quoted = false;
    for (char ch : text) {
        if (ch == '"')
            quoted = !quoted;
        out += quoted ? ch : upper(ch);
    }
    return out;
}

} // namespace

AtCommandLine parseCommandLine(std::string_view line)
{
    AtCommandLine result;
    std::size_t start = std::string_view::npos;
    for (std::size_t i = 0; i + 1 < line.size(); ++i) {
        if (upper(line[i]) == 'A' && upper(line[i + 1]) == 'T') {
            start = i + 2;
            break;
        }
    }
    if (start == std::string_view::npos)
        return result;
    result.isCommand = true;

    Cursor c(line.substr(start));
    for (;;) {
        c.skipBlanks();
        if (c.atEnd())
            break;
        const std::size_t begin = c.pos();
        AtCommand cmd;
        const char first = c.peek();
        bool ok = true;
        if (first == ';') {
            c.take();
            continue;
        } else if (isExtendedPrefix(first) && isNameChar(c.peek(1))) {
            cmd.name += c.take();
            while (!c.atEnd() && isNameChar(c.peek()))
                cmd.name += upper(c.take());
            ok = readForm(c, cmd);
            if (ok && c.peek() == ';')
                c.take();
        } else if (first == '&' && isUpperable(c.peek(1))) {
            c.take();
            cmd.name = std::string("&") + upper(c.take());
            while (isDigit(c.peek()))
                cmd.args += c.take();
            cmd.form = cmd.args.empty() ? AtForm::Action : AtForm::Set;
        } else if (upper(first) == 'D') {
            // Dialling takes the rest of the line as its number.
            c.take();
            cmd.name = "D";
            while (!c.atEnd())
                cmd.args += c.take();
            cmd.form = AtForm::Set;
        } else if (upper(first) == 'S' && isDigit(c.peek(1))) {
            c.take();
            cmd.name = "S";
            while (isDigit(c.peek()))
                cmd.name += c.take();
            if (c.peek() == '=' && c.peek(1) != '?') {
                c.take();
                cmd.form = AtForm::Set;
                while (isDigit(c.peek()))
                    cmd.args += c.take();
            } else {
                ok = readForm(c, cmd);
            }
        } else if (isUpperable(first)) {
            cmd.name = std::string(1, upper(c.take()));
            if (c.peek() == '?' || c.peek() == '=') {
                ok = readForm(c, cmd);
            } else {
                while (isDigit(c.peek()))
                    cmd.args += c.take();
                cmd.form = cmd.args.empty() ? AtForm::Action : AtForm::Set;
            }
        } else {
            ok = false;
        }
        if (!ok) {
            result.syntaxError = true;
            return result;
        }
        std::string_view text = c.from(begin);
        if (!text.empty() && text.back() == ';')
            text.remove_suffix(1);
        cmd.text = upperOutsideQuotes(text);
        result.commands.push_back(std::move(cmd));
    }
    return result;
}

std::optional<std::vector<std::string>> atArguments(std::string_view args)
{
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    const auto finish = [&] {
        if (!wasQuoted) {
            while (!field.empty() && field.back() == ' ')
                field.pop_back();
        }
        fields.push_back(field);
        field.clear();
        wasQuoted = false;
    };
    for (char ch : args) {
        if (ch == '"') {
            quoted = !quoted;
            wasQuoted = true;
        } else if (ch == ',' && !quoted) {
            finish();
        } else if (quoted || ch != ' ' || !field.empty()) {
            field += ch;
        }
    }
    if (quoted)
        return std::nullopt;
    if (!args.empty())
        finish();
    return fields;
}

std::optional<int> atNumber(std::string_view text)
{
    if (text.empty() || text.size() > 9)
        return std::nullopt;
    int n = 0;
    for (char ch : text) {
        if (!isDigit(ch))
            return std::nullopt;
        n = n * 10 + (ch - '0');
    }
    return n;
}

} // namespace torvane::phonesim
