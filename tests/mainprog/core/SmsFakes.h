// Fakes for the SMS manager: an engine that records the requests and fails where told, a spool
// file system in memory that refuses chosen writes, scripted boxes and a settable clock.
#pragma once

#include "mainprog/core/SmsSeams.h"
#include "platform/files/FileNames.h"

#include <cstdio>
#include <deque>
#include <functional>
#include <map>
#include <set>

namespace corvant::test {

struct SentPart {
    std::string number, text;
    int reference, sequence, total, mode;
    std::string smsc;
    int validity;
};

class FakeSmsEngine : public SmsEngine {
public:
    std::vector<SentPart> sent;
    int sendReturn = 0;
    int reads = 0, deletes = 0, statusChecks = 0;
    int deleteReturn = 0;
    std::deque<SmsRecord> records; // what ATSMGet hands out, one per call

    int ATSMSend(HWND, UINT, const std::string& number, const std::string& text, int reference, int sequence,
                 int total, int mode, const std::string& smsc, int validity) override
    {
        sent.push_back({number, text, reference, sequence, total, mode, smsc, validity});
        return sendReturn;
    }
    int ATSMRead(HWND, UINT) override { return ++reads, 0; }
    bool ATSMGet(SmsRecord& record) override
    {
        if (records.empty())
            return false;
        record = records.front();
        records.pop_front();
        return true;
    }
    int ATSMDel(HWND, UINT) override { return ++deletes, deleteReturn; }
    int ATStatusCheck(HWND, UINT) override { return ++statusChecks, 0; }
};

class MemorySpool : public SpoolFileSystem {
public:
    std::map<std::string, std::string> files;
    std::set<std::string> unreadable;    // paths that cannot be read
    std::set<std::string> refusedFolders; // folders where nothing can be created, nor below them
    int writesBeforeFailure = -1;        // that many writes succeed, then all fail; -1: none fail
    bool renameFails = false;
    bool moveFails = false;              // nothing can be moved into another folder
    std::string trace;
    int counter = 0;
    // What the disk held after each change while recording: where a crash may leave it.
    bool recording = false;
    std::vector<std::map<std::string, std::string>> history;

    void changed()
    {
        if (recording)
            history.push_back(files);
    }

    bool refused(const std::string& path) const
    {
        for (const std::string& folder : refusedFolders)
            if (path.rfind(folder, 0) == 0)
                return true;
        return false;
    }
    std::vector<std::string> matching(const std::string& folder, const std::string& pattern) override
    {
        std::vector<std::string> names;
        for (const auto& [path, bytes] : files)
            if (path.rfind(folder, 0) == 0 && path.find('/', folder.size()) == std::string::npos) {
                const std::string name = path.substr(folder.size());
                if (torvane::files::matchesPattern(name, pattern))
                    names.push_back(name);
            }
        return names;
    }
    Read readAll(const std::string& path, size_t limit, std::string& bytes) override
    {
        auto it = files.find(path);
        if (it == files.end() || unreadable.count(path))
            return Read::Unreadable;
        if (it->second.size() > limit)
            return Read::TooLarge;
        bytes = it->second;
        return Read::Ok;
    }
    std::string createUnique(const std::string& folder, const std::string& prefix) override
    {
        if (refused(folder))
            return {};
        char hex[16];
        snprintf(hex, sizeof hex, "%X", 0xA00 + ++counter);
        const std::string path = folder + prefix + hex + ".TMP";
        files[path];
        changed();
        return path;
    }
    bool writeAll(const std::string& path, const std::string& bytes) override
    {
        if (writesBeforeFailure == 0 || refused(path))
            return false;
        if (writesBeforeFailure > 0)
            --writesBeforeFailure;
        files[path] = bytes;
        changed();
        return true;
    }
    bool writeDurably(const std::string& path, const std::string& bytes) override { return writeAll(path, bytes); }
    bool overwriteDurably(const std::string& path, const std::string& bytes) override
    {
        return files.count(path) && writeAll(path, bytes);
    }
    std::string moveToUnique(const std::string& path, const std::string& folder, const std::string& prefix) override
    {
        if (moveFails || renameFails || refused(folder) || !files.count(path))
            return {};
        char hex[16];
        snprintf(hex, sizeof hex, "%X", 0xA00 + ++counter);
        const std::string to = folder + prefix + hex + ".TMP";
        files[to] = files[path];
        files.erase(path);
        changed(); // in one step, as the platform moves it
        return to;
    }
    bool remove(const std::string& path) override
    {
        if (files.erase(path) != 1)
            return false;
        changed();
        return true;
    }
    bool rename(const std::string& from, const std::string& to) override
    {
        if (renameFails || !files.count(from))
            return false;
        files[to] = files[from];
        files.erase(from);
        changed();
        return true;
    }
    void ensureDirectory(const std::string&) override {}
    void appendTrace(const std::string&, const std::string& bytes, bool truncate) override
    {
        if (truncate)
            trace.clear();
        trace += bytes;
    }
    // The files in folder, not in its subfolders (full paths).
    std::vector<std::string> in(const std::string& folder) const
    {
        std::vector<std::string> out;
        for (const auto& [path, bytes] : files)
            if (path.rfind(folder, 0) == 0 && path.find('/', folder.size()) == std::string::npos)
                out.push_back(path);
        return out;
    }
};

struct ShownMessage {
    bool owned;
    std::string text, caption;
    UINT type;
};

class ScriptedSmsDialogs : public SmsDialogs {
public:
    std::vector<ShownMessage> boxes;
    int boxAnswer = 1;
    std::deque<PreviewChoice> previewChoices; // empty: send
    std::vector<std::string> previews;        // shown text of each preview
    std::vector<std::string> partsLines;
    std::function<void()> onBox;               // run inside a box, as a modal loop would

    int messageBox(bool owned, const std::string& text, const std::string& caption, UINT type) override
    {
        boxes.push_back({owned, text, caption, type});
        if (onBox) {
            auto run = onBox;
            onBox = nullptr;
            run();
        }
        return boxAnswer;
    }
    PreviewChoice preview(const std::string&, const std::string& shownText, const std::string& partsLine) override
    {
        previews.push_back(shownText);
        partsLines.push_back(partsLine);
        if (previewChoices.empty())
            return {};
        PreviewChoice c = previewChoices.front();
        previewChoices.pop_front();
        return c;
    }
};

class FakeSmsClock : public SmsClock {
public:
    std::int64_t seconds = 1'000'000'000;
    std::int64_t now() override { return seconds; }
};

} // namespace corvant::test
