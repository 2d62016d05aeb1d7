// A private folder per test for address books, and small readers of what lies in it.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

namespace torvane::mapi::test {

class TempFolder {
public:
    TempFolder()
    {
        const char* base = std::getenv("TORVANE_TEST_TMP");
        std::string pattern = std::string(base ? base : "/tmp") + "/abXXXXXX";
        const char* made = ::mkdtemp(pattern.data());
        EXPECT_NE(made, nullptr);
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void writeFile(const std::filesystem::path& path, const std::string& text)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream out(path, std::ios::binary);
    out << text;
}

// Every file of the folder (hidden ones too) with its contents.
inline std::map<std::string, std::string> folderContents(const std::filesystem::path& folder)
{
    std::map<std::string, std::string> files;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec))
        files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

} // namespace torvane::mapi::test
