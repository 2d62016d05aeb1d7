#include "tools/phonesim/BasicCommands.h"

#include "tools/phonesim/CmeError.h"

namespace torvane::phonesim {

namespace {

// A basic switch such as E or V: no number means 0.
CommandHandler basicSwitch(bool LineConfig::*field)
{
    return [field](CommandContext& ctx, const AtCommand& cmd) {
        if (cmd.form == AtForm::Action || cmd.args == "0")
            ctx.state().line.*field = false;
        else if (cmd.args == "1")
            ctx.state().line.*field = true;
        else
            return CommandResult::error();
        return CommandResult::ok();
    };
}

CommandResult resetLine(CommandContext& ctx, const AtCommand& cmd)
{
    if (!cmd.args.empty() && cmd.args != "0")
        return CommandResult::error();
    ctx.state().line = LineConfig {};
    return CommandResult::ok();
}

} // namespace

void BasicCommands::addCommands(CommandTable& table)
{
    table.add("E", basicSwitch(&LineConfig::echo));
    table.add("Q", basicSwitch(&LineConfig::quiet));
    table.add("V", basicSwitch(&LineConfig::verbose));
    table.add("Z", resetLine);
    table.add("&F", resetLine);
    table.add("+CMEE", [](CommandContext& ctx, const AtCommand& cmd) {
        switch (cmd.form) {
        case AtForm::Query:
            ctx.info("+CMEE: " + std::to_string(ctx.state().line.cmee));
            return CommandResult::ok();
        case AtForm::Test:
            ctx.info("+CMEE: (0-2)");
            return CommandResult::ok();
        case AtForm::Action:
            ctx.state().line.cmee = 0;
            return CommandResult::ok();
        case AtForm::Set:
            break;
        }
        const auto n = atNumber(cmd.args);
        if (!n || *n > 2)
            return CommandResult::cme(CmeOperationNotSupported);
        ctx.state().line.cmee = *n;
        return CommandResult::ok();
    });
}

} // namespace torvane::phonesim
