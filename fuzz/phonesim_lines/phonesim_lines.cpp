// Received bytes -> command lines -> commands -> answers: the simulated phone's whole input
// path, with time moving on between bytes so the "+++" guard and prompts are reached too.
#include "tools/phonesim/AtCommand.h"
#include "tools/phonesim/CmeError.h"
#include "tools/phonesim/PhoneEngine.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

using namespace torvane::phonesim;

namespace {

// A command that opens a "> " prompt, as message and object uploads do.
class PromptModule : public PhoneModule {
public:
    QString key() const override { return "prompt"; }
    void addCommands(CommandTable& table) override
    {
        table.add("+TPROMPT", [](CommandContext&, const AtCommand&) {
            return CommandResult::prompt([](CommandContext& ctx, const std::string& data, bool submitted) {
                ctx.info("+TPROMPT: " + std::to_string(data.size()));
                return submitted ? CommandResult::ok() : CommandResult::cme(CmeUnknown);
            });
        });
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string_view input(reinterpret_cast<const char*>(data), size);

    const AtCommandLine line = parseCommandLine(input);
    for (const AtCommand& command : line.commands)
        (void)atArguments(command.args);

    PhoneEngine engine;
    engine.addModule(std::make_unique<PromptModule>());
    engine.reader().setEscapeGuard(std::chrono::milliseconds(5));
    // One fault of each kind, so their paths meet hostile input as well.
    engine.addFault({FaultKind::Garble, "+CSQ", 0, 0, 2, -1});
    engine.addFault({FaultKind::CmeError, "+CBC", 0, 16, 3, -1});
    engine.addFault({FaultKind::Delay, "+CGMM", 50, 0, 3, -1});
    engine.addFault({FaultKind::DropLine, "+CREG?", 0, 0, 3, 1});
    SimClock::time_point now {};
    for (std::size_t i = 0; i < input.size(); ++i) {
        engine.receive(input.substr(i, 1), now);
        // A byte value decides how much time passes, so guard times expire at random places.
        now += std::chrono::milliseconds(static_cast<unsigned char>(input[i]) % 7);
        engine.tick(now);
    }
    OutputQueue& out = engine.output();
    out.setBaudRate(size % 2 ? 19200 : 0);
    for (int rounds = 0; rounds < 10000 && !out.empty(); ++rounds) {
        now += std::chrono::milliseconds(1);
        out.takeHangUp(now);
        out.consumed(out.due(now, 64).size());
    }
    return 0;
}
