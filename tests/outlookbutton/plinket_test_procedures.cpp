// A library whose procedure a configured command may call: it leaves a line "called" in the
// file named by TORVANE_RECORD_FILE, so tests see that the call happened and how often.
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

extern "C" __attribute__((visibility("default"))) void recordCall()
{
    const char* file = std::getenv("TORVANE_RECORD_FILE");
    if (!file)
        return;
    const int fd = open(file, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    static const char line[] = "called\n";
    [[maybe_unused]] const ssize_t written = write(fd, line, sizeof line - 1);
    close(fd);
}

// Data, not code: a configured procedure name that leads here must not be called.
extern "C" {
__attribute__((visibility("default"))) int recordCallCount = 0;
}
