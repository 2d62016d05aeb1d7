#include "mainprog/core/SpoolFile.h"

#include "engine/codec/GsmAlphabet.h"

#include <algorithm>
#include <cctype>

namespace corvant::spool {

namespace {

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

std::string lower(std::string text)
{
    for (char& c : text)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return text;
}

bool contains(const std::string& text, const std::string& what)
{
    return text.find(what) != std::string::npos;
}

// The text between "from" and the next "until" marker; empty when either is missing.
std::string between(const std::string& text, size_t from, const char* until)
{
    const size_t end = text.find(until, from);
    return end == std::string::npos ? std::string() : text.substr(from, end - from);
}

// Septets a character takes in the message; one the phone lacks goes as one blank.
size_t septetsOf(char c)
{
    return static_cast<size_t>(std::max(1, zel::SmsLatinSeptets(c)));
}

} // namespace

std::string textOf(const std::string& bytes)
{
    return bytes.substr(0, bytes.find('\0'));
}

std::string trim(const std::string& text)
{
    size_t first = 0, last = text.size();
    while (first < last && isSpace(text[first]))
        ++first;
    while (last > first && isSpace(text[last - 1]))
        --last;
    return text.substr(first, last - first);
}

OutgoingFile parseOutgoing(const std::string& text)
{
    OutgoingFile file;
    const size_t numberLen = sizeof kNumberMarker - 1;
    const size_t number = text.find(kNumberMarker);
    size_t searchFrom = 0;
    if (number == std::string::npos) {
        file.destination = "<none>";
    } else {
        file.hasNumber = true;
        searchFrom = number;
        const size_t after = number + numberLen;
        const size_t open = text.find('[', after);
        const size_t close = text.find(']', open == std::string::npos ? after : open);
        if (close == std::string::npos) {
            // No closing bracket: no destination, nothing to split off.
            file.rest = text.substr(after);
        } else {
            if (open != std::string::npos)
                file.destination = text.substr(open + 1, close - open - 1);
            file.rest = text.substr(close + 1);
        }
        // Further recipients: every number field in front of the body marker.
        std::string rest = file.rest;
        for (;;) {
            const size_t body = rest.find(kBodyMarker);
            const size_t next = rest.find(kNumberMarker);
            if (body == std::string::npos || next == std::string::npos || next > body)
                break;
            // The field runs from its marker (what stands before it is not part of it, and a
            // "]" there must not cut the field short) to the first "]" after the marker.
            const size_t start = next;
            const size_t close2 = rest.find(']', start);
            if (close2 == std::string::npos)
                break; // a field without its bracket ends the list instead of looping on it
            file.furtherRecipients.push_back(rest.substr(start, close2 + 1 - start));
            rest = rest.substr(close2 + 1);
        }
        file.commonTail = rest;
    }

    const size_t subject = text.find(kSubjectMarker, searchFrom);
    size_t bodyFrom = searchFrom;
    if (subject != std::string::npos) {
        bodyFrom = subject + sizeof kSubjectMarker - 1;
        file.subject = trim(between(text, bodyFrom, kPriorityMarker));
    }
    const size_t body = text.find(kBodyMarker, bodyFrom);
    if (body != std::string::npos)
        file.body = trim(between(text, body + sizeof kBodyMarker - 1, kEndMarker));
    return file;
}

bool isValidDestination(const std::string& destination)
{
    if (destination.empty())
        return false;
    for (size_t i = 0; i < destination.size(); ++i) {
        const char c = destination[i];
        if (!((c >= '0' && c <= '9') || (c == '+' && i == 0)))
            return false;
    }
    return true;
}

std::string MergeSubjectAndBody(const std::string& subject, const std::string& body)
{
    if (body.empty())
        return subject;
    if (subject.empty())
        return body;
    std::string s = subject;
    if (contains(s, "WG: ") || contains(s, "AW: ")) {
        s = s.substr(4);
        if (contains(body, s))
            return body;
    }
    const size_t n = std::min({subject.size(), body.size(), size_t{30}});
    if (body.size() > subject.size()) {
        if (contains(lower(body), lower(s).substr(0, n)))
            return body;
    } else if (contains(lower(s), lower(body).substr(0, n))) {
        return s;
    }
    return s + " " + body;
}

std::string FilterSmsText(const std::string& text)
{
    std::string out = text;
    for (char& c : out) {
        const bool control = static_cast<unsigned char>(c) < 0x20 && c != '\n' && c != '\r';
        if (control || zel::SmsLatinSeptets(c) == 0)
            c = '.';
    }
    return out;
}

std::vector<std::string> cutParts(const std::string& text)
{
    size_t septets = 0;
    for (char c : text)
        septets += septetsOf(c);
    if (septets <= kSingleLength)
        return {text};
    std::vector<std::string> parts;
    size_t start = 0;
    size_t used = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        const size_t size = septetsOf(text[i]);
        if (used + size > kPartLength) {
            parts.push_back(text.substr(start, i - start));
            start = i;
            used = 0;
        }
        used += size;
    }
    parts.push_back(text.substr(start));
    return parts;
}

unsigned CountParts(const std::string& text)
{
    return static_cast<unsigned>(cutParts(text).size());
}

std::string previewText(const std::vector<std::string>& parts)
{
    static const std::string separator = "\r\n----------\r\n";
    std::string shown;
    for (size_t i = 0; i < parts.size(); ++i)
        shown += (i > 0 ? separator : std::string()) + parts[i];
    return shown;
}

std::string inboxFile(const std::string& sender, const std::string& text, const InboxDate& date,
                      const std::string& phoneName)
{
    const std::string crlf = "\r\n";
    const std::string gap = crlf + crlf;
    std::string out;
    out += "Message: " + gap;
    out += "From: SMS User [SMS:" + sender + "]" + gap;
    out += "Representing: SMS User [SMS:" + sender + "]" + gap;
    out += "Reply To: SMS User [" + sender + "]" + gap;
    out += "Date: " + std::to_string(date.year) + "/" + std::to_string(date.month) + "/" +
           std::to_string(date.day) + " " + std::to_string(date.hour) + ":" + std::to_string(date.minute) + gap;
    out += std::string(kNumberMarker) + " " + phoneName + gap;
    out += std::string(kSubjectMarker) + " " + crlf + text.substr(0, 30) + gap;
    out += std::string(kPriorityMarker) + " Normal: " + gap;
    out += "Contents: " + gap;
    out += std::string(kBodyMarker) + " " + crlf;
    size_t pos = 0;
    while (pos < text.size()) {
        const size_t end = text.find_first_of("\r\n", pos);
        const size_t stop = end == std::string::npos ? text.size() : end;
        if (stop > pos)
            out += text.substr(pos, stop - pos) + crlf;
        pos = stop + 1;
    }
    out += "\r\n\n" + std::string(kEndMarker) + "\n\r\n\r\n";
    out += "File Item: MESSAGE.SMS" + crlf;
    static const unsigned char tail[12] = {0x78, 0x9F, 0x3E, 0x22, 0xAF, 0x01, 0x01, 0x06, 0x90, 0x08, 0x20, 0x04};
    out.append(reinterpret_cast<const char*>(tail), sizeof tail);
    return out;
}

} // namespace corvant::spool
