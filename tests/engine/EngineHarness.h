// Drives the engine core line by line with a fake clock and a recorder of posted and sent
// messages, on a shared section of its own.
#pragma once

#include "engine/Engine.h"
#include "engine/EngineServices.h"
#include "engine/zeldll.h"

#include <cstdint>
#include <cstring>
#include <functional>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

namespace zeltest {

struct Message {
    HWND window;
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    bool operator==(const Message&) const = default;
};

class FakeServices : public zel::EngineServices {
public:
    std::uint32_t now = 0;
    std::vector<Message> posted;
    std::vector<Message> sent;
    bool postSucceeds = true;
    // Called from inside postMessage, to play a window that reacts at once.
    std::function<void(const Message&)> onPost;
    std::vector<HWND> goneWindows;
    std::vector<std::string> traces;

    std::uint32_t tickCount() override { return now; }
    bool postMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) override
    {
        posted.push_back({w, m, wp, lp});
        if (onPost)
            onPost(posted.back());
        return postSucceeds;
    }
    LRESULT sendMessage(HWND w, UINT m, WPARAM wp, LPARAM lp) override
    {
        sent.push_back({w, m, wp, lp});
        return 0;
    }
    bool windowExists(HWND w) override
    {
        for (HWND gone : goneWindows)
            if (gone == w)
                return false;
        return true;
    }
    void trace(const char* text) override { traces.emplace_back(text); }
};

// The answer a requester got: (wParam as the int it was, lParam).
struct Answer {
    int wParam;
    long lParam;
    bool operator==(const Answer&) const = default;
};

inline std::ostream& operator<<(std::ostream& os, const Answer& a)
{
    return os << "(" << a.wParam << ", " << a.lParam << ")";
}

class EngineHarness {
public:
    explicit EngineHarness(zel::JobTable jobs = zel::standardJobTable())
        : shared(std::make_unique<EngineShared>()), engine(*shared, services, jobs)
    {
    }

    // One cycle; returns the command text left for the port (or "<null>" when no job ran).
    std::string cycle(const char* line, int portState = PORT_DSR_ON)
    {
        char* command = reinterpret_cast<char*>(1);
        lastReturn = engine.cycle(line, &command, portState);
        return command ? std::string(command) : std::string("<null>");
    }
    std::string tick(int portState = PORT_DSR_ON) { return cycle(nullptr, portState); }
    std::string line(const char* text, int portState = PORT_DSR_ON) { return cycle(text, portState); }

    void advance(std::uint32_t ms) { services.now += ms; }

    // Answers posted to `window` with `message`, in order.
    std::vector<Answer> answers(HWND window, UINT message) const
    {
        std::vector<Answer> out;
        for (const Message& m : services.posted)
            if (m.window == window && m.message == message)
                out.push_back({int(m.wParam), long(m.lParam)});
        return out;
    }

    FakeServices services;
    std::unique_ptr<EngineShared> shared;
    zel::Engine engine;
    int lastReturn = -99;
};

} // namespace zeltest
