#include "platform/process/CommandLine.h"

namespace torvane::process {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

} // namespace

std::vector<std::string> splitCommandLine(std::string_view line)
{
    std::vector<std::string> words;
    std::size_t p = 0;
    const std::size_t end = line.size();
    while (p < end && isBlank(line[p]))
        ++p;
    if (p == end)
        return words;

    // The program name must be a file name, which holds no quote, so quotes only toggle.
    std::string program;
    bool inQuotes = false;
    for (; p < end && (inQuotes || !isBlank(line[p])); ++p) {
        if (line[p] == '"')
            inQuotes = !inQuotes;
        else
            program += line[p];
    }
    words.push_back(std::move(program));

    for (;;) {
        while (p < end && isBlank(line[p]))
            ++p;
        if (p == end)
            break;
        std::string word;
        inQuotes = false;
        while (p < end) {
            std::size_t backslashes = 0;
            while (p < end && line[p] == '\\') {
                ++backslashes;
                ++p;
            }
            if (p < end && line[p] == '"') {
                word.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    word += '"';
                } else if (inQuotes && p + 1 < end && line[p + 1] == '"') {
                    word += '"';
                    ++p;
                } else {
                    inQuotes = !inQuotes;
                }
                ++p;
                continue;
            }
            word.append(backslashes, '\\');
            if (p == end || (!inQuotes && isBlank(line[p])))
                break;
            word += line[p++];
        }
        words.push_back(std::move(word));
    }
    return words;
}

} // namespace torvane::process
