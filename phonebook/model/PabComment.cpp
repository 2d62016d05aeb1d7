#include "phonebook/model/PabComment.h"

#include "phonebook/model/BrevikStrings.h"

namespace brevik {

namespace {

constexpr std::size_t kMaxIndexDigits = 4;

void eraseFirst(std::string& text, const std::string& word)
{
    const std::size_t p = text.find(word);
    if (p != std::string::npos)
        text.erase(p, word.size());
}

} // namespace

ParsedComment ParsePabComment(std::string_view comment, const PhoneDirectory& block)
{
    ParsedComment parsed;
    std::string copy(comment);

    const std::string vip = brevikStringLatin1(IDS_VIP_STATUS);
    if (const std::size_t p = copy.find(vip); p != std::string::npos) {
        parsed.status = "!";
        copy.erase(p, vip.size());
    } else {
        parsed.status = " ";
    }
    eraseFirst(copy, brevikStringLatin1(IDS_STANDARD_STATUS));

    // Our own text always stands at the end, so the last "Index: " is ours; an earlier one is
    // the user's own writing (a word such as "Indexkarte" never matches).
    const std::string marker = brevikStringLatin1(IDS_INDEX) + ": ";
    const std::size_t p = copy.rfind(marker);
    if (p != std::string::npos) {
        const std::size_t start = p + marker.size();
        std::size_t end = copy.find(' ', start);
        if (end == std::string::npos)
            end = copy.size();
        const std::string number = copy.substr(start, end - start);
        int value = 0;
        if (number.size() <= kMaxIndexDigits) {
            for (const char c : number) {
                if (c < '0' || c > '9')
                    break;
                value = value * 10 + (c - '0');
            }
        }
        parsed.index = IsIndexFree(value, block) ? value : 0;
        std::size_t from = p;
        if (p > 2 && copy.compare(p - 3, 3, " - ") == 0)
            from = p - 3;
        copy.erase(from, end - from);
    }
    // Every trailing blank goes: the change comment puts one between the kept text and the
    // status, and keeping it would make the comment grow with every save.
    while (!copy.empty() && copy.back() == ' ')
        copy.pop_back();
    parsed.keptComment = std::move(copy);
    return parsed;
}

std::string CreatePabComment(std::string_view status, int index)
{
    const std::string statusText = brevikStringLatin1(status == "!" ? IDS_VIP_STATUS : IDS_STANDARD_STATUS);
    return statusText + " - " + brevikStringLatin1(IDS_INDEX) + ": " + std::to_string(index) + " ";
}

std::string ChangePabComment(std::string_view keptComment, std::string_view status, int index)
{
    if (keptComment.empty())
        return CreatePabComment(status, index);
    return std::string(keptComment) + " " + CreatePabComment(status, index);
}

} // namespace brevik
