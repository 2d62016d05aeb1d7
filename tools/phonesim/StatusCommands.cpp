#include "tools/phonesim/StatusCommands.h"

#include "tools/phonesim/CmeError.h"

namespace torvane::phonesim {

namespace {

// A command that only answers one information line when executed, and OK when tested.
CommandHandler reply(std::function<std::string(const PhoneState&)> text)
{
    return [text = std::move(text)](CommandContext& ctx, const AtCommand& cmd) {
        if (cmd.form == AtForm::Test)
            return CommandResult::ok();
        if (cmd.form != AtForm::Action)
            return CommandResult::error();
        ctx.info(text(ctx.state()));
        return CommandResult::ok();
    };
}

// Attempts left for the password the SIM wants now (the PIN when it wants none).
int attemptsLeft(const SimCard& sim)
{
    switch (sim.lock) {
    case SimLock::SimPuk: return sim.pukAttempts;
    case SimLock::SimPin2: return sim.pin2Attempts;
    case SimLock::SimPuk2: return sim.puk2Attempts;
    case SimLock::Ready:
    case SimLock::SimPin: break;
    }
    return sim.pinAttempts;
}

// One try of a password: right opens the lock and refills the count; wrong lowers the count
// and, when it runs out, moves the SIM to the next lock.
CommandResult tryPassword(SimCard& sim, const std::string& given, const std::string& expected, int& attempts,
                          int fullCount, SimLock onExhausted)
{
    if (attempts <= 0)
        return CommandResult::cme(CmeIncorrectPassword);
    if (given == expected) {
        attempts = fullCount;
        sim.lock = SimLock::Ready;
        return CommandResult::ok();
    }
    if (--attempts == 0)
        sim.lock = onExhausted;
    return CommandResult::cme(CmeIncorrectPassword);
}

CommandResult enterPin(CommandContext& ctx, const AtCommand& cmd)
{
    SimCard& sim = ctx.state().sim;
    if (cmd.form == AtForm::Query) {
        ctx.info(std::string("+CPIN: ") + simLockText(sim.lock));
        return CommandResult::ok();
    }
    if (cmd.form == AtForm::Test)
        return CommandResult::ok();
    if (cmd.form != AtForm::Set)
        return CommandResult::error();
    const auto args = atArguments(cmd.args);
    if (!args || args->empty() || args->size() > 2 || (*args)[0].empty())
        return CommandResult::error();
    const std::string& given = (*args)[0];
    const std::string newPin = args->size() > 1 ? (*args)[1] : std::string();

    switch (sim.lock) {
    case SimLock::Ready:
        return CommandResult::cme(CmeOperationNotAllowed);
    case SimLock::SimPin:
        return tryPassword(sim, given, sim.pin, sim.pinAttempts, 3, SimLock::SimPuk);
    case SimLock::SimPin2:
        return tryPassword(sim, given, sim.pin2, sim.pin2Attempts, 3, SimLock::SimPuk2);
    case SimLock::SimPuk:
    case SimLock::SimPuk2: {
        const bool first = sim.lock == SimLock::SimPuk;
        if (newPin.empty())
            return CommandResult::cme(first ? CmeSimPukRequired : CmeSimPuk2Required);
        CommandResult r = first ? tryPassword(sim, given, sim.puk, sim.pukAttempts, 10, SimLock::SimPuk)
                                : tryPassword(sim, given, sim.puk2, sim.puk2Attempts, 10, SimLock::SimPuk2);
        if (r.kind == CommandResult::Kind::Ok) {
            (first ? sim.pin : sim.pin2) = newPin;
            (first ? sim.pinAttempts : sim.pin2Attempts) = 3;
        }
        return r;
    }
    }
    return CommandResult::error();
}

CommandResult registration(CommandContext& ctx, const AtCommand& cmd)
{
    Network& net = ctx.state().network;
    switch (cmd.form) {
    case AtForm::Query:
        ctx.info("+CREG: " + std::to_string(net.cregMode) + "," + std::to_string(int(net.registration)));
        return CommandResult::ok();
    case AtForm::Test:
        ctx.info("+CREG: (0-2)");
        return CommandResult::ok();
    case AtForm::Set:
        if (const auto n = atNumber(cmd.args); n && *n <= 2) {
            net.cregMode = *n;
            return CommandResult::ok();
        }
        return CommandResult::cme(CmeOperationNotSupported);
    case AtForm::Action:
        break;
    }
    return CommandResult::error();
}

} // namespace

void StatusCommands::addCommands(CommandTable& table)
{
    table.add("+CGMI", reply([](const PhoneState& s) { return s.identity.manufacturer; }));
    table.add("+CGMM", reply([](const PhoneState& s) { return s.identity.model; }));
    table.add("+CPIN", enterPin);
    table.add("^SPIC", reply([](const PhoneState& s) { return "^SPIC: " + std::to_string(attemptsLeft(s.sim)); }));
    table.add("+CREG", registration);
    table.add("+CBC", reply([](const PhoneState& s) {
                  return "+CBC: " + std::to_string(s.battery.status) + "," + std::to_string(s.battery.level);
              }));
    table.add("+CSQ", reply([](const PhoneState& s) {
                  return "+CSQ: " + std::to_string(s.signal.rssi) + "," + std::to_string(s.signal.ber);
              }));
}

} // namespace torvane::phonesim
