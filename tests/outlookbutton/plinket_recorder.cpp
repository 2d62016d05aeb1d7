// A stand-in for the organizer in tests: appends one line to the file named by
// TORVANE_RECORD_FILE for each start, holding (separated by 0x1f) "session" when it leads a
// session of its own or "joined" otherwise, how many files it inherited beyond standard input,
// output and error, and then its arguments.
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <unistd.h>

namespace {

int inheritedFiles()
{
    DIR* dir = opendir("/proc/self/fd");
    if (!dir)
        return -1;
    int count = 0;
    while (const dirent* entry = readdir(dir)) {
        const int fd = std::atoi(entry->d_name);
        if (entry->d_name[0] != '.' && fd > 2 && fd != dirfd(dir))
            ++count;
    }
    closedir(dir);
    return count;
}

} // namespace

int main(int argc, char** argv)
{
    const char* file = std::getenv("TORVANE_RECORD_FILE");
    if (!file)
        return 2;
    std::string line = getsid(0) == getpid() ? "session" : "joined";
    line += '\x1f' + std::to_string(inheritedFiles());
    for (int i = 1; i < argc; ++i)
        line += '\x1f' + std::string(argv[i]);
    line += '\n';
    const int fd = open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return 1;
    // One write per start, so lines of programs started together don't interleave.
    const bool written = write(fd, line.data(), line.size()) == ssize_t(line.size());
    close(fd);
    return written ? 0 : 1;
}
