#include "platform/files/FileReplace.h"

#include "platform/posix/WriteAll.h"

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <fcntl.h>
#include <fstream>
#include <unistd.h>

namespace torvane::files {

namespace {

std::string folderOf(const std::string& path)
{
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

} // namespace

std::string writeTarget(const std::string& path)
{
    struct stat link {};
    struct stat target {};
    if (::lstat(path.c_str(), &link) != 0 || !S_ISLNK(link.st_mode) || ::stat(path.c_str(), &target) != 0)
        return path;
    char resolved[PATH_MAX];
    return ::realpath(path.c_str(), resolved) ? std::string(resolved) : path;
}

int replaceFile(const std::string& path, std::string_view bytes, const ReplaceOptions& options)
{
    const std::string target = writeTarget(path);
    // A file the user made read-only stays as it is, though its folder would let a rename
    // replace it.
    if (::access(target.c_str(), W_OK) != 0 && errno != ENOENT)
        return errno;
    const std::string folder = folderOf(target);
    // Hidden, so that a folder listing of the user's files never shows a half-written one.
    std::string temp = folder + "/." + target.substr(target.find_last_of('/') + 1) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0)
        return errno;
    auto fail = [&](int err) {
        ::close(fd);
        ::unlink(temp.c_str());
        return err;
    };
    struct stat old {};
    const mode_t mode = ::stat(target.c_str(), &old) == 0 ? (old.st_mode & 07777) : options.newFileMode;
    if (::fchmod(fd, mode) != 0)
        return fail(errno);
    if (!torvane::writeAll(fd, bytes.data(), bytes.size()))
        return fail(errno);
    if (::fsync(fd) != 0)
        return fail(errno);
    struct stat written {};
    if (::fstat(fd, &written) != 0)
        return fail(errno);
    if (written.st_size != static_cast<off_t>(bytes.size()))
        return fail(EIO);
    if (::close(fd) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return err;
    }
    if (options.stillWanted && !options.stillWanted()) {
        ::unlink(temp.c_str());
        return ECANCELED;
    }
    if (::rename(temp.c_str(), target.c_str()) != 0) {
        const int err = errno;
        ::unlink(temp.c_str());
        return err;
    }
    if (options.written)
        *options.written = written;
    // Without this a crash could still bring back the old file.
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
    return 0;
}

mode_t userFileMode()
{
    // Read where the kernel shows it: setting the umask in order to read it back would change
    // it meanwhile for the process's other threads.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return 0666 & ~mode_t(std::strtoul(line.c_str() + 6, nullptr, 8));
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return 0666 & ~mask;
}

} // namespace torvane::files
