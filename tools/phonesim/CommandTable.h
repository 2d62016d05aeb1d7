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
#include <utility>
#include <vector>

namespace torvane::phonesim {

class CommandContext;
class PhoneModule;
struct CommandResult;

using CommandHandler = std::function<CommandResult(CommandContext&, const AtCommand&)>;
// Called with what was typed after the "> " prompt: submitted by Ctrl-Z, or cancelled by ESC.
using PromptHandler = std::function<CommandResult(CommandContext&, const std::string& data, bool submitted)>;

// What a phone sends for a prompt: the SMS commands' "> " without a line end, on a line of its
// own; the object store's ">" with a line end.
inline const std::string kLinePrompt = "\r\n> ";
inline const std::string kObjectPrompt = ">\r\n";

struct CommandResult {
    enum class Kind { Ok, Error, CmeError, CmsError, Prompt };
    Kind kind = Kind::Ok;
    int errorNumber = 0; // of a +CME ERROR or +CMS ERROR
    PromptHandler onPromptEnd;
    std::string promptText;

    static CommandResult ok() { return {}; }
    static CommandResult error() { return {Kind::Error, 0, {}, {}}; }
    // Shown as ERROR, "+CME ERROR: n" or "+CME ERROR: text" as AT+CMEE asks.
    static CommandResult cme(int code) { return {Kind::CmeError, code, {}, {}}; }
    // An SMS command's failure: "+CMS ERROR: n" whatever AT+CMEE says.
    static CommandResult cms(int code) { return {Kind::CmsError, code, {}, {}}; }
    // The phone sends the prompt text and hands the data to the handler; commands after this one
    // on the same line are not run.
    static CommandResult prompt(PromptHandler handler, std::string text = kLinePrompt)
    {
        return {Kind::Prompt, 0, std::move(handler), std::move(text)};
    }
};

class CommandTable {
public:
    // name in upper case with its prefix; a second add for a name replaces the first.
    void add(std::string name, CommandHandler handler);
    // A handler for the commands of `name` whose first argument, without quotes and in any case,
    // is `firstArgument`. It goes before the one added for the name alone, so that modules can
    // share a command that names an object type first: AT^SBNW="vcs",... in the object store and
    // AT^SBNW="mid",... in the melody upload.
    void addForArgument(std::string name, std::string firstArgument, CommandHandler handler);

    const CommandHandler* find(std::string_view name) const;
    // The handler for this command: the one for its first argument, else the one for its name.
    const CommandHandler* find(const AtCommand& command) const;

private:
    std::map<std::string, CommandHandler, std::less<>> m_handlers;
    std::map<std::pair<std::string, std::string>, CommandHandler> m_byArgument; // argument in upper case
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
