#include "platform/messaging/WindowDirectory.h"

#include "platform/messaging/EndpointFolder.h"
#include "platform/messaging/Hwnd.h"
#include "platform/messaging/UnixSocket.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>
#include <vector>

namespace messaging {

namespace {

bool sameFile(const struct stat& st, dev_t device, ino_t inode, off_t size, const timespec& modified)
{
    return st.st_dev == device && st.st_ino == inode && st.st_size == size && st.st_mtim.tv_sec == modified.tv_sec
        && st.st_mtim.tv_nsec == modified.tv_nsec;
}

} // namespace

WindowDirectory::WindowDirectory(std::string folder)
    : folder_(std::move(folder))
{
}

std::shared_ptr<const WindowList> WindowDirectory::windowsOf(std::uint32_t pid)
{
    const std::string path = windowListFilePath(folder_, pid);
    struct stat st {};
    std::lock_guard lock(mutex_);
    if (::stat(path.c_str(), &st) != 0) {
        cache_.erase(pid);
        return nullptr;
    }
    const auto it = cache_.find(pid);
    if (it != cache_.end() && sameFile(st, it->second.device, it->second.inode, it->second.size, it->second.modified))
        return it->second.windows;

    // The list is replaced by rename, so a changed file has a new inode; size and time guard
    // against an inode number that was freed and given out again.
    std::shared_ptr<const WindowList> windows;
    if (auto parsed = readWindowListFile(path))
        windows = std::make_shared<const WindowList>(std::move(*parsed));
    cache_[pid] = Cached{st.st_dev, st.st_ino, st.st_size, st.st_mtim, windows};
    return windows;
}

bool WindowDirectory::isListed(HWND window)
{
    const std::uint32_t number = hwndNumber(window);
    const auto windows = windowsOf(hwndPid(window));
    return windows && number != 0
        && std::any_of(windows->begin(), windows->end(), [number](const WindowEntry& w) { return w.number == number; });
}

bool WindowDirectory::exists(HWND window)
{
    return isListed(window) && isSocketHeld(endpointFilePath(folder_, hwndPid(window)));
}

HWND WindowDirectory::findTopLevel(std::string_view prefix, int bufferSize)
{
    std::vector<std::uint32_t> pids;
    if (DIR* dir = ::opendir(folder_.c_str())) {
        while (const dirent* entry = ::readdir(dir)) {
            const auto parsed = parseEndpointFileName(entry->d_name);
            if (parsed && parsed->kind == EndpointFileKind::WindowList)
                pids.push_back(parsed->pid);
        }
        ::closedir(dir);
    }
    std::sort(pids.begin(), pids.end());
    for (const std::uint32_t pid : pids) {
        const auto windows = windowsOf(pid);
        if (!windows)
            continue;
        for (const WindowEntry& w : *windows) {
            if (w.topLevel && titleBeginsWith(w.title, prefix, bufferSize)) {
                // A list left behind by a killed process names windows that are gone.
                if (!isSocketHeld(endpointFilePath(folder_, pid)))
                    break;
                return makeHwnd(pid, w.number);
            }
        }
    }
    return 0;
}

} // namespace messaging
