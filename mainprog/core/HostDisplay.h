// The values the engine host's diagnostic controls show. Both threads write them; the dialog
// reads them when told that something changed.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>

namespace corvant {

struct HostDisplay {
    std::atomic<int> openError {0};          // system error of the last failed opening
    std::atomic<unsigned> writeErrors {0};   // error flags after a failed write
    std::atomic<unsigned> readErrors {0};    // error flags the reader saw
    std::atomic<unsigned> modem {0};         // modem lines; plus 10000 after a read returned
    std::atomic<std::intptr_t> handle {-1};  // the open port's handle, -1 while closed

    // Called after a change, on the thread that made it.
    std::function<void()> changed;

    void notify() const
    {
        if (changed)
            changed();
    }
};

} // namespace corvant
