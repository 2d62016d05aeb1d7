// The spool folders on the local file system, and the system clock.
#pragma once

#include "mainprog/core/SmsSeams.h"

namespace corvant {

class PosixSpoolFileSystem : public SpoolFileSystem {
public:
    std::vector<std::string> matching(const std::string& folder, const std::string& pattern) override;
    Read readAll(const std::string& path, size_t limit, std::string& bytes) override;
    std::string createUnique(const std::string& folder, const std::string& prefix) override;
    bool writeAll(const std::string& path, const std::string& bytes) override;
    bool writeDurably(const std::string& path, const std::string& bytes) override;
    bool overwriteDurably(const std::string& path, const std::string& bytes) override;
    std::string moveToUnique(const std::string& path, const std::string& folder, const std::string& prefix) override;
    bool remove(const std::string& path) override;
    bool rename(const std::string& from, const std::string& to) override;
    void ensureDirectory(const std::string& folder) override;
    void appendTrace(const std::string& path, const std::string& bytes, bool truncate) override;
};

class SystemSmsClock : public SmsClock {
public:
    std::int64_t now() override;
};

} // namespace corvant
