#include "platform/outlook/KeptMeaning.h"

#include "platform/outlook/CalendarText.h"

#include <libical/ical.h>

#include <QList>

#include <algorithm>
#include <vector>

namespace torvane::outlook {

namespace {

// What one property says, with the property's name to report it by.
struct Fact {
    QByteArray property;
    QByteArray meaning;
};

struct Node {
    QByteArray name;
    std::vector<Fact> facts;
    std::vector<Node> children;
};

bool isListProperty(icalproperty_kind kind)
{
    switch (kind) {
    case ICAL_CATEGORIES_PROPERTY:
    case ICAL_RESOURCES_PROPERTY:
    case ICAL_RDATE_PROPERTY:
    case ICAL_EXDATE_PROPERTY:
    case ICAL_FREEBUSY_PROPERTY:
        return true;
    default:
        return false;
    }
}

// The value type a property has without a VALUE parameter, as the parameter would name it.
QByteArray defaultValueType(icalproperty_kind kind)
{
    if (kind == ICAL_X_PROPERTY || kind == ICAL_NO_PROPERTY)
        return {};
    switch (const icalvalue_kind value = icalproperty_kind_to_value_kind(kind)) {
    case ICAL_DATETIMEPERIOD_VALUE:
        return "DATE-TIME";
    case ICAL_TRIGGER_VALUE:
        return "DURATION";
    case ICAL_ATTACH_VALUE:
        return "URI";
    default:
        return icalvalue_kind_to_string(value);
    }
}

// Value types libical writes in a spelling of its own (1.5 as 1.500000, PT1H0M as PT1H, the
// parts of a rule in its order); their values are libical's to read.
bool isRespelled(const QByteArray& type)
{
    static const char* const respelled[] = {"BOOLEAN",  "DATE-TIME-PERIOD", "DURATION", "FLOAT", "GEO",
                                            "INTEGER",  "PERIOD",           "RECUR",    "REQUEST-STATUS",
                                            "UTC-OFFSET"};
    return std::any_of(std::begin(respelled), std::end(respelled), [&](const char* t) { return type == t; });
}

// The text a TEXT value stands for. An escape the standard does not know stays as it is, so
// that libical's reading of it (a blank) shows as a change.
QByteArray unescaped(const QByteArray& value)
{
    QByteArray out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value[++i];
        if (next == 'n' || next == 'N')
            out += '\n';
        else if (next == '\\' || next == ',' || next == ';')
            out += next;
        else
            out += QByteArray{'\\', next};
    }
    return out;
}

std::vector<QByteArray> splitAtCommas(const QByteArray& value)
{
    std::vector<QByteArray> parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < value.size(); ++i) {
        if (value[i] == '\\')
            ++i;
        else if (value[i] == ',') {
            parts.push_back(value.mid(start, i - start));
            start = i + 1;
        }
    }
    parts.push_back(value.mid(start));
    return parts;
}

// Parameter values are compared without quotes and case, as libical quotes and spells its
// known ones its own way.
QByteArray parameterValue(const QByteArray& written)
{
    return QByteArray(written).replace('"', QByteArray()).toUpper();
}

// The value type of a property as the file gives it; empty for an X- property without one,
// whose value is text.
QByteArray valueType(const ContentLine& line, icalproperty_kind kind)
{
    for (const auto& [name, value] : line.parameters)
        if (name == "VALUE")
            return parameterValue(value);
    return defaultValueType(kind);
}

bool isText(const QByteArray& type)
{
    return type.isEmpty() || type == "TEXT";
}

// Only properties libical knows by name (BEGIN and END are none).
bool isEmptyText(const ContentLine& line)
{
    const icalproperty_kind kind = icalproperty_string_to_kind(line.name.constData());
    return kind != ICAL_NO_PROPERTY && line.value.trimmed().isEmpty() && isText(valueType(line, kind));
}

void addFacts(const ContentLine& line, std::vector<Fact>& facts)
{
    if (isEmptyText(line))
        return;
    const icalproperty_kind kind = icalproperty_string_to_kind(line.name.constData());
    const QByteArray defaultType = defaultValueType(kind);
    const QByteArray type = valueType(line, kind);
    QList<QByteArray> parameters;
    for (const auto& [name, written] : line.parameters) {
        const QByteArray value = parameterValue(written);
        if (name != "VALUE" || value != defaultType)
            parameters.push_back(name + '=' + value);
    }
    std::sort(parameters.begin(), parameters.end());
    const QByteArray head = line.name + ';' + parameters.join(';') + ':';
    for (const QByteArray& part : isListProperty(kind) ? splitAtCommas(line.value) : std::vector{line.value}) {
        const QByteArray value = part.trimmed();
        QByteArray meaning = head;
        if (isText(type))
            meaning += unescaped(value);
        else if (!isRespelled(type))
            meaning += value.toUpper();
        facts.push_back({line.name, meaning});
    }
}

// The outermost component of a text.
Node treeOf(const QByteArray& text)
{
    std::vector<Node> open;
    for (const QByteArray& logical : unfoldedLines(text)) {
        const ContentLine line = parseContentLine(logical);
        if (line.name == "BEGIN") {
            open.push_back(Node{line.value.trimmed().toUpper(), {}, {}});
        } else if (line.name == "END" && !open.empty()) {
            Node done = std::move(open.back());
            open.pop_back();
            if (open.empty())
                return done;
            open.back().children.push_back(std::move(done));
        } else if (!open.empty()) {
            addFacts(line, open.back().facts);
        }
    }
    return open.empty() ? Node{} : std::move(open.front());
}

QByteArray firstLoss(const Node& original, const Node& rendered)
{
    if (original.name != rendered.name)
        return original.name;
    const size_t facts = std::max(original.facts.size(), rendered.facts.size());
    for (size_t i = 0; i < facts; ++i) {
        if (i >= original.facts.size())
            return rendered.facts[i].property;
        if (i >= rendered.facts.size() || original.facts[i].meaning != rendered.facts[i].meaning)
            return original.facts[i].property;
    }
    const size_t children = std::max(original.children.size(), rendered.children.size());
    for (size_t i = 0; i < children; ++i) {
        if (i >= original.children.size())
            return rendered.children[i].name;
        if (i >= rendered.children.size())
            return original.children[i].name;
        if (QByteArray lost = firstLoss(original.children[i], rendered.children[i]); !lost.isEmpty())
            return lost;
    }
    return {};
}

} // namespace

QByteArray firstLostProperty(const QByteArray& original, const QByteArray& rendered)
{
    return firstLoss(treeOf(original), treeOf(rendered));
}

QByteArray withoutEmptyTexts(const QByteArray& component)
{
    const std::vector<QByteArray> lines = unfoldedLines(component);
    if (std::none_of(lines.begin(), lines.end(), [](const QByteArray& l) { return isEmptyText(parseContentLine(l)); }))
        return component;
    QByteArray out;
    for (const QByteArray& line : lines)
        if (!isEmptyText(parseContentLine(line)))
            out += line + "\r\n";
    return out;
}

} // namespace torvane::outlook
