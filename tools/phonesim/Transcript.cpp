#include "tools/phonesim/Transcript.h"



namespace torvane::phonesim {

Transcript::Transcript() : m_start(SimClock::now()) {}

Transcript::~Transcript()
{
    if (m_file && m_ownsFile)
        std::fclose(m_file);
}

bool Transcript::setFile(const std::string& path)
{
    std::lock_guard lock(m_mutex);
    if (m_file && m_ownsFile)
        std::fclose(m_file);
    m_file = nullptr;
    m_ownsFile = false;
    if (path == "-") {
        m_file = stdout;
        return true;
    }
    m_file = std::fopen(path.c_str(), "a");
    m_ownsFile = m_file != nullptr;
    return m_file != nullptr;
}

std::string Transcript::escape(std::string_view bytes)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (char c : bytes) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\\': out += "\\\\"; break;
        case '"': out += "\\\""; break;
        default:
            if (u < 0x20 || u >= 0x7f) {
                out += "\\x";
                out += hex[u >> 4];
                out += hex[u & 15];
            } else {
                out += c;
            }
        }
    }
    return out;
}

void Transcript::record(Direction direction, std::string_view bytes)
{
    if (bytes.empty())
        return;
    std::lock_guard lock(m_mutex);
    const auto now = SimClock::now();
    m_entries.push_back({direction, now, std::string(bytes)});
    if (m_file) {
        const double seconds = std::chrono::duration<double>(now - m_start).count();
        if (direction == Direction::Note)
            std::fprintf(m_file, "%10.3f -- %.*s\n", seconds, int(bytes.size()), bytes.data());
        else
            std::fprintf(m_file, "%10.3f %s \"%s\"\n", seconds, direction == Direction::In ? "in " : "out",
                         escape(bytes).c_str());
        std::fflush(m_file);
    }
}

void Transcript::note(std::string_view text)
{
    record(Direction::Note, text);
}

std::vector<Transcript::Entry> Transcript::entries() const
{
    std::lock_guard lock(m_mutex);
    return m_entries;
}

std::string Transcript::received() const
{
    std::lock_guard lock(m_mutex);
    std::string out;
    for (const auto& e : m_entries)
        if (e.direction == Direction::In)
            out += e.bytes;
    return out;
}

std::string Transcript::sent() const
{
    std::lock_guard lock(m_mutex);
    std::string out;
    for (const auto& e : m_entries)
        if (e.direction == Direction::Out)
            out += e.bytes;
    return out;
}

void Transcript::clear()
{
    std::lock_guard lock(m_mutex);
    m_entries.clear();
}

} // namespace torvane::phonesim
