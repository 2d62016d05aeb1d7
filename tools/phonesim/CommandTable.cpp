#include "tools/phonesim/CommandTable.h"

namespace torvane::phonesim {

void CommandTable::add(std::string name, CommandHandler handler)
{
    m_handlers[std::move(name)] = std::move(handler);
}

const CommandHandler* CommandTable::find(std::string_view name) const
{
    const auto it = m_handlers.find(name);
    return it == m_handlers.end() ? nullptr : &it->second;
}

void CommandContext::info(std::string_view line)
{
    if (m_state.line.verbose && m_answer.empty())
        m_answer += "\r\n";
    m_answer += line;
    m_answer += "\r\n";
}

} // namespace torvane::phonesim
