// Puts new content in the place of a user's file so that a crash, a full disk or a reader finds
// either the old file whole or the new one whole: the bytes go into a new file beside it, which
// is flushed to disk and checked before it is renamed over the old one, and the rename itself
// is flushed with the folder. A file reached through a symbolic link stays a link: the file it
// names is replaced (a dotfiles folder keeps its files). A file the user may not write is refused.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <sys/types.h>

namespace torvane::files {

struct ReplaceOptions {
    // The mode of a file that did not exist yet; an existing file keeps its own.
    mode_t newFileMode = 0600;
    // Asked once the new file is complete, just before it takes the old one's place; false
    // leaves the old file as it is and ends with ECANCELED.
    std::function<bool()> stillWanted;
    // When set, receives the status of the new file as written.
    struct stat* written = nullptr;
};

// The file that a write to path replaces: the target of a symbolic link that leads to an existing
// file, else path itself.
std::string writeTarget(const std::string& path);

// Replaces the file at path (or creates it) with bytes. Returns 0, or the errno of the step that
// failed, when the file at path is as it was before.
int replaceFile(const std::string& path, std::string_view bytes, const ReplaceOptions& options = {});

// The mode of a file the user creates: read and write for everyone, less what the user's umask
// takes away, as the user's other programs that share a folder make theirs.
mode_t userFileMode();

} // namespace torvane::files
