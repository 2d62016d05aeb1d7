// What the SMS manager needs from outside: the engine's SMS jobs, the spool folders, the boxes
// and dialogs it shows, and the clock. The product binds them to libzeldll.so, the file system,
// the message service and the system clock; tests to fakes that fail at chosen calls.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace corvant {

// One SMS as the engine read it (a copy of its SMResult).
struct SmsRecord {
    std::string sender;
    std::string text;
    int timeStamp = 0; // seconds since 1970
    int reference = 0;
    int sequence = 0;
    int total = 0;
    bool operator==(const SmsRecord&) const = default;
};

class SmsEngine {
public:
    virtual ~SmsEngine() = default;
    virtual int ATSMSend(HWND window, UINT message, const std::string& number, const std::string& text,
                         int reference, int sequence, int total, int mode, const std::string& smsc,
                         int validity) = 0;
    virtual int ATSMRead(HWND window, UINT message) = 0;
    // The result of the last read; false when there is none.
    virtual bool ATSMGet(SmsRecord& record) = 0;
    virtual int ATSMDel(HWND window, UINT message) = 0;
    // A check of the phone, answered to the host like the host's own (-1: one is under way).
    virtual int ATStatusCheck(HWND window, UINT message) = 0;
};

class SpoolFileSystem {
public:
    enum class Read { Ok, Unreadable, TooLarge };
    virtual ~SpoolFileSystem() = default;
    // Names (without folder) of the plain files in folder matching pattern, case-blind.
    virtual std::vector<std::string> matching(const std::string& folder, const std::string& pattern) = 0;
    // The whole file when it holds at most limit bytes.
    virtual Read readAll(const std::string& path, size_t limit, std::string& bytes) = 0;
    // A new empty file folder + prefix + hex + ".TMP"; empty when none can be created.
    virtual std::string createUnique(const std::string& folder, const std::string& prefix) = 0;
    // Replaces the file's content and flushes it to the disk; false on any error.
    virtual bool writeAll(const std::string& path, const std::string& bytes) = 0;
    // Replaces the file whole or not at all, even across a crash: the bytes are written and
    // flushed beside it (path + ".new"), renamed over it, and the folder is flushed.
    virtual bool writeDurably(const std::string& path, const std::string& bytes) = 0;
    // Writes over an existing file in place and flushes it: cheaper than writeDurably, but a
    // crash in the middle may leave it torn, so only for records a check sum guards. False when
    // the file does not exist or the write fails.
    virtual bool overwriteDurably(const std::string& path, const std::string& bytes) = 0;
    // Moves the file into folder under a new name prefix<hex>.TMP, never over another file, so
    // that it appears there whole; the new path, or empty when it cannot be moved.
    virtual std::string moveToUnique(const std::string& path, const std::string& folder,
                                     const std::string& prefix) = 0;
    virtual bool remove(const std::string& path) = 0;
    virtual bool rename(const std::string& from, const std::string& to) = 0;
    // Creates the folder's last level when it does not exist; errors are ignored.
    virtual void ensureDirectory(const std::string& folder) = 0;
    // Appends to the file (created when missing), or empties it first; errors are swallowed.
    virtual void appendTrace(const std::string& path, const std::string& bytes, bool truncate) = 0;
};

class SmsDialogs {
public:
    struct PreviewChoice {
        bool send = true;
        bool storeOnSim = false;
    };
    virtual ~SmsDialogs() = default;
    // owned: the main frame owns the box; else it has no owner. Returns IDOK, IDYES, ...
    virtual int messageBox(bool owned, const std::string& text, const std::string& caption, UINT type) = 0;
    // Brings the main window to the front and runs the preview dialog.
    virtual PreviewChoice preview(const std::string& number, const std::string& shownText,
                                  const std::string& partsLine) = 0;
};

class SmsClock {
public:
    virtual ~SmsClock() = default;
    virtual std::int64_t now() = 0; // seconds since 1970 (UTC)
};

} // namespace corvant
