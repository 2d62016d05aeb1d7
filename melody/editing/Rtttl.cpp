#include "melody/editing/Rtttl.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace {

constexpr NoteEntry WHOLE_REST{0, 0, 0};
// A note's letter must come within its first eight characters.
constexpr std::size_t LETTER_WITHIN = 8;
constexpr int MAX_DURATION_VALUE = 32;

class Reports {
public:
    explicit Reports(ErrorReporter* errors) : errors_(errors) {}
    void operator()(int id) const
    {
        if (errors_)
            errors_->Fehler_Melden(ERROR_CLASS_REFUSED, id);
    }

private:
    ErrorReporter* errors_;
};

bool IsUpperLetter(char ch) { return ch >= 'A' && ch <= 'Z'; }

// The text's leading decimal number as a C program reads one: blanks, a sign, digits; 0 when
// there are no digits. Texts here are a few characters long, but none can overflow it.
long LeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min(value * 10 + (text[i] - '0'), 1000000L);
    return negative ? -value : value;
}

// Halvings that bring a duration value (1 to 32) down to 1: 1 gives whole, 32 thirty-second.
int DurationCode(long value)
{
    int code = 0;
    while (value > 1) {
        value /= 2;
        ++code;
    }
    return code;
}

std::vector<std::string_view> Split(std::string_view text, char separator)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

struct Defaults {
    int durationValue = RTTTL_DEFAULT_DURATION;
    int octave = RTTTL_DEFAULT_OCTAVE;
};

// One header item; 0 when accepted, else the id to report.
int ReadHeaderItem(std::string_view item, Defaults& defaults, CMelvioDoc& doc)
{
    if (item.empty())
        return IDS_ERR_RTTTL_HEADER;
    switch (item[0]) {
    case 'b': {
        if (item.size() > 5)
            return IDS_ERR_RTTTL_TEMPO;
        const int tempo = int(LeadingNumber(item.size() > 2 ? item.substr(2) : std::string_view{}));
        doc.tempo = tempo;
        doc.ShowTempo(tempo);
        return 0;
    }
    case 'd':
        if (item.size() < 2 || item[1] != '=')
            return IDS_ERR_RTTTL_FORMAT;
        if (item.size() == 3) {
            switch (item[2]) {
            case '1':
            case '2':
            case '4':
            case '8':
                defaults.durationValue = item[2] - '0';
                return 0;
            default:
                return IDS_ERR_RTTTL_DURATION;
            }
        }
        if (item.size() == 4) {
            if (item[2] == '1')
                defaults.durationValue = 16;
            else if (item[2] == '3')
                defaults.durationValue = 32;
            else
                return IDS_ERR_RTTTL_DURATION;
            return 0;
        }
        return IDS_ERR_RTTTL_DURATION;
    case 'o':
        if (item.size() != 3)
            return IDS_ERR_RTTTL_OCTAVE;
        if (item[1] != '=')
            return IDS_ERR_RTTTL_FORMAT;
        if (item[2] < '4' || item[2] > '7')
            return IDS_ERR_RTTTL_OCTAVE;
        defaults.octave = item[2] - '0';
        return 0;
    default:
        return IDS_ERR_RTTTL_HEADER;
    }
}

} // namespace

int CountChar(std::string_view text, char ch) { return int(std::count(text.begin(), text.end(), ch)); }

int NoteLetterToSemitone(char letter, ErrorReporter* errors)
{
    switch (letter) {
    case 'C':
        return 0;
    case 'D':
        return 2;
    case 'E':
        return 4;
    case 'F':
        return 5;
    case 'G':
        return 7;
    case 'A':
        return 9;
    case 'B':
    case 'H':
        return 11;
    case 'P':
        return RTTTL_REST;
    default:
        Reports{errors}(IDS_ERR_RTTTL_FORMAT);
        return -1;
    }
}

RtttlResult ParseRtttl(CMelvioDoc& doc, std::string_view text, ErrorReporter* errors)
{
    const Reports report(errors);
    if (CountChar(text, ':') != 2) {
        report(IDS_ERR_RTTTL_FORMAT);
        return RtttlResult::HeaderRefused;
    }
    const std::size_t first = text.find(':');
    const std::size_t second = text.find(':', first + 1);
    if (first > RTTTL_MAX_NAME) {
        report(IDS_ERR_RTTTL_FORMAT);
        return RtttlResult::HeaderRefused;
    }

    const std::string_view header = text.substr(first + 1, second - first - 1);
    if (CountChar(header, ',') != 2) {
        report(IDS_ERR_RTTTL_FORMAT);
        return RtttlResult::HeaderRefused;
    }
    // An item kind given twice leaves the other unset: the usual defaults stand then.
    Defaults defaults;
    for (std::string_view item : Split(header, ',')) {
        if (const int id = ReadHeaderItem(item, defaults, doc)) {
            report(id);
            return RtttlResult::HeaderRefused;
        }
    }

    std::string notesText(text.substr(second + 1));
    for (char& ch : notesText)
        if (ch >= 'a' && ch <= 'z')
            ch = char(ch - 'a' + 'A');
    std::vector<std::string_view> tokens = Split(notesText, ',');
    // The melody has 71 slots: a longer tune is cut after its 71st note, and said so once.
    const bool cut = tokens.size() > std::size_t(MELODY_SLOTS);
    if (cut)
        tokens.resize(std::size_t(MELODY_SLOTS));
    for (std::size_t i = 0; i + 1 < tokens.size(); ++i)
        if (tokens[i].size() > RTTTL_MAX_TOKEN) {
            report(IDS_ERR_RTTTL_FORMAT);
            return RtttlResult::NotesRefused;
        }
    if (cut)
        report(IDS_ERR_RTTTL_FORMAT);

    doc.notes.fill(WHOLE_REST);
    doc.noteCount = int(tokens.size());

    for (std::size_t k = 0; k < tokens.size(); ++k) {
        const std::string_view token = tokens[k];
        const std::size_t letterAt = std::size_t(std::find_if(token.begin(), token.end(), IsUpperLetter) - token.begin());
        if (letterAt >= token.size() || letterAt >= LETTER_WITHIN) {
            report(IDS_ERR_RTTTL_FORMAT);
            return RtttlResult::Ended;
        }
        long durationValue = defaults.durationValue;
        if (const long prefix = LeadingNumber(token.substr(0, letterAt))) {
            if (prefix < 1 || prefix > MAX_DURATION_VALUE) {
                report(IDS_ERR_RTTTL_DURATION);
                return RtttlResult::Ended;
            }
            durationValue = prefix;
        }
        int semitone = NoteLetterToSemitone(token[letterAt], errors);
        const bool knownLetter = semitone >= 0;
        int octave = defaults.octave;
        int dotted = 0;
        for (char ch : token.substr(letterAt + 1)) {
            if (ch == '#')
                ++semitone;
            else if (ch == '.')
                dotted = 1;
            else if (ch >= '4' && ch <= '7')
                octave = ch - '0';
            else
                report(IDS_ERR_RTTTL_FORMAT);
        }
        int pitch = 0;
        // An unknown letter ends the import even when sharps bring its value into range.
        if (knownLetter && semitone >= 0 && semitone <= 11) {
            pitch = semitone + 12 * octave;
        } else if (knownLetter && semitone == RTTTL_REST) {
            pitch = 0;
        } else {
            report(IDS_ERR_RTTTL_FORMAT);
            return RtttlResult::Ended;
        }
        doc.notes[k] = {pitch, DurationCode(durationValue), dotted};
    }
    return RtttlResult::Done;
}
