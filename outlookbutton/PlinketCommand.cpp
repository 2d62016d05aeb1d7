#include "outlookbutton/PlinketCommand.h"

#include <vector>

namespace torvane::plinket {

std::optional<PlinketCommand> parsePlinketCommand(std::string_view value)
{
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (start < value.size() && fields.size() < 3) {
        std::size_t end = value.find(';', start);
        if (end == std::string_view::npos)
            end = value.size();
        if (end > start)
            fields.emplace_back(value.substr(start, end - start));
        start = end + 1;
    }
    if (fields.empty())
        return std::nullopt;
    PlinketCommand command;
    command.kind = fields[0];
    if (fields.size() > 1)
        command.commandLine = fields[1];
    if (fields.size() > 2)
        command.procedure = fields[2];
    return command;
}

} // namespace torvane::plinket
