// The windows of all the user's suite processes, as they publish them in the endpoint folder.
// A list is re-read only when its file changed, so asking before every post stays cheap.
#pragma once

#include "platform/messaging/WindowList.h"
#include "platform/wintypes.h"

#include <sys/types.h>

#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

namespace messaging {

class WindowDirectory {
public:
    explicit WindowDirectory(std::string folder);

    // The list process pid publishes; null when it publishes none that can be read.
    std::shared_ptr<const WindowList> windowsOf(std::uint32_t pid);

    // Listed by its process (which may have died since it wrote the list).
    bool isListed(HWND window);

    // Listed by its process, and the process still holds its endpoint.
    bool exists(HWND window);

    // The first top-level window, in the order of process ids and then of registration, whose
    // title read into a buffer of bufferSize characters begins with prefix; 0 when none.
    HWND findTopLevel(std::string_view prefix, int bufferSize);

private:
    struct Cached {
        dev_t device = 0;
        ino_t inode = 0;
        off_t size = 0;
        timespec modified{};
        std::shared_ptr<const WindowList> windows;
    };

    std::string folder_;
    std::mutex mutex_;
    std::map<std::uint32_t, Cached> cache_;
};

} // namespace messaging
