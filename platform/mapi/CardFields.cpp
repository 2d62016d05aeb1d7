#include "platform/mapi/CardFields.h"

#include "platform/mapi/VCardText.h"

#include <climits>
#include <cstdlib>

namespace torvane::mapi {

using vcard::Card;
using vcard::ContentLine;

namespace {

constexpr std::string_view kUuidPrefix = "urn:uuid:";
constexpr std::string_view kTelPrefix = "tel:";
// Group cards as programs of the 3.0 era write them.
constexpr std::string_view kServerKind = "X-ADDRESSBOOKSERVER-KIND";
constexpr std::string_view kServerMember = "X-ADDRESSBOOKSERVER-MEMBER";

std::string_view trim(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    return text;
}

std::string decodeText(const ContentLine& line)
{
    return vcard::toLatin1(vcard::unescapeText(line.value));
}

std::string decodePhone(const ContentLine& line)
{
    std::string text = decodeText(line);
    if (vcard::startsWithNoCase(text, kTelPrefix))
        text.erase(0, kTelPrefix.size());
    return text;
}

bool isGroupCard(const Card& card)
{
    for (const ContentLine& line : card.lines())
        if ((line.is("KIND") || line.is(kServerKind)) && vcard::equalsNoCase(trim(line.value), "group"))
            return true;
    return false;
}

// The position of the preferred TEL line (lowest PREF in 4.0, TYPE=pref in 3.0), else the
// first; -1 when there is none.
int primaryPhoneLine(const Card& card)
{
    int first = -1;
    int best = -1;
    long bestPref = LONG_MAX;
    const auto& lines = card.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const ContentLine& line = lines[i];
        if (!line.is("TEL"))
            continue;
        if (first < 0)
            first = int(i);
        long pref = LONG_MAX;
        if (const vcard::Param* p = line.param("PREF"); p && !p->values.empty())
            pref = std::strtol(p->values.front().c_str(), nullptr, 10);
        else if (line.hasParamValue("TYPE", "pref") || line.param("PREF"))
            pref = 1;
        if (pref < bestPref) {
            bestPref = pref;
            best = int(i);
        }
    }
    return best >= 0 ? best : first;
}

// Sets the first line of the property (adding one when missing) to the text; removes it for
// an empty text when removable.
bool setTextProperty(Card& card, std::string_view name, std::string_view latin1, bool removable)
{
    auto& lines = card.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (!lines[i].is(name))
            continue;
        if (latin1.empty() && removable) {
            card.removeAt(i);
            return true;
        }
        if (decodeText(lines[i]) == latin1)
            return false;
        Card::setValue(lines[i], vcard::escapeText(vcard::fromLatin1(latin1)));
        return true;
    }
    if (latin1.empty() && removable)
        return false;
    ContentLine line;
    line.name = std::string(name);
    line.value = vcard::escapeText(vcard::fromLatin1(latin1));
    card.append(std::move(line));
    return true;
}

std::string memberValue(const ContentLine& line)
{
    return normalUid(trim(line.value));
}

} // namespace

std::string normalUid(std::string_view uid)
{
    uid = trim(uid);
    if (vcard::startsWithNoCase(uid, kUuidPrefix))
        uid.remove_prefix(kUuidPrefix.size());
    return std::string(uid);
}

std::string cardUid(const Card& card)
{
    const ContentLine* uid = card.find("UID");
    return uid ? normalUid(vcard::unescapeText(uid->value)) : std::string();
}

bool sameUid(std::string_view a, std::string_view b)
{
    const std::string na = normalUid(a);
    return !na.empty() && vcard::equalsNoCase(na, normalUid(b));
}

CardFields readCardFields(const Card& card)
{
    CardFields fields;
    fields.group = isGroupCard(card);
    fields.uid = cardUid(card);
    if (const ContentLine* fn = card.find("FN"))
        fields.displayName = decodeText(*fn);
    if (const int tel = primaryPhoneLine(card); tel >= 0)
        fields.phone = decodePhone(card.lines()[std::size_t(tel)]);
    if (const ContentLine* email = card.find("EMAIL"))
        fields.email = decodeText(*email);
    if (const ContentLine* note = card.find("NOTE"))
        fields.note = decodeText(*note);
    if (fields.group) {
        for (const ContentLine& line : card.lines())
            if (line.is("MEMBER") || line.is(kServerMember))
                if (std::string member = memberValue(line); !member.empty())
                    fields.members.push_back(std::move(member));
    }
    return fields;
}

Card newCard(std::string_view uid, bool group)
{
    Card card = Card::create();
    ContentLine uidLine;
    uidLine.name = "UID";
    uidLine.value = std::string(kUuidPrefix) + std::string(uid);
    card.append(std::move(uidLine));
    if (group) {
        ContentLine kind;
        kind.name = "KIND";
        kind.value = "group";
        card.append(std::move(kind));
    }
    ContentLine fn;
    fn.name = "FN";
    card.append(std::move(fn));
    return card;
}

bool setDisplayName(Card& card, std::string_view latin1)
{
    return setTextProperty(card, "FN", latin1, false);
}

bool setEmail(Card& card, std::string_view latin1)
{
    return setTextProperty(card, "EMAIL", latin1, true);
}

bool setNote(Card& card, std::string_view latin1)
{
    return setTextProperty(card, "NOTE", latin1, true);
}

bool setPrimaryPhone(Card& card, std::string_view latin1)
{
    const int tel = primaryPhoneLine(card);
    if (tel < 0) {
        if (latin1.empty())
            return false;
        ContentLine line;
        line.name = "TEL";
        line.value = vcard::escapeText(vcard::fromLatin1(latin1));
        card.append(std::move(line));
        return true;
    }
    if (latin1.empty()) {
        card.removeAt(std::size_t(tel));
        return true;
    }
    ContentLine& line = card.lines()[std::size_t(tel)];
    if (decodePhone(line) == latin1)
        return false;
    // A number as the user types it (blanks, '#', '*') is no URI: the line becomes text.
    line.removeParam("VALUE");
    Card::setValue(line, vcard::escapeText(vcard::fromLatin1(latin1)));
    return true;
}

bool addMember(Card& card, std::string_view uid)
{
    const CardFields fields = readCardFields(card);
    for (const std::string& member : fields.members)
        if (sameUid(member, uid))
            return false;
    bool serverStyle = false;
    for (const ContentLine& line : card.lines())
        serverStyle = serverStyle || line.is(kServerKind);
    ContentLine line;
    line.name = std::string(serverStyle ? kServerMember : std::string_view("MEMBER"));
    line.value = std::string(kUuidPrefix) + normalUid(uid);
    card.append(std::move(line));
    return true;
}

bool removeMember(Card& card, std::string_view uid)
{
    bool changed = false;
    auto& lines = card.lines();
    for (std::size_t i = lines.size(); i-- > 0;) {
        if ((lines[i].is("MEMBER") || lines[i].is(kServerMember)) && sameUid(memberValue(lines[i]), uid)) {
            card.removeAt(i);
            changed = true;
        }
    }
    return changed;
}

} // namespace torvane::mapi
