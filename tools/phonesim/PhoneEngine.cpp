#include "tools/phonesim/PhoneEngine.h"

#include "tools/phonesim/CmeError.h"
#include "tools/phonesim/StandardModules.h"

#include <QJsonArray>

#include <algorithm>

namespace torvane::phonesim {

PhoneEngine::PhoneEngine() : PhoneEngine(standardModules()) {}

PhoneEngine::PhoneEngine(std::vector<std::unique_ptr<PhoneModule>> modules)
{
    for (auto& m : modules)
        addModule(std::move(m));
}

void PhoneEngine::addModule(std::unique_ptr<PhoneModule> module)
{
    module->addCommands(m_table);
    m_modules.push_back(std::move(module));
}

Fault* PhoneEngine::findLineFault()
{
    // A silence that waits for its command is a command fault until then.
    for (Fault& f : m_faults)
        if (f.times != 0 && f.from <= 1 && f.command.empty() && f.kind == FaultKind::Silent)
            return &f;
    return nullptr;
}

void PhoneEngine::countTowardsFaults(const AtCommandLine& line)
{
    m_passing.clear();
    for (Fault& f : m_faults) {
        if (f.times == 0 || f.from <= 1)
            continue;
        const bool hit = f.command.empty() || std::any_of(line.commands.begin(), line.commands.end(),
                                                          [&f](const AtCommand& c) { return faultMatches(f, c); });
        if (hit) {
            --f.from;
            m_passing.push_back(&f); // this line still passes
        }
    }
}

Fault* PhoneEngine::findFault(const AtCommand& command)
{
    for (Fault& f : m_faults)
        if (f.times != 0 && f.from <= 1 && faultMatches(f, command) &&
            std::find(m_passing.begin(), m_passing.end(), &f) == m_passing.end())
            return &f;
    return nullptr;
}

void PhoneEngine::spend(Fault* fault)
{
    if (fault && fault->times > 0)
        --fault->times;
}

void PhoneEngine::send(std::string bytes, SimClock::time_point now)
{
    m_output.push(std::move(bytes), now);
}

void PhoneEngine::receive(std::string_view bytes, SimClock::time_point now)
{
    for (char byte : bytes) {
        // A phone that is off neither echoes nor answers.
        if (Fault* dead = findLineFault(); dead && !m_reader.inPrompt()) {
            if (auto event = m_reader.feed(byte, now); event && event->kind == LineEvent::Kind::CommandLine)
                spend(dead);
            continue;
        }
        if (m_state.line.echo && byte != kCtrlZ && byte != kEsc)
            send(std::string(1, byte), now);
        if (auto event = m_reader.feed(byte, now))
            handleEvent(*event, now);
    }
}

void PhoneEngine::tick(SimClock::time_point now)
{
    if (auto event = m_reader.poll(now))
        handleEvent(*event, now);
}

void PhoneEngine::lineDropped()
{
    m_reader.reset();
    m_prompt = nullptr;
    m_lineDelay.reset();
    m_lineGarble.reset();
    m_literalCme = false;
}

void PhoneEngine::handleEvent(const LineEvent& event, SimClock::time_point now)
{
    switch (event.kind) {
    case LineEvent::Kind::CommandLine:
        runLine(event.text, event.overflow, now);
        return;
    case LineEvent::Kind::Escape:
        // A phone that is switched off or gone answers the escape no more than a command.
        if (findLineFault())
            return;
        // There is no data connection to leave; the phone confirms it is in command mode.
        m_lineDelay.reset();
        m_lineGarble.reset();
        m_literalCme = false;
        finish(CommandResult::ok(), {}, now);
        return;
    case LineEvent::Kind::PromptSubmit:
    case LineEvent::Kind::PromptAbort: {
        PromptHandler handler = std::move(m_prompt);
        m_prompt = nullptr;
        std::string answer;
        CommandContext ctx(m_state, m_modules, answer);
        CommandResult result = CommandResult::error();
        if (handler && !event.overflow)
            result = handler(ctx, event.text, event.kind == LineEvent::Kind::PromptSubmit);
        finish(std::move(result), std::move(answer), now);
        return;
    }
    }
}

void PhoneEngine::runLine(const std::string& text, bool overflow, SimClock::time_point now)
{
    const AtCommandLine line = parseCommandLine(text);
    if (!line.isCommand)
        return;
    m_lineDelay.reset();
    m_lineGarble.reset();
    m_literalCme = false;
    countTowardsFaults(line);
    if (overflow || line.syntaxError) {
        finish(CommandResult::error(), {}, now);
        return;
    }

    std::string answer;
    CommandContext ctx(m_state, m_modules, answer);
    CommandResult result = CommandResult::ok();
    for (const AtCommand& command : line.commands) {
        Fault* fault = findFault(command);
        if (fault) {
            spend(fault);
            switch (fault->kind) {
            case FaultKind::Silent:
                return;
            case FaultKind::DropLine:
                m_output.pushHangUp(now, std::chrono::milliseconds(fault->delayMs));
                return;
            case FaultKind::Error:
                result = CommandResult::error();
                break;
            case FaultKind::CmeError:
                result = CommandResult::cme(fault->cmeError);
                m_literalCme = true;
                break;
            case FaultKind::CmsError:
                result = CommandResult::cms(fault->cmeError);
                break;
            case FaultKind::Delay:
                m_lineDelay = *fault;
                break;
            case FaultKind::Garble:
                m_lineGarble = *fault;
                break;
            }
            if (result.kind != CommandResult::Kind::Ok)
                break;
        }
        const CommandHandler* handler = m_table.find(command);
        if (!handler) {
            result = CommandResult::error();
            break;
        }
        result = (*handler)(ctx, command);
        if (result.kind != CommandResult::Kind::Ok)
            break;
    }
    finish(std::move(result), std::move(answer), now);
}

std::string PhoneEngine::resultCode(const CommandResult& result) const
{
    const LineConfig& line = m_state.line;
    std::string words;
    int number = 0;
    switch (result.kind) {
    case CommandResult::Kind::Ok:
        words = "OK";
        number = 0;
        break;
    case CommandResult::Kind::Error:
        words = "ERROR";
        number = 4;
        break;
    case CommandResult::Kind::CmeError:
        if (line.cmee == 0 && !m_literalCme) {
            words = "ERROR";
            number = 4;
            break;
        }
        // An injected error is given as a number whatever AT+CMEE says, so a test gets exactly
        // the text it asked for. An extended error is a line of its own in either verbose setting.
        words = "+CME ERROR: " + (m_literalCme || line.cmee == 1 ? std::to_string(result.errorNumber)
                                                                 : cmeErrorText(result.errorNumber));
        return line.verbose ? "\r\n" + words + "\r\n" : words + "\r\n";
    case CommandResult::Kind::CmsError:
        words = "+CMS ERROR: " + std::to_string(result.errorNumber);
        return line.verbose ? "\r\n" + words + "\r\n" : words + "\r\n";
    case CommandResult::Kind::Prompt:
        return {};
    }
    if (line.quiet)
        return {};
    return line.verbose ? "\r\n" + words + "\r\n" : std::to_string(number) + "\r";
}

void PhoneEngine::finish(CommandResult result, std::string answer, SimClock::time_point now)
{
    if (result.kind == CommandResult::Kind::Prompt) {
        answer += result.promptText;
        m_prompt = std::move(result.onPromptEnd);
        m_reader.beginPrompt();
    } else {
        answer += resultCode(result);
    }
    if (m_lineGarble)
        garble(answer, m_lineGarble->garbleEvery, m_garbleCounter);
    const auto at = m_lineDelay ? now + std::chrono::milliseconds(m_lineDelay->delayMs) : now;
    m_output.push(std::move(answer), at);
}

QJsonObject PhoneEngine::saveState() const
{
    QJsonObject json = phoneStateToJson(m_state);
    QJsonObject modules;
    for (const auto& m : m_modules) {
        const QJsonObject saved = m->saveState();
        if (!saved.isEmpty())
            modules.insert(m->key(), saved);
    }
    if (!modules.isEmpty())
        json.insert("modules", modules);
    return json;
}

QString PhoneEngine::loadState(const QJsonObject& json)
{
    PhoneState state = m_state;
    if (QString error = phoneStateFromJson(json, state); !error.isEmpty())
        return error;
    const QJsonValue modules = json.value("modules");
    if (!modules.isUndefined() && !modules.isObject())
        return "modules must be an object";
    for (const auto& m : m_modules) {
        const QJsonValue v = modules.toObject().value(m->key());
        if (v.isUndefined())
            continue;
        if (!v.isObject())
            return "modules." + m->key() + " must be an object";
        if (QString error = m->loadState(v.toObject()); !error.isEmpty())
            return "modules." + m->key() + ": " + error;
    }
    m_state = state;
    return {};
}

} // namespace torvane::phonesim
