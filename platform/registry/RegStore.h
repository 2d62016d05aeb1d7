// One registry root kept in its REGEDIT4 file, shared by every process of the user:
// - a read sees the file as it is now: when another process replaced or changed it since this
//   process last read it, it is read again;
// - a change is made under a file lock on the newest content and written atomically (a temporary
//   file, flushed to disk, renamed over the old one), so concurrent writers lose nothing and a
//   crash leaves the old or the new file, never a mix;
// - a file that cannot be parsed is reported (file, line, reason) and never overwritten: reads
//   and writes fail with ERROR_BADDB until it is repaired or removed;
// - a change that cannot be written fails, is told (WriteFailures.h), and stays in effect in this
//   process until the file changes on disk, so that what the user set holds while the program runs.
#pragma once

#include "platform/registry/RegTree.h"
#include "platform/winerror.h"

#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <sys/stat.h>

namespace torvane::registry {

class RegStore {
public:
    // The store of "$XDG_CONFIG_HOME/torvane/<rootName>.reg" (~/.config when unset), looked up
    // anew on each call so that a changed XDG_CONFIG_HOME takes effect; stores live until exit.
    static RegStore& forRoot(std::string_view rootName);
    // A library that links the registry and is unloaded (the mail-client extension in its host)
    // must not leave the held file open behind it.
    ~RegStore();

    const std::string& path() const { return path_; }
    const std::string& rootName() const { return rootName_; }

    // Runs reader on the current content and returns what it returns; the error of the file
    // instead when it cannot be read or parsed.
    LONG read(const std::function<LONG(const RegTree&)>& reader);

    // Runs writer on a copy of the newest content, under the file lock. When it returns
    // ERROR_SUCCESS and sets `changed`, the copy is written to the file; when that fails, the
    // copy is what this process reads from then on, and the failure is told.
    LONG modify(const std::function<LONG(RegTree&, bool& changed)>& writer);

    // Why the file cannot be used ("<path>:<line>: <reason>"), or empty.
    std::string errorText();

private:
    RegStore(std::string dir, std::string path, std::string rootName);
    using Writer = std::function<LONG(RegTree&, bool& changed)>;
    LONG modifyLocked(const Writer& writer, std::string& unwritten);
    LONG keepUnwritten(const Writer& writer, LONG error, const std::string& reason, std::string& unwritten);
    LONG refresh();
    LONG failRead(int err);
    // 0, or the errno of the failed replacement.
    int writeFile(const RegTree& tree);
    void forget();

    std::mutex mutex_;
    const std::string dir_;
    const std::string path_;
    const std::string rootName_;
    RegTree tree_;
    // The file as last read (or written), held open so that its inode number cannot be given to
    // a new file: a replaced file is then always told apart by its inode.
    int heldFd_ = -1;
    struct stat stamp_ {};
    LONG state_ = ERROR_SUCCESS;
    std::string error_;
    std::string reason_; // error_ as the user is told it, without the file's name
    bool unwritten_ = false; // tree_ holds changes that the file lacks
};

} // namespace torvane::registry
