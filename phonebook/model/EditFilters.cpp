#include "phonebook/model/EditFilters.h"

#include "phonebook/model/GsmName.h"

#include <algorithm>
#include <climits>

namespace brevik {

namespace {

void clampSelection(EditText& edit)
{
    const int size = int(edit.text.size());
    edit.selStart = std::clamp(edit.selStart, 0, size);
    edit.selEnd = std::clamp(edit.selEnd, edit.selStart, size);
}

} // namespace

bool IsValidNumberText(std::string_view text, bool blanksAllowed)
{
    return std::all_of(text.begin(), text.end(), [blanksAllowed](char c) {
        return (c >= '0' && c <= '9') || c == '#' || c == '*' || c == '+' || c == '-' || c == '/' || c == '?' ||
               (blanksAllowed && c == ' ');
    });
}

std::optional<EditText> CorrectNumberChange(const EditText& typed, bool blanksAllowed)
{
    if (IsValidNumberText(typed.text, blanksAllowed))
        return std::nullopt;
    // The character just typed was refused: the caret goes back to where it was typed.
    EditText corrected{FilterPhoneNumber(typed.text, blanksAllowed), std::max(typed.selStart - 1, 0),
                       std::max(typed.selEnd - 1, 0)};
    clampSelection(corrected);
    return corrected;
}

std::optional<EditText> LimitPhoneName(const EditText& typed, int nameLength)
{
    EditText limited = typed;
    const std::size_t limit = std::size_t(std::max(nameLength, 0));
    if (limited.text.size() > limit)
        limited.text.resize(limit);
    std::string stripped;
    if (!StripRefusedCharacters(limited.text, stripped)) {
        const auto removedBefore = [&](int position) {
            const auto end = limited.text.begin() + std::min<std::ptrdiff_t>(position, std::ptrdiff_t(limited.text.size()));
            return int(std::count_if(limited.text.begin(), end,
                                     [](char c) { return RefusedNameCharacters.find(c) != std::string_view::npos; }));
        };
        limited.selStart -= removedBefore(limited.selStart);
        limited.selEnd -= removedBefore(limited.selEnd);
        limited.text = std::move(stripped);
    }
    clampSelection(limited);
    if (limited.text == typed.text)
        return std::nullopt;
    return limited;
}

std::optional<EditText> LimitPhoneNumber(const EditText& typed, int numberLength)
{
    const std::size_t limit = std::size_t(std::max(numberLength, 0)) + (typed.text.starts_with('+') ? 1 : 0);
    if (typed.text.size() <= limit)
        return std::nullopt;
    EditText limited = typed;
    limited.text.resize(limit);
    clampSelection(limited);
    return limited;
}

std::string TrimTrailingBlanks(std::string name)
{
    while (name.size() > 1 && name.back() == ' ')
        name.pop_back();
    return name;
}

std::string NewEntryStatus(std::string_view typed)
{
    return !typed.empty() && typed[0] == '!' ? "!" : " ";
}

std::string ChangedEntryStatus(std::string_view typed)
{
    if (typed.size() > 1 && typed[1] == '!')
        return "!";
    return NewEntryStatus(typed);
}

bool IsAcceptedPreviewStatus(std::string_view typed)
{
    return typed.empty() || typed == "!" || typed == " ";
}

int IndexFromText(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r')))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX);
    return int(negative ? -value : value);
}

} // namespace brevik
