// The private folder that holds every message endpoint of the user's suite processes, and the
// names of the files a process keeps there:
//     msg-<pid>.sock        the process endpoint (datagram socket)
//     msg-<pid>.win         its published window list (see WindowList.h)
//     msg-<pid>-r<n>.sock   the reply socket of one thread waiting in SendMessage
// Files of processes that died without cleaning up are harmless: a datagram to a socket nobody
// holds is refused. They are swept when the next process opens its endpoint.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace messaging {

// $XDG_RUNTIME_DIR/torvane, or /tmp/torvane-<uid> when XDG_RUNTIME_DIR is unset (or not absolute):
// the suite's one runtime folder, also of its DDE links, shared memory and port locks.
std::string endpointFolderPath();

// Creates the folder with mode 0700, or checks an existing one: a real directory (no symbolic
// link) owned by this user and closed to every other. False otherwise, with the reason and what
// the user can do about it in *error and an errno value in *errorNumber (EACCES for a folder that
// is not private) when they are not null; such a folder is left as it is and must not be used.
bool ensurePrivateFolder(const std::string& path, std::string* error, int* errorNumber = nullptr);

std::string endpointFilePath(const std::string& folder, std::uint32_t pid);
std::string windowListFilePath(const std::string& folder, std::uint32_t pid);
std::string replyFilePath(const std::string& folder, std::uint32_t pid, std::uint32_t thread);

enum class EndpointFileKind { Endpoint, WindowList, WindowListTemp, Reply };

struct EndpointFileName {
    std::uint32_t pid = 0;
    EndpointFileKind kind = EndpointFileKind::Endpoint;
    bool operator==(const EndpointFileName&) const = default;
};

// nullopt for any name that is not one of ours (the folder is shared with other services).
std::optional<EndpointFileName> parseEndpointFileName(std::string_view name);

// Removes the files of processes that no longer run, and stale files of this pid left by an
// earlier process that had it.
void sweepStaleFiles(const std::string& folder, std::uint32_t ownPid);

// Removes every file of pid (at exit).
void removeFilesOf(const std::string& folder, std::uint32_t pid);

} // namespace messaging
