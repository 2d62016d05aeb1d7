#include "platform/messaging/WindowRegistry.h"

namespace messaging {

WindowRegistry::WindowRegistry(std::uint32_t firstNumber)
    : next_(firstNumber == 0 ? 1 : firstNumber)
{
}

std::uint32_t WindowRegistry::add(MessageHandler* handler, bool topLevel, std::string title)
{
    std::lock_guard lock(mutex_);
    // Skip 0 (no window) and any number still in use after a wrap-around.
    while (next_ == 0 || windows_.count(next_) != 0)
        ++next_;
    const std::uint32_t number = next_++;
    windows_[number] = Entry{handler, std::this_thread::get_id(), topLevel, std::move(title)};
    return number;
}

bool WindowRegistry::remove(std::uint32_t number)
{
    std::lock_guard lock(mutex_);
    return windows_.erase(number) != 0;
}

bool WindowRegistry::setTitle(std::uint32_t number, std::string title)
{
    std::lock_guard lock(mutex_);
    const auto it = windows_.find(number);
    if (it == windows_.end())
        return false;
    it->second.title = std::move(title);
    return true;
}

std::optional<WindowRegistry::Target> WindowRegistry::find(std::uint32_t number) const
{
    std::lock_guard lock(mutex_);
    const auto it = windows_.find(number);
    if (it == windows_.end())
        return std::nullopt;
    return Target{it->second.handler, it->second.thread};
}

WindowList WindowRegistry::snapshot() const
{
    std::lock_guard lock(mutex_);
    WindowList list;
    list.reserve(windows_.size());
    for (const auto& [number, entry] : windows_)
        list.push_back(WindowEntry{number, entry.topLevel, entry.title});
    return list;
}

} // namespace messaging
