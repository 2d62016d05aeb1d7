#include "platform/registry/RegFileFormat.h"

#include <cstdint>
#include <optional>

namespace torvane::registry {

namespace {

constexpr std::string_view Header = "REGEDIT4";

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool startsWithFolded(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsFolded(text.substr(0, prefix.size()), prefix);
}

struct Failure {
    int line;
    std::string message;
};

// Walks the file line by line; a line handed out has no line end (LF or CR LF).
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}
    bool next(std::string_view& line)
    {
        if (pos_ >= text_.size())
            return false;
        std::size_t end = text_.find('\n', pos_);
        if (end == std::string_view::npos)
            end = text_.size();
        line = text_.substr(pos_, end - pos_);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        pos_ = end + 1;
        ++number_;
        return true;
    }
    int number() const { return number_; }

private:
    std::string_view text_;
    std::size_t pos_ = 0;
    int number_ = 0;
};

class Parser {
public:
    Parser(std::string_view text, std::string_view rootName) : lines_(text), rootName_(rootName) {}

    std::optional<Failure> run(RegTree& tree)
    {
        std::string_view line;
        lines_.next(line); // the header, checked before
        RegKey* current = nullptr;
        while (lines_.next(line)) {
            std::size_t start = 0;
            while (start < line.size() && isBlank(line[start]))
                ++start;
            line.remove_prefix(start);
            if (line.empty() || line.front() == ';')
                continue;
            if (line.front() == '[') {
                std::string path;
                if (auto failure = keyPath(line, path))
                    return failure;
                current = &tree.create(path);
            } else if (line.front() == '"' || line.front() == '@') {
                if (!current)
                    return fail("a value before the first [key] line");
                if (auto failure = value(line, *current))
                    return failure;
            } else {
                return fail("a line that is neither a [key] nor a \"value\"=...");
            }
        }
        return std::nullopt;
    }

private:
    Failure fail(std::string message) const { return Failure {lines_.number(), std::move(message)}; }

    std::optional<Failure> keyPath(std::string_view line, std::string& path)
    {
        const std::size_t close = line.rfind(']');
        if (close == std::string_view::npos)
            return fail("a [key] line without its closing \"]\"");
        for (std::size_t i = close + 1; i < line.size(); ++i)
            if (!isBlank(line[i]))
                return fail("text after the closing \"]\" of a key");
        std::string_view inner = line.substr(1, close - 1);
        if (!inner.empty() && inner.front() == '-')
            return fail("key deletion lines ([-...]) are not taken here");
        const std::size_t slash = inner.find('\\');
        if (!equalsFolded(inner.substr(0, slash), rootName_))
            return fail("a key that is not below " + std::string(rootName_));
        path.clear();
        if (slash == std::string_view::npos)
            return std::nullopt;
        inner.remove_prefix(slash + 1);
        path = std::string(inner);
        std::size_t start = 0;
        for (;;) {
            const std::size_t end = inner.find('\\', start);
            const std::size_t stop = end == std::string_view::npos ? inner.size() : end;
            if (stop == start)
                return fail("an empty key name in a key path");
            if (end == std::string_view::npos)
                return std::nullopt;
            start = end + 1;
        }
    }

    // A quoted text starting at line[pos] == '"'; pos ends after the closing quote.
    std::optional<Failure> quoted(std::string_view line, std::size_t& pos, std::string& out)
    {
        out.clear();
        for (++pos; pos < line.size(); ++pos) {
            const char c = line[pos];
            if (c == '"') {
                ++pos;
                return std::nullopt;
            }
            if (c == '\\') {
                if (pos + 1 >= line.size())
                    break;
                const char escaped = line[++pos];
                if (escaped != '\\' && escaped != '"')
                    return fail(std::string("an unknown escape \\") + escaped + " in a text");
                out += escaped;
            } else {
                out += c;
            }
        }
        return fail("a text without its closing quote (truncated?)");
    }

    std::optional<Failure> onlyBlanksFrom(std::string_view line, std::size_t pos)
    {
        for (; pos < line.size(); ++pos)
            if (!isBlank(line[pos]))
                return fail("text after the end of a value");
        return std::nullopt;
    }

    std::optional<Failure> value(std::string_view line, RegKey& key)
    {
        std::size_t pos = 0;
        std::string name;
        if (line.front() == '@') {
            pos = 1;
        } else if (auto failure = quoted(line, pos, name)) {
            return failure;
        }
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        if (pos >= line.size() || line[pos] != '=')
            return fail("a value name without \"=\"");
        ++pos;
        while (pos < line.size() && isBlank(line[pos]))
            ++pos;
        const std::string_view rest = line.substr(pos);

        DWORD type = REG_NONE;
        std::string data;
        if (!rest.empty() && rest.front() == '"') {
            if (auto failure = quoted(line, pos, data))
                return failure;
            if (auto failure = onlyBlanksFrom(line, pos))
                return failure;
            type = REG_SZ;
            data += '\0';
        } else if (startsWithFolded(rest, "dword:")) {
            const std::string_view digits = rest.substr(6);
            std::size_t count = 0;
            std::uint32_t number = 0;
            while (count < digits.size() && hexDigit(digits[count]) >= 0) {
                number = (number << 4) | std::uint32_t(hexDigit(digits[count]));
                ++count;
            }
            if (count != 8)
                return fail("a dword that does not have 8 hex digits (truncated?)");
            if (auto failure = onlyBlanksFrom(digits, 8))
                return failure;
            type = REG_DWORD;
            for (int i = 0; i < 4; ++i)
                data += char((number >> (8 * i)) & 0xff);
        } else if (startsWithFolded(rest, "hex")) {
            if (auto failure = hexValue(rest.substr(3), type, data))
                return failure;
        } else if (!rest.empty() && rest.front() == '-') {
            return fail("value deletion (\"name\"=-) is not taken here");
        } else {
            return fail("a value of a kind not known here");
        }
        key.set(name, type, data);
        return std::nullopt;
    }

    // After "hex": either ":" (REG_BINARY) or "(n):", then bytes "xx" separated by commas; a
    // line ending in "\" after a comma goes on on the next line.
    std::optional<Failure> hexValue(std::string_view text, DWORD& type, std::string& data)
    {
        std::size_t pos = 0;
        type = REG_BINARY;
        if (pos < text.size() && text[pos] == '(') {
            std::uint64_t number = 0;
            std::size_t digits = 0;
            for (++pos; pos < text.size() && hexDigit(text[pos]) >= 0; ++pos, ++digits)
                number = (number << 4) | std::uint64_t(hexDigit(text[pos]));
            if (digits == 0 || digits > 8 || pos >= text.size() || text[pos] != ')')
                return fail("a value type hex(n) with a bad n");
            type = DWORD(number);
            ++pos;
        }
        if (pos >= text.size() || text[pos] != ':')
            return fail("\"hex\" not followed by \":\"");
        ++pos;
        std::string_view line = text;
        bool expectByte = false; // after a comma
        for (;;) {
            while (pos < line.size() && isBlank(line[pos]))
                ++pos;
            if (pos >= line.size()) {
                if (expectByte)
                    return fail("a byte list that ends with a comma (truncated?)");
                return std::nullopt;
            }
            if (line[pos] == '\\' && (expectByte || data.empty())) {
                if (auto failure = onlyBlanksFrom(line, pos + 1))
                    return failure;
                if (!lines_.next(line))
                    return fail("a byte list that goes on past the end of the file");
                pos = 0;
                continue;
            }
            if (!expectByte && !data.empty()) {
                if (line[pos] != ',')
                    return fail("bytes of a hex list not separated by commas");
                ++pos;
                expectByte = true;
                continue;
            }
            if (pos + 1 >= line.size() || hexDigit(line[pos]) < 0 || hexDigit(line[pos + 1]) < 0
                || (pos + 2 < line.size() && hexDigit(line[pos + 2]) >= 0))
                return fail("a byte that is not two hex digits");
            data += char(hexDigit(line[pos]) * 16 + hexDigit(line[pos + 1]));
            pos += 2;
            expectByte = false;
        }
    }

    LineReader lines_;
    std::string_view rootName_;
};

void appendQuoted(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '\\' || c == '"')
            out += '\\';
        out += c;
    }
    out += '"';
}

// A REG_SZ goes in quotes only when quotes give back exactly its bytes.
bool fitsInQuotes(const RegValue& value)
{
    if (value.type != REG_SZ || value.data.empty() || value.data.back() != '\0')
        return false;
    for (std::size_t i = 0; i + 1 < value.data.size(); ++i) {
        const char c = value.data[i];
        if (c == '\0' || c == '\n' || c == '\r')
            return false;
    }
    return true;
}

void appendHex(std::string& out, unsigned number, int minDigits)
{
    static const char digits[] = "0123456789abcdef";
    std::string text;
    do {
        text.insert(text.begin(), digits[number & 15]);
        number >>= 4;
    } while (number != 0 || int(text.size()) < minDigits);
    out += text;
}

void appendValue(std::string& out, const RegValue& value)
{
    if (value.name.empty())
        out += '@';
    else
        appendQuoted(out, value.name);
    out += '=';
    if (fitsInQuotes(value)) {
        appendQuoted(out, std::string_view(value.data).substr(0, value.data.size() - 1));
    } else if (value.type == REG_DWORD && value.data.size() == 4) {
        unsigned number = 0;
        for (int i = 3; i >= 0; --i)
            number = (number << 8) | static_cast<unsigned char>(value.data[std::size_t(i)]);
        out += "dword:";
        appendHex(out, number, 8);
    } else {
        if (value.type == REG_BINARY) {
            out += "hex:";
        } else {
            out += "hex(";
            appendHex(out, value.type, 1);
            out += "):";
        }
        for (std::size_t i = 0; i < value.data.size(); ++i) {
            if (i > 0)
                out += ',';
            appendHex(out, static_cast<unsigned char>(value.data[i]), 2);
        }
    }
    out += '\n';
}

} // namespace

ParseResult parseRegFile(std::string_view text, std::string_view rootName)
{
    ParseResult result;
    if (text.empty()) {
        result.line = 1;
        result.message = "the file is empty (expected \"REGEDIT4\")";
        return result;
    }
    if (text.substr(0, text.find_first_of("\r\n")) != Header) {
        result.line = 1;
        result.message = "the first line is not \"REGEDIT4\"";
        return result;
    }
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        result.line = 1;
        for (std::size_t i = 0; i < nul; ++i)
            result.line += text[i] == '\n';
        result.message = "a zero byte in the text";
        return result;
    }
    if (text.back() != '\n') {
        result.line = 1;
        for (const char c : text)
            result.line += c == '\n';
        result.message = "the file ends inside a line (truncated?)";
        return result;
    }
    Parser parser(text, rootName);
    if (auto failure = parser.run(result.tree)) {
        result.tree = RegTree();
        result.line = failure->line;
        result.message = std::move(failure->message);
        return result;
    }
    result.ok = true;
    return result;
}

std::string formatRegFile(const RegTree& tree, std::string_view rootName)
{
    std::string out(Header);
    out += '\n';
    for (const auto& [folded, key] : tree.keys()) {
        if (key.path.empty() && key.values.empty())
            continue;
        out += "\n[";
        out += rootName;
        if (!key.path.empty()) {
            out += '\\';
            out += key.path;
        }
        out += "]\n";
        for (const auto& value : key.values)
            appendValue(out, value);
    }
    return out;
}

} // namespace torvane::registry
