#include "tools/phonesim/AtLineReader.h"

namespace torvane::phonesim {

namespace {

LineEvent take(LineEvent::Kind kind, std::string& buffer, bool& overflow, bool& quoted)
{
    quoted = false;
    LineEvent event;
    event.kind = kind;
    event.text.swap(buffer);
    event.overflow = overflow;
    buffer.clear();
    overflow = false;
    return event;
}

} // namespace

void AtLineReader::reset()
{
    m_quoted = false;
    m_buffer.clear();
    m_overflow = false;
    m_prompt = false;
    m_escapeSince.reset();
}

void AtLineReader::beginPrompt()
{
    m_buffer.clear();
    m_overflow = false;
    m_prompt = true;
    m_escapeSince.reset();
}

std::optional<LineEvent> AtLineReader::feed(char byte, SimClock::time_point now)
{
    if (m_prompt) {
        if (byte == kCtrlZ || byte == kEsc) {
            m_prompt = false;
            return take(byte == kCtrlZ ? LineEvent::Kind::PromptSubmit : LineEvent::Kind::PromptAbort, m_buffer,
                        m_overflow, m_quoted);
        }
        if (m_buffer.size() < kMaxPromptData)
            m_buffer += byte;
        else
            m_overflow = true;
        return std::nullopt;
    }

    // Any byte after "+++" means it was not an escape but the start of a line.
    m_escapeSince.reset();
    if (byte == '\r') {
        if (m_buffer.empty() && !m_overflow)
            return std::nullopt;
        return take(LineEvent::Kind::CommandLine, m_buffer, m_overflow, m_quoted);
    }
    if (m_quoted || byte == '"') {
        if (byte == '"')
            m_quoted = !m_quoted;
        if (m_buffer.size() < kMaxCommandLine)
            m_buffer += byte;
        else
            m_overflow = true;
        return std::nullopt;
    }
    switch (byte) {
    case '\n':
        return std::nullopt;
    case kBackspace:
    case 0x7f:
        // A closing quote taken back opens the field again.
        if (!m_buffer.empty()) {
            if (m_buffer.back() == '"')
                m_quoted = true;
            m_buffer.pop_back();
        }
        return std::nullopt;
    case kEsc:
    case kCtrlZ:
        m_buffer.clear();
        m_overflow = false;
        return std::nullopt;
    default:
        break;
    }
    if (static_cast<unsigned char>(byte) < 0x20)
        return std::nullopt;
    if (m_buffer.size() < kMaxCommandLine)
        m_buffer += byte;
    else
        m_overflow = true;
    if (m_buffer == "+++")
        m_escapeSince = now;
    return std::nullopt;
}

std::optional<LineEvent> AtLineReader::poll(SimClock::time_point now)
{
    if (!m_escapeSince || now - *m_escapeSince < m_guard)
        return std::nullopt;
    m_escapeSince.reset();
    m_buffer.clear();
    LineEvent event;
    event.kind = LineEvent::Kind::Escape;
    return event;
}

std::optional<SimClock::time_point> AtLineReader::nextDeadline() const
{
    if (!m_escapeSince)
        return std::nullopt;
    return *m_escapeSince + m_guard;
}

} // namespace torvane::phonesim
