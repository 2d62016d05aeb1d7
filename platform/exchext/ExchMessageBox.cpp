#include "platform/exchext/ExchMessageBox.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace torvane::exchext {

namespace {

std::mutex& sinkMutex()
{
    static std::mutex mutex;
    return mutex;
}

MessageBoxSink& currentSink()
{
    static MessageBoxSink sink;
    return sink;
}

int writeToStandardError(const MessageBoxRequest& box)
{
    std::fprintf(stderr, "[%s] %s\n", box.caption.c_str(), box.text.c_str());
    std::fflush(stderr);
    return IDOK;
}

} // namespace

MessageBoxSink setMessageBoxSink(MessageBoxSink sink)
{
    std::lock_guard lock(sinkMutex());
    return std::exchange(currentSink(), std::move(sink));
}

int showMessageBox(HWND owner, const std::string& text, const std::string& caption, UINT type)
{
    MessageBoxSink sink;
    {
        std::lock_guard lock(sinkMutex());
        sink = currentSink();
    }
    const MessageBoxRequest box{owner, text, caption, type};
    // The sink may show a box of its own; no lock is held meanwhile.
    return sink ? sink(box) : writeToStandardError(box);
}

} // namespace torvane::exchext
