// Every byte the simulated phone received and sent, in order, with the time it happened;
// also written to a file as it happens when one is given, for people trying the suite by hand.
#pragma once

#include "tools/phonesim/AtLineReader.h"

#include <cstdio>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::phonesim {

class Transcript {
public:
    enum class Direction { In, Out, Note };
    struct Entry {
        Direction direction;
        SimClock::time_point at;
        std::string bytes; // for notes, the note ("line dropped")
    };

    Transcript();
    ~Transcript();
    Transcript(const Transcript&) = delete;
    Transcript& operator=(const Transcript&) = delete;

    // "-" writes to standard output. Returns false when the file cannot be opened.
    bool setFile(const std::string& path);

    void record(Direction direction, std::string_view bytes);
    void note(std::string_view text);

    std::vector<Entry> entries() const;
    std::string received() const; // all bytes in, joined
    std::string sent() const;     // all bytes out, joined
    void clear();

    // C-style escapes for control bytes: "AT\r" -> "AT\\r", ESC -> "\\x1b".
    static std::string escape(std::string_view bytes);

private:
    mutable std::mutex m_mutex;
    std::vector<Entry> m_entries;
    SimClock::time_point m_start;
    std::FILE* m_file = nullptr;
    bool m_ownsFile = false;
};

} // namespace torvane::phonesim
