#include "melody/editing/TempMidiFile.h"
#include "platform/posix/WriteAll.h"

#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr char NAME_TEMPLATE[] = "rteXXXXXX.mid";
constexpr int SUFFIX_LENGTH = 4; // ".mid"
constexpr char SYSTEM_TEMP[] = "/tmp";

bool IsFolder(const char* path)
{
    std::error_code ec;
    return path && *path && fs::is_directory(path, ec);
}

void Report(ErrorReporter* errors, int id)
{
    if (errors)
        errors->Fehler_Melden(ERROR_CLASS_REFUSED, id);
}

} // namespace

std::string TempMidiFolder()
{
    // The system's folder is looked up by hand: the library's lookup would read TMP as well and
    // fail on the very folder found missing here.
    for (const char* name : {"TMP", "TMPDIR"})
        if (const char* folder = std::getenv(name); IsFolder(folder))
            return folder;
    return IsFolder(SYSTEM_TEMP) ? SYSTEM_TEMP : std::string();
}

std::optional<std::string> WriteTempFile(std::span<const std::uint8_t> bytes, ErrorReporter* errors,
                                         const std::string& folder)
{
    int fd = -1;
    std::vector<char> name;
    if (!folder.empty()) {
        const std::string path = (fs::path(folder) / NAME_TEMPLATE).string();
        name.assign(path.begin(), path.end());
        name.push_back('\0');
        fd = ::mkstemps(name.data(), SUFFIX_LENGTH);
    }
    if (fd < 0) {
        Report(errors, IDS_ERR_TEMP_NAME);
        Report(errors, IDS_ERR_TEMP_OPEN);
        return std::nullopt;
    }
    const bool written = torvane::writeAll(fd, bytes.data(), bytes.size());
    const bool closed = ::close(fd) == 0;
    if (!written || !closed) {
        ::unlink(name.data());
        Report(errors, IDS_ERR_TEMP_OPEN);
        return std::nullopt;
    }
    return std::string(name.data());
}
