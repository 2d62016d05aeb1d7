#include "mainprog/core/SpoolFileSystem.h"

#include "platform/files/FileNames.h"

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace corvant {

std::vector<std::string> PosixSpoolFileSystem::matching(const std::string& folder, const std::string& pattern)
{
    return torvane::files::matchingFiles(folder, pattern);
}

SpoolFileSystem::Read PosixSpoolFileSystem::readAll(const std::string& path, size_t limit, std::string& bytes)
{
    bytes.clear();
    const int fd = open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return Read::Unreadable;
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return Read::Unreadable;
    }
    if (static_cast<unsigned long long>(info.st_size) > limit) {
        close(fd);
        return Read::TooLarge;
    }
    char buffer[8192];
    for (;;) {
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            close(fd);
            bytes.clear();
            return Read::Unreadable;
        }
        if (got == 0)
            break;
        bytes.append(buffer, static_cast<size_t>(got));
        if (bytes.size() > limit) { // grew while being read
            close(fd);
            bytes.clear();
            return Read::TooLarge;
        }
    }
    close(fd);
    return Read::Ok;
}

std::string PosixSpoolFileSystem::createUnique(const std::string& folder, const std::string& prefix)
{
    return torvane::files::createUniqueFile(folder, prefix);
}

bool PosixSpoolFileSystem::writeAll(const std::string& path, const std::string& bytes)
{
    const int fd = open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            close(fd);
            return false;
        }
        done += static_cast<size_t>(put);
    }
    const bool synced = fsync(fd) == 0;
    return close(fd) == 0 && synced;
}

namespace {

// A rename or a new name is on the disk only once the folder that holds it is flushed.
bool syncFolderOf(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    const bool synced = fsync(fd) == 0;
    close(fd);
    return synced;
}

} // namespace

bool PosixSpoolFileSystem::writeDurably(const std::string& path, const std::string& bytes)
{
    const std::string temp = path + ".new";
    if (!writeAll(temp, bytes) || ::rename(temp.c_str(), path.c_str()) != 0) {
        unlink(temp.c_str());
        return false;
    }
    return syncFolderOf(path);
}

bool PosixSpoolFileSystem::overwriteDurably(const std::string& path, const std::string& bytes)
{
    const int fd = open(path.c_str(), O_WRONLY);
    if (fd < 0)
        return false;
    size_t done = 0;
    bool ok = true;
    while (ok && done < bytes.size()) {
        const ssize_t put = pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (put > 0)
            done += static_cast<size_t>(put);
        else if (put == 0 || errno != EINTR)
            ok = false;
    }
    ok = ok && ftruncate(fd, static_cast<off_t>(bytes.size())) == 0 && fdatasync(fd) == 0;
    return close(fd) == 0 && ok;
}

std::string PosixSpoolFileSystem::moveToUnique(const std::string& path, const std::string& folder,
                                               const std::string& prefix)
{
    const std::string moved = torvane::files::moveToUniqueFile(path, folder, prefix);
    if (!moved.empty()) {
        syncFolderOf(moved);
        syncFolderOf(path);
    }
    return moved;
}

bool PosixSpoolFileSystem::remove(const std::string& path)
{
    return unlink(path.c_str()) == 0;
}

bool PosixSpoolFileSystem::rename(const std::string& from, const std::string& to)
{
    return ::rename(from.c_str(), to.c_str()) == 0;
}

void PosixSpoolFileSystem::ensureDirectory(const std::string& folder)
{
    mkdir(folder.c_str(), 0755);
}

void PosixSpoolFileSystem::appendTrace(const std::string& path, const std::string& bytes, bool truncate)
{
    std::FILE* file = std::fopen(path.c_str(), truncate ? "wb" : "ab");
    if (!file)
        return;
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
}

std::int64_t SystemSmsClock::now()
{
    return static_cast<std::int64_t>(std::time(nullptr));
}

} // namespace corvant
