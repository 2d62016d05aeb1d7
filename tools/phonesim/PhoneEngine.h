// The simulated phone without its line: bytes in, bytes out. It echoes, cuts lines, runs the
// commands of the installed modules, applies faults and frames the answers the way the
// phone's settings (E, Q, V, +CMEE) ask. Not thread-safe; PhoneSim guards it.
#pragma once

#include "tools/phonesim/AtLineReader.h"
#include "tools/phonesim/CommandTable.h"
#include "tools/phonesim/OutputQueue.h"
#include "tools/phonesim/PhoneFault.h"
#include "tools/phonesim/PhoneModule.h"
#include "tools/phonesim/PhoneState.h"

#include <memory>
#include <string_view>
#include <vector>

namespace torvane::phonesim {

class PhoneEngine {
public:
    // With the standard modules (basic line commands and the status dialogue).
    PhoneEngine();
    // With exactly these modules.
    explicit PhoneEngine(std::vector<std::unique_ptr<PhoneModule>> modules);

    void addModule(std::unique_ptr<PhoneModule> module);

    // Bytes from the line, all received at now. Answers go to output().
    void receive(std::string_view bytes, SimClock::time_point now);
    // Lets time-driven input handling ("+++" guard time) happen.
    void tick(SimClock::time_point now);
    std::optional<SimClock::time_point> nextDeadline() const { return m_reader.nextDeadline(); }

    // The line was hung up: a half-typed line or an open prompt is gone; settings stay.
    void lineDropped();

    OutputQueue& output() { return m_output; }

    PhoneState& state() { return m_state; }
    const PhoneState& state() const { return m_state; }
    const std::vector<std::unique_ptr<PhoneModule>>& modules() const { return m_modules; }
    AtLineReader& reader() { return m_reader; }

    void addFault(const Fault& fault) { m_faults.push_back(fault); }
    void clearFaults() { m_faults.clear(); }
    const std::vector<Fault>& faults() const { return m_faults; }

    // The whole state as one JSON object (core keys plus "modules": {key: object}).
    QJsonObject saveState() const;
    // An error text when the object is malformed; the core state is then left as it was.
    QString loadState(const QJsonObject& json);

private:
    void handleEvent(const LineEvent& event, SimClock::time_point now);
    void runLine(const std::string& text, bool overflow, SimClock::time_point now);
    // Runs a result through to the final result code (or the prompt) and sends the answer.
    void finish(CommandResult result, std::string answer, SimClock::time_point now);
    std::string resultCode(const CommandResult& result) const;
    // Faults that begin at a later command count this line; those it does not reach yet pass it.
    void countTowardsFaults(const AtCommandLine& line);
    Fault* findFault(const AtCommand& command);
    Fault* findLineFault();
    void spend(Fault* fault);
    void send(std::string bytes, SimClock::time_point now);

    PhoneState m_state;
    std::vector<std::unique_ptr<PhoneModule>> m_modules;
    CommandTable m_table;
    AtLineReader m_reader;
    OutputQueue m_output;
    std::vector<Fault> m_faults;
    std::vector<const Fault*> m_passing; // faults the line being run does not reach yet
    unsigned m_garbleCounter = 0;

    // The command line being answered: faults that shape its answer, and an open prompt.
    std::optional<Fault> m_lineDelay;
    std::optional<Fault> m_lineGarble;
    bool m_literalCme = false;
    PromptHandler m_prompt;
};

} // namespace torvane::phonesim
