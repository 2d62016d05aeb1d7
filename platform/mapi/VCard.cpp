#include "platform/mapi/VCard.h"

#include "platform/mapi/VCardText.h"

#include <algorithm>

namespace torvane::mapi::vcard {

namespace {

struct Logical {
    std::string raw;      // physical lines with their line ends
    std::string unfolded; // without line ends and folding blanks
};

std::vector<Logical> logicalLines(std::string_view text)
{
    std::vector<Logical> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        std::string_view raw = text.substr(start, next - start);
        std::string_view content = raw;
        if (!content.empty() && content.back() == '\n')
            content.remove_suffix(1);
        if (!content.empty() && content.back() == '\r')
            content.remove_suffix(1);
        const bool continuation = !content.empty() && (content.front() == ' ' || content.front() == '\t');
        if (continuation && !lines.empty()) {
            lines.back().raw.append(raw);
            lines.back().unfolded.append(content.substr(1));
        } else {
            lines.push_back({std::string(raw), std::string(content)});
        }
        start = next;
    }
    return lines;
}

bool isBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t' || c == '\r'; });
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r'))
        text.remove_suffix(1);
    return text;
}

bool isNameChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

bool validName(std::string_view name)
{
    return !name.empty() && std::all_of(name.begin(), name.end(), isNameChar);
}

// Fills line from its unfolded text; false when it is not a content line.
bool parseContentLine(std::string_view text, ContentLine& line)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] != ';' && text[i] != ':')
        ++i;
    if (i == text.size())
        return false;
    std::string_view token = text.substr(0, i);
    const std::size_t dot = token.find('.');
    std::string_view group;
    if (dot != std::string_view::npos) {
        group = token.substr(0, dot);
        token = token.substr(dot + 1);
        if (!validName(group))
            return false;
    }
    if (!validName(token))
        return false;

    std::vector<Param> params;
    while (i < text.size() && text[i] == ';') {
        ++i;
        const std::size_t nameStart = i;
        while (i < text.size() && text[i] != '=' && text[i] != ';' && text[i] != ':')
            ++i;
        Param param;
        param.name = std::string(text.substr(nameStart, i - nameStart));
        if (i < text.size() && text[i] == '=') {
            ++i;
            for (;;) {
                std::string value;
                if (i < text.size() && text[i] == '"') {
                    const std::size_t close = text.find('"', i + 1);
                    if (close == std::string_view::npos)
                        return false;
                    value = std::string(text.substr(i + 1, close - i - 1));
                    i = close + 1;
                } else {
                    const std::size_t valueStart = i;
                    while (i < text.size() && text[i] != ',' && text[i] != ';' && text[i] != ':')
                        ++i;
                    value = std::string(text.substr(valueStart, i - valueStart));
                }
                param.values.push_back(std::move(value));
                if (i < text.size() && text[i] == ',') {
                    ++i;
                    continue;
                }
                break;
            }
        }
        params.push_back(std::move(param));
    }
    if (i >= text.size() || text[i] != ':')
        return false;
    line.group = std::string(group);
    line.name = std::string(token);
    line.params = std::move(params);
    line.value = std::string(text.substr(i + 1));
    return true;
}

bool isCardMarker(const Logical& line, std::string_view marker)
{
    ContentLine parsed;
    return parseContentLine(line.unfolded, parsed) && parsed.group.empty() && equalsNoCase(parsed.name, marker) &&
           parsed.params.empty() && equalsNoCase(trimmed(parsed.value), "VCARD");
}

bool fail(std::string* why, const char* reason)
{
    if (why)
        *why = reason;
    return false;
}

} // namespace

bool ContentLine::is(std::string_view propertyName) const
{
    return !name.empty() && equalsNoCase(name, propertyName);
}

const Param* ContentLine::param(std::string_view paramName) const
{
    for (const Param& p : params)
        if (equalsNoCase(p.name, paramName))
            return &p;
    return nullptr;
}

bool ContentLine::hasParamValue(std::string_view paramName, std::string_view value) const
{
    for (const Param& p : params) {
        if (!equalsNoCase(p.name, paramName))
            continue;
        for (const std::string& v : p.values)
            if (equalsNoCase(v, value))
                return true;
    }
    return false;
}

void ContentLine::removeParam(std::string_view paramName)
{
    std::erase_if(params, [&](const Param& p) { return equalsNoCase(p.name, paramName); });
}

std::string ContentLine::render() const
{
    std::string out;
    if (!group.empty()) {
        out += group;
        out += '.';
    }
    out += name;
    for (const Param& p : params) {
        out += ';';
        out += p.name;
        if (p.values.empty())
            continue;
        out += '=';
        for (std::size_t k = 0; k < p.values.size(); ++k) {
            if (k > 0)
                out += ',';
            const std::string& v = p.values[k];
            if (v.find_first_of(",;:") != std::string::npos)
                out += '"' + v + '"';
            else
                out += v;
        }
    }
    out += ':';
    out += value;
    return out;
}

std::optional<Card> Card::parse(std::string_view text, std::string* why)
{
    const std::vector<Logical> logical = logicalLines(text);
    Card card;
    std::size_t i = 0;
    for (; i < logical.size() && isBlank(logical[i].unfolded); ++i)
        card.prefix_ += logical[i].raw;
    if (i == logical.size() || !isCardMarker(logical[i], "BEGIN")) {
        fail(why, "no card");
        return std::nullopt;
    }
    const std::string& beginRaw = logical[i].raw;
    if (beginRaw.size() >= 2 && beginRaw.compare(beginRaw.size() - 2, 2, "\r\n") == 0)
        card.eol_ = "\r\n";
    else if (!beginRaw.empty() && beginRaw.back() == '\n')
        card.eol_ = "\n";
    card.begin_.raw = beginRaw;
    parseContentLine(logical[i].unfolded, card.begin_);
    ++i;

    bool ended = false;
    for (; i < logical.size(); ++i) {
        if (isCardMarker(logical[i], "BEGIN")) {
            fail(why, "a card inside the card");
            return std::nullopt;
        }
        if (isCardMarker(logical[i], "END")) {
            card.end_.raw = logical[i].raw;
            parseContentLine(logical[i].unfolded, card.end_);
            ended = true;
            ++i;
            break;
        }
        ContentLine line;
        line.raw = logical[i].raw;
        if (!parseContentLine(logical[i].unfolded, line))
            line = ContentLine{logical[i].raw, {}, {}, {}, {}};
        card.lines_.push_back(std::move(line));
    }
    if (!ended) {
        fail(why, "the card has no end");
        return std::nullopt;
    }
    for (; i < logical.size(); ++i) {
        if (!isBlank(logical[i].unfolded)) {
            fail(why, "more than one card, or text after the card");
            return std::nullopt;
        }
        card.suffix_ += logical[i].raw;
    }
    const std::string version = card.version();
    if (version != "3.0" && version != "4.0") {
        fail(why, "not a vCard of version 3.0 or 4.0");
        return std::nullopt;
    }
    return card;
}

Card Card::create()
{
    Card card;
    card.begin_.name = "BEGIN";
    card.begin_.value = "VCARD";
    card.end_.name = "END";
    card.end_.value = "VCARD";
    ContentLine version;
    version.name = "VERSION";
    version.value = "4.0";
    card.lines_.push_back(std::move(version));
    return card;
}

std::string Card::serialize() const
{
    std::string out = prefix_;
    const auto put = [&](const ContentLine& line, bool last) {
        if (!line.raw.empty()) {
            out += line.raw;
            // The last line of a file may lack its line end; anything after it needs one.
            if (!last && out.back() != '\n')
                out += eol_;
        } else {
            out += foldLine(line.render(), eol_);
        }
    };
    put(begin_, false);
    for (const ContentLine& line : lines_)
        put(line, false);
    put(end_, suffix_.empty());
    out += suffix_;
    return out;
}

std::string Card::version() const
{
    const ContentLine* line = find("VERSION");
    return line ? std::string(trimmed(line->value)) : std::string();
}

const ContentLine* Card::find(std::string_view propertyName) const
{
    for (const ContentLine& line : lines_)
        if (line.is(propertyName))
            return &line;
    return nullptr;
}

ContentLine* Card::find(std::string_view propertyName)
{
    for (ContentLine& line : lines_)
        if (line.is(propertyName))
            return &line;
    return nullptr;
}

void Card::setValue(ContentLine& line, std::string value)
{
    line.value = std::move(value);
    line.raw.clear();
}

void Card::append(ContentLine line)
{
    line.raw.clear();
    lines_.push_back(std::move(line));
}

void Card::removeAt(std::size_t position)
{
    if (position < lines_.size())
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(position));
}

} // namespace torvane::mapi::vcard
