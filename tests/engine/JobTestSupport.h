// Helpers of the job tests: a harness whose requester is one fixed window, received lines held
// in heap blocks of exactly their size (so AddressSanitizer reports a read past a line's end),
// and the answers the requester got.
#pragma once

#include "EngineHarness.h"

#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace zeltest {

constexpr HWND kRequester = 0x0000004200000007ull;
constexpr UINT kReplyMessage = WM_USER + 250;

class JobHarness : public EngineHarness {
public:
    // One cycle with a line in a block of exactly its length and terminator.
    std::string exactLine(const std::string& text)
    {
        auto block = std::make_unique<char[]>(text.size() + 1);
        std::memcpy(block.get(), text.c_str(), text.size() + 1);
        return cycle(block.get());
    }

    // Lines in turn; the commands the cycles left, joined.
    std::string lines(std::initializer_list<const char*> texts)
    {
        std::string sent;
        for (const char* text : texts)
            sent += exactLine(text);
        return sent;
    }

    std::vector<Answer> got() const { return answers(kRequester, kReplyMessage); }

    // Lets `ms` pass and ticks once.
    std::string after(std::uint32_t ms)
    {
        advance(ms);
        return tick();
    }
};

// The single answer (job code, result), or (0, 999) when there is none or more than one.
inline Answer onlyAnswer(const JobHarness& h)
{
    const auto all = h.got();
    return all.size() == 1 ? all[0] : Answer{0, 999};
}

} // namespace zeltest
