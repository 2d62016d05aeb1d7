#include "platform/messaging/EndpointFolder.h"

#include <dirent.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace messaging {

namespace {

constexpr std::string_view kPrefix = "msg-";

std::string pidText(std::uint32_t pid)
{
    return std::to_string(pid);
}

bool processIsGone(std::uint32_t pid)
{
    return pid == 0 || (::kill(pid_t(pid), 0) != 0 && errno == ESRCH);
}

// 0 for the user's own private folder; otherwise an errno value, with the reason in *error and,
// for a folder the user can mend, what to do about it.
int checkFolder(const std::string& path, std::string* error)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) {
        const int err = errno;
        *error = path + ": " + std::strerror(err);
        return err;
    }
    // A link may point anywhere, also where another user decides later.
    if (S_ISLNK(st.st_mode)) {
        *error = path + " is a symbolic link; remove it";
        return EACCES;
    }
    if (!S_ISDIR(st.st_mode)) {
        *error = path + " is not a directory; remove it";
        return EACCES;
    }
    if (st.st_uid != ::getuid()) {
        *error = path + " belongs to another user; remove it (an administrator may have to)";
        return EACCES;
    }
    // A folder others could write to may hold their sockets, locks and window lists; narrowing
    // it now would not make those ours.
    if ((st.st_mode & 077) != 0) {
        *error = path + " is open to other users; make it private to you (chmod 700 " + path + ") or remove it";
        return EACCES;
    }
    return 0;
}

template <typename Visit>
void forEachFile(const std::string& folder, Visit visit)
{
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr)
        return;
    std::vector<std::string> names;
    while (const dirent* entry = ::readdir(dir))
        names.emplace_back(entry->d_name);
    ::closedir(dir);
    for (const std::string& name : names)
        visit(name);
}

} // namespace

std::string endpointFolderPath()
{
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/')
        return std::string(runtime) + "/torvane";
    return "/tmp/torvane-" + std::to_string(::getuid());
}

bool ensurePrivateFolder(const std::string& path, std::string* error, int* errorNumber)
{
    std::string ignored;
    if (error == nullptr)
        error = &ignored;
    int err = 0;
    if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        err = errno;
        *error = path + ": " + std::strerror(err);
    } else {
        err = checkFolder(path, error);
    }
    if (errorNumber != nullptr)
        *errorNumber = err;
    return err == 0;
}

std::string endpointFilePath(const std::string& folder, std::uint32_t pid)
{
    return folder + "/msg-" + pidText(pid) + ".sock";
}

std::string windowListFilePath(const std::string& folder, std::uint32_t pid)
{
    return folder + "/msg-" + pidText(pid) + ".win";
}

std::string replyFilePath(const std::string& folder, std::uint32_t pid, std::uint32_t thread)
{
    return folder + "/msg-" + pidText(pid) + "-r" + std::to_string(thread) + ".sock";
}

std::optional<EndpointFileName> parseEndpointFileName(std::string_view name)
{
    if (!name.starts_with(kPrefix))
        return std::nullopt;
    name.remove_prefix(kPrefix.size());
    std::size_t digits = 0;
    std::uint64_t pid = 0;
    while (digits < name.size() && digits < 10 && name[digits] >= '0' && name[digits] <= '9')
        pid = pid * 10 + std::uint64_t(name[digits++] - '0');
    if (digits == 0 || name[0] == '0' || pid > 0xffffffffu)
        return std::nullopt;
    const std::string_view rest = name.substr(digits);
    EndpointFileName parsed{std::uint32_t(pid), EndpointFileKind::Endpoint};
    if (rest == ".sock")
        return parsed;
    if (rest == ".win") {
        parsed.kind = EndpointFileKind::WindowList;
        return parsed;
    }
    if (rest == ".win.tmp") {
        parsed.kind = EndpointFileKind::WindowListTemp;
        return parsed;
    }
    if (rest.starts_with("-r") && rest.ends_with(".sock")) {
        const std::string_view number = rest.substr(2, rest.size() - 2 - 5);
        if (number.empty() || number.size() > 10 || number.find_first_not_of("0123456789") != std::string_view::npos)
            return std::nullopt;
        parsed.kind = EndpointFileKind::Reply;
        return parsed;
    }
    return std::nullopt;
}

void sweepStaleFiles(const std::string& folder, std::uint32_t ownPid)
{
    forEachFile(folder, [&](const std::string& name) {
        const auto parsed = parseEndpointFileName(name);
        if (parsed && (parsed->pid == ownPid || processIsGone(parsed->pid)))
            ::unlink((folder + "/" + name).c_str());
    });
}

void removeFilesOf(const std::string& folder, std::uint32_t pid)
{
    forEachFile(folder, [&](const std::string& name) {
        const auto parsed = parseEndpointFileName(name);
        if (parsed && parsed->pid == pid)
            ::unlink((folder + "/" + name).c_str());
    });
}

} // namespace messaging
