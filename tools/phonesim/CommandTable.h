// The simulated phone's commands: a name ("+CPIN", "^SPIC", "E") and the function that answers
// it. A feature adds its commands in its own file (a PhoneModule); the engine only looks names
// up here, so a new command touches nothing else.
#pragma once

#include "tools/phonesim/AtCommand.h"
#include "tools/phonesim/PhoneState.h"

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace torvane::phonesim {

class CommandContext;
class PhoneModule;
struct CommandResult;

using CommandHandler = std::function<CommandResult(CommandContext&, const AtCommand&)>;
// Called with what was typed after the "> " prompt: submitted by Ctrl-Z, or cancelled by ESC.
using PromptHandler = std::function<CommandResult(CommandContext&, const std::string& data, bool submitted)>;

struct CommandResult {
    enum class Kind { Ok, Error, CmeError, Prompt };
    Kind kind = Kind::Ok;
    int cmeError = 0;
    PromptHandler onPromptEnd;

    static CommandResult ok() { return {}; }
    static CommandResult error() { return {Kind::Error, 0, {}}; }
    // Shown as ERROR, "+CME ERROR: n" or "+CME ERROR: text" as AT+CMEE asks.
    static CommandResult cme(int code) { return {Kind::CmeError, code, {}}; }
    // The phone sends "> " and hands the data to the handler; commands after this one on the
    // same line are not run.
    static CommandResult prompt(PromptHandler handler) { return {Kind::Prompt, 0, std::move(handler)}; }
};

class CommandTable {
public:
    // name in upper case with its prefix; a second add for a name replaces the first.
    void add(std::string name, CommandHandler handler);
    const CommandHandler* find(std::string_view name) const;

private:
    std::map<std::string, CommandHandler, std::less<>> m_handlers;
};

// What a handler may touch while it runs: the phone's state, the feature modules and the answer.
class CommandContext {
public:
    CommandContext(PhoneState& state, const std::vector<std::unique_ptr<PhoneModule>>& modules, std::string& answer)
        : m_state(state), m_modules(modules), m_answer(answer)
    {
    }

    PhoneState& state() { return m_state; }

    // An information line of the answer ("+CPIN: READY"), framed with CR LF as the phone does.
    void info(std::string_view line);

    // The module of type M; a handler asking for a module that was not added is a programming error.
    template <class M>
    M& module()
    {
        for (const auto& m : m_modules)
            if (auto* found = dynamic_cast<M*>(m.get()))
                return *found;
        throw std::logic_error("phonesim: module not installed");
    }

private:
    PhoneState& m_state;
    const std::vector<std::unique_ptr<PhoneModule>>& m_modules;
    std::string& m_answer;
};

} // namespace torvane::phonesim
