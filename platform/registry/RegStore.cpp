#include "platform/registry/RegStore.h"

#include "platform/files/FileReplace.h"
#include "platform/registry/RegFileFormat.h"
#include "platform/registry/WriteFailures.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <map>
#include <memory>
#include <pwd.h>
#include <sys/file.h>
#include <thread>
#include <unistd.h>

namespace torvane::registry {

namespace {

// A writer holds the lock for one read-modify-write of a small file; one that holds it longer is
// stopped or hung, and the caller gets an error instead of hanging with it.
constexpr auto LockPatience = std::chrono::seconds(10);

std::string configHome()
{
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && xdg[0] == '/')
        return xdg;
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* pw = getpwuid(getuid());
        home = pw ? pw->pw_dir : "/";
    }
    return std::string(home) + "/.config";
}

bool makeFolders(const std::string& dir)
{
    for (std::size_t slash = dir.find('/', 1);; slash = dir.find('/', slash + 1)) {
        const std::string part = dir.substr(0, slash);
        if (mkdir(part.c_str(), 0700) != 0 && errno != EEXIST)
            return false;
        if (slash == std::string::npos)
            return true;
    }
}

bool sameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino && a.st_size == b.st_size
        && a.st_mtim.tv_sec == b.st_mtim.tv_sec && a.st_mtim.tv_nsec == b.st_mtim.tv_nsec
        && a.st_ctim.tv_sec == b.st_ctim.tv_sec && a.st_ctim.tv_nsec == b.st_ctim.tv_nsec;
}

bool readAll(int fd, std::string& text)
{
    char chunk[16384];
    for (;;) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        text.append(chunk, std::size_t(n));
    }
}

class FileLock {
public:
    explicit FileLock(const std::string& path)
        : fd_(open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600))
    {
        if (fd_ < 0) {
            fail(errno);
            return;
        }
        const auto deadline = std::chrono::steady_clock::now() + LockPatience;
        auto pause = std::chrono::microseconds(100);
        while (flock(fd_, LOCK_EX | LOCK_NB) != 0) {
            if (errno != EWOULDBLOCK && errno != EINTR) {
                fail(errno);
                return;
            }
            if (std::chrono::steady_clock::now() >= deadline) {
                error_ = ERROR_LOCK_VIOLATION;
                reason_ = "another program holds it locked";
                return;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(10000));
        }
        error_ = ERROR_SUCCESS;
    }
    ~FileLock()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;
    LONG error() const { return error_; }
    const std::string& reason() const { return reason_; }

private:
    void fail(int err)
    {
        error_ = errorFromErrno(err);
        reason_ = std::strerror(err);
    }

    int fd_;
    LONG error_ = ERROR_WRITE_FAULT;
    std::string reason_;
};

} // namespace

RegStore& RegStore::forRoot(std::string_view rootName)
{
    static std::mutex storesLock;
    static std::map<std::string, std::unique_ptr<RegStore>> stores;
    const std::string dir = configHome() + "/torvane";
    std::string path = dir + "/" + std::string(rootName) + ".reg";
    std::lock_guard guard(storesLock);
    auto& store = stores[path];
    if (!store)
        store.reset(new RegStore(dir, path, std::string(rootName)));
    return *store;
}

RegStore::RegStore(std::string dir, std::string path, std::string rootName)
    : dir_(std::move(dir)), path_(std::move(path)), rootName_(std::move(rootName))
{
}

RegStore::~RegStore()
{
    forget();
}

void RegStore::forget()
{
    if (heldFd_ >= 0)
        close(heldFd_);
    heldFd_ = -1;
    stamp_ = {};
    tree_ = RegTree();
    unwritten_ = false;
}

LONG RegStore::refresh()
{
    struct stat now {};
    if (stat(path_.c_str(), &now) != 0) {
        if (errno == ENOENT) {
            // No file yet: an empty root.
            if (heldFd_ >= 0 || state_ != ERROR_SUCCESS)
                forget();
            state_ = ERROR_SUCCESS;
            error_.clear();
            reason_.clear();
            return state_;
        }
        return failRead(errno);
    }
    if (heldFd_ >= 0 && sameFile(now, stamp_))
        return state_;

    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return failRead(errno);
    std::string text;
    struct stat opened {};
    if (fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || !readAll(fd, text)) {
        const int err = errno;
        close(fd);
        const std::string why = "cannot be read" + (err ? std::string(": ") + std::strerror(err) : "");
        reason_ = "it " + why;
        error_ = path_ + ": " + why;
        return ERROR_READ_FAULT;
    }
    forget();
    heldFd_ = fd;
    stamp_ = opened;
    ParseResult parsed = parseRegFile(text, rootName_);
    if (parsed.ok) {
        tree_ = std::move(parsed.tree);
        state_ = ERROR_SUCCESS;
        error_.clear();
        reason_.clear();
    } else {
        state_ = ERROR_BADDB;
        reason_ = "line " + std::to_string(parsed.line) + ": " + parsed.message;
        error_ = path_ + ":" + std::to_string(parsed.line) + ": " + parsed.message;
        std::fprintf(stderr, "torvane: registry file %s; its settings cannot be read or changed "
                             "until it is repaired or removed\n",
                     error_.c_str());
    }
    return state_;
}

LONG RegStore::failRead(int err)
{
    reason_ = std::strerror(err);
    error_ = path_ + ": " + reason_;
    return errorFromErrno(err);
}

LONG RegStore::read(const std::function<LONG(const RegTree&)>& reader)
{
    std::lock_guard guard(mutex_);
    const LONG rc = refresh();
    if (rc != ERROR_SUCCESS)
        return rc;
    return reader(tree_);
}

LONG RegStore::modify(const std::function<LONG(RegTree&, bool& changed)>& writer)
{
    std::string unwritten;
    LONG rc = ERROR_SUCCESS;
    {
        std::lock_guard guard(mutex_);
        rc = modifyLocked(writer, unwritten);
    }
    // Outside the lock: whoever is told may well read the settings again.
    if (!unwritten.empty())
        tellWriteFailure(path_, unwritten);
    return rc;
}

LONG RegStore::modifyLocked(const Writer& writer, std::string& unwritten)
{
    if (!makeFolders(dir_)) {
        const int err = errno;
        return keepUnwritten(writer, errorFromErrno(err), std::strerror(err), unwritten);
    }
    // The lock lives in a file of its own: the registry file itself is replaced by every write.
    FileLock lock(path_ + ".lock");
    if (lock.error() != ERROR_SUCCESS)
        return keepUnwritten(writer, lock.error(), lock.reason(), unwritten);
    LONG rc = refresh();
    if (rc != ERROR_SUCCESS) {
        unwritten = reason_;
        return rc;
    }
    RegTree copy = tree_;
    bool changed = false;
    rc = writer(copy, changed);
    // A value set again as it is still goes to the file when the file lacks what was kept.
    if (rc != ERROR_SUCCESS || (!changed && !unwritten_))
        return rc;
    if (const int err = writeFile(copy)) {
        // The file stays as it was; this process goes on with the change until the file changes
        // on disk, so that what the user set is in effect while the program runs.
        tree_ = std::move(copy);
        unwritten_ = true;
        unwritten = std::strerror(err);
        return errorFromErrno(err);
    }
    return ERROR_SUCCESS;
}

LONG RegStore::keepUnwritten(const Writer& writer, LONG error, const std::string& reason, std::string& unwritten)
{
    // Without the lock the file can still be read, and the change made to what was read.
    if (refresh() != ERROR_SUCCESS) {
        unwritten = reason;
        return error;
    }
    RegTree copy = tree_;
    bool changed = false;
    const LONG rc = writer(copy, changed);
    // A value set again as kept still fails while the file lacks what was kept, and is told.
    if (rc != ERROR_SUCCESS || (!changed && !unwritten_))
        return rc;
    tree_ = std::move(copy);
    unwritten_ = true;
    unwritten = reason;
    return error;
}

int RegStore::writeFile(const RegTree& tree)
{
    if (const int err = files::replaceFile(path_, formatRegFile(tree, rootName_)))
        return err;
    // Stamped from the file as it now stands, which the rename may have touched; no other writer
    // can have replaced it yet, since this one still holds the lock.
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat written {};
    forget();
    if (fd >= 0 && fstat(fd, &written) == 0) {
        heldFd_ = fd;
        stamp_ = written;
        tree_ = tree;
    } else if (fd >= 0) {
        close(fd);
    }
    state_ = ERROR_SUCCESS;
    error_.clear();
    reason_.clear();
    return 0;
}

std::string RegStore::errorText()
{
    std::lock_guard guard(mutex_);
    refresh();
    return error_;
}

} // namespace torvane::registry
