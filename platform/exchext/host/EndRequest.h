// The user's word that the host may end: a line (Enter) or the end of the standard input, or
// SIGINT, SIGTERM or SIGHUP. A signal only wakes the wait, so the host still unloads its
// extension in order, as after Enter, instead of dying with the extension loaded.
#pragma once

namespace torvane::exchext {

class EndRequest {
public:
    // Catches those signals from now on, until destroyed; one at a time.
    EndRequest();
    ~EndRequest();

    EndRequest(const EndRequest&) = delete;
    EndRequest& operator=(const EndRequest&) = delete;

    // Returns at once when a signal came since construction; otherwise when one comes or the
    // standard input gives a line end, ends, or cannot be read.
    void wait();
};

} // namespace torvane::exchext
