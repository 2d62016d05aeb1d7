// Cuts the bytes a phone receives into command lines and prompt data, the way a phone's
// line editor does: a command line ends with CR, LF is ignored, backspace takes back a
// character, ESC or Ctrl-Z throw away a half-typed line. Inside double quotes every byte but CR
// is text: a phonebook name in the phone's own codes holds bytes below 0x20 (0x11 for '_', 0x05
// for 'é', 0x08 for 'ò', ...) that are no editing keys there. In prompt mode ("> ") everything up
// to Ctrl-Z is data that is sent, and ESC cancels it. "+++" alone, followed by a quiet
// guard time, is the escape out of a data connection.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

namespace torvane::phonesim {

using SimClock = std::chrono::steady_clock;

constexpr char kCtrlZ = 0x1a;
constexpr char kEsc = 0x1b;
constexpr char kBackspace = 0x08;

struct LineEvent {
    enum class Kind {
        CommandLine,  // text is the line without its CR
        PromptSubmit, // text is the data before Ctrl-Z
        PromptAbort,  // ESC ended the prompt; text is what was typed
        Escape,       // "+++" and the guard time passed
    };
    Kind kind = Kind::CommandLine;
    std::string text;
    bool overflow = false; // more came than the buffer holds; the excess was dropped
};

class AtLineReader {
public:
    static constexpr std::size_t kMaxCommandLine = 1024;
    static constexpr std::size_t kMaxPromptData = 64 * 1024;

    // One received byte; an event when it completes a line or a prompt.
    std::optional<LineEvent> feed(char byte, SimClock::time_point now);
    // The "+++" escape once its guard time has passed without further bytes.
    std::optional<LineEvent> poll(SimClock::time_point now);
    // When poll() may next have something to say.
    std::optional<SimClock::time_point> nextDeadline() const;

    void beginPrompt();
    bool inPrompt() const { return m_prompt; }
    void reset();

    void setEscapeGuard(std::chrono::milliseconds guard) { m_guard = guard; }

private:
    std::string m_buffer;
    bool m_overflow = false;
    bool m_prompt = false;
    bool m_quoted = false; // within a quoted field of the command line being typed
    std::optional<SimClock::time_point> m_escapeSince;
    std::chrono::milliseconds m_guard {1000};
};

} // namespace torvane::phonesim
