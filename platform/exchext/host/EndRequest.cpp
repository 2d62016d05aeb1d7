#include "platform/exchext/host/EndRequest.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <iterator>

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace torvane::exchext {

namespace {

// Ctrl+C, a polite kill, and the terminal closing under the host.
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The handler's only work is a byte into this pipe, which the wait watches beside the input.
int g_wake[2] = {-1, -1};
struct sigaction g_previous[std::size(kSignals)];

void wakeUp(int)
{
    const int saved = errno;
    const char byte = 0;
    [[maybe_unused]] const ssize_t ignored = ::write(g_wake[1], &byte, 1);
    errno = saved;
}

// The input is done: a line end, its end, or it cannot be read (closed, not open at all).
bool inputEnds()
{
    char buffer[256];
    const ssize_t n = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (n < 0)
        return errno != EINTR && errno != EAGAIN;
    return n == 0 || std::memchr(buffer, '\n', std::size_t(n)) != nullptr;
}

} // namespace

EndRequest::EndRequest()
{
    // Close-on-exec: the programs the extension starts must not keep the host's wake-up pipe.
    if (::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0)
        g_wake[0] = g_wake[1] = -1;
    struct sigaction action {};
    action.sa_handler = g_wake[1] >= 0 ? wakeUp : SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &action, &g_previous[i]);
}

EndRequest::~EndRequest()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        ::sigaction(kSignals[i], &g_previous[i], nullptr);
    for (int& fd : g_wake) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

void EndRequest::wait()
{
    for (;;) {
        pollfd watched[] = {{STDIN_FILENO, POLLIN, 0}, {g_wake[0], POLLIN, 0}};
        if (::poll(watched, g_wake[0] >= 0 ? 2 : 1, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        if (watched[1].revents != 0)
            return;
        if (watched[0].revents & POLLNVAL)
            return;
        if (watched[0].revents != 0 && inputEnds())
            return;
    }
}

} // namespace torvane::exchext
