#include "tools/phonesim/CommandTable.h"

namespace torvane::phonesim {

void CommandTable::add(std::string name, CommandHandler handler)
{
    m_handlers[std::move(name)] = std::move(handler);
}

namespace {

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = char(c - 'a' + 'A');
    return text;
}

} // namespace

void CommandTable::addForArgument(std::string name, std::string firstArgument, CommandHandler handler)
{
    m_byArgument[{std::move(name), upper(std::move(firstArgument))}] = std::move(handler);
}

const CommandHandler* CommandTable::find(std::string_view name) const
{
    const auto it = m_handlers.find(name);
    return it == m_handlers.end() ? nullptr : &it->second;
}

const CommandHandler* CommandTable::find(const AtCommand& command) const
{
    if (!m_byArgument.empty() && command.form == AtForm::Set) {
        if (const auto args = atArguments(command.args); args && !args->empty()) {
            const auto it = m_byArgument.find({command.name, upper(args->front())});
            if (it != m_byArgument.end())
                return &it->second;
        }
    }
    return find(command.name);
}

void CommandContext::info(std::string_view line)
{
    if (m_state.line.verbose && m_answer.empty())
        m_answer += "\r\n";
    m_answer += line;
    m_answer += "\r\n";
}

} // namespace torvane::phonesim
