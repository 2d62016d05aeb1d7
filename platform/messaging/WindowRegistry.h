// The windows of this process: number -> handler, the thread that registered it, and what is
// published about it (top-level flag and title). Safe to use from any thread.
#pragma once

#include "platform/messaging/MessageHandler.h"
#include "platform/messaging/WindowList.h"

#include <cstdint>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace messaging {

class WindowRegistry {
public:
    // Numbers are handed out upwards from firstNumber, which should differ from one process to
    // the next so that a handle kept across a pid's reuse does not reach a new window.
    explicit WindowRegistry(std::uint32_t firstNumber);

    std::uint32_t add(MessageHandler* handler, bool topLevel, std::string title);
    bool remove(std::uint32_t number);
    bool setTitle(std::uint32_t number, std::string title);

    struct Target {
        MessageHandler* handler = nullptr;
        std::thread::id thread; // the window's own thread
    };
    std::optional<Target> find(std::uint32_t number) const;

    // What the process publishes, in registration order.
    WindowList snapshot() const;

private:
    struct Entry {
        MessageHandler* handler = nullptr;
        std::thread::id thread;
        bool topLevel = false;
        std::string title;
    };

    mutable std::mutex mutex_;
    std::map<std::uint32_t, Entry> windows_; // numbers only grow, so this is registration order
    std::uint32_t next_;
};

} // namespace messaging
