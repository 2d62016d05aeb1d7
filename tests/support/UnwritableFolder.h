// Makes a folder refuse every new byte while its files stay readable, as a user meets it: a normal
// user gets a read-only folder ("Permission denied"); root, whom modes do not stop, gets a full
// disk ("No space left on device"): a small file system mounted over the folder, holding copies
// of its files and filled up. Everything is as before once the object is gone.
#pragma once

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>
#include <vector>

namespace torvane::test {

class UnwritableFolder {
public:
    explicit UnwritableFolder(std::string folder) : folder_(std::move(folder))
    {
        if (::geteuid() != 0) {
            struct stat st {};
            if (::stat(folder_.c_str(), &st) == 0 && ::chmod(folder_.c_str(), 0555) == 0) {
                mode_ = st.st_mode & 07777;
                reason_ = std::strerror(EACCES);
            }
            return;
        }
        const auto files = readFiles();
        if (::mount("tmpfs", folder_.c_str(), "tmpfs", 0, "size=64k,mode=0700") != 0)
            return;
        mounted_ = true;
        for (const auto& [name, bytes] : files)
            if (!put(folder_ + "/" + name, bytes, false))
                return;
        put(folder_ + "/.filler", std::string(1 << 20, 'x'), true);
        reason_ = std::strerror(ENOSPC);
    }
    ~UnwritableFolder()
    {
        if (mounted_)
            ::umount2(folder_.c_str(), MNT_DETACH);
        else if (mode_)
            ::chmod(folder_.c_str(), mode_);
    }
    UnwritableFolder(const UnwritableFolder&) = delete;
    UnwritableFolder& operator=(const UnwritableFolder&) = delete;

    // What the system says to a write there; empty when the folder could not be made unwritable.
    const std::string& reason() const { return reason_; }

private:
    std::vector<std::pair<std::string, std::string>> readFiles() const
    {
        std::vector<std::pair<std::string, std::string>> files;
        DIR* dir = ::opendir(folder_.c_str());
        if (!dir)
            return files;
        while (const dirent* entry = ::readdir(dir)) {
            const std::string path = folder_ + "/" + entry->d_name;
            struct stat st {};
            if (::stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
                continue;
            std::string bytes(std::size_t(st.st_size), '\0');
            const int fd = ::open(path.c_str(), O_RDONLY);
            if (fd >= 0 && ::read(fd, bytes.data(), bytes.size()) == st.st_size)
                files.emplace_back(entry->d_name, std::move(bytes));
            if (fd >= 0)
                ::close(fd);
        }
        ::closedir(dir);
        return files;
    }

    // Writes bytes to path; with untilFull, as many of them as fit.
    static bool put(const std::string& path, const std::string& bytes, bool untilFull)
    {
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        if (fd < 0)
            return false;
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        ::close(fd);
        return untilFull || n == ssize_t(bytes.size());
    }

    std::string folder_;
    std::string reason_;
    bool mounted_ = false;
    mode_t mode_ = 0;
};

} // namespace torvane::test
