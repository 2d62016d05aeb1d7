#include "outlookbutton/PlinketModule.h"

#include "outlookbutton/PlinketCommand.h"
#include "outlookbutton/ShowLastError.h"
#include "platform/exchext/ExchMessageBox.h"
#include "platform/process/ProgramStart.h"
#include "platform/process/SharedLibrary.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace torvane::plinket {

namespace {

constexpr const char* kMessageCaption = "Torvane Appointments";
constexpr const char* kNotFoundText = "entry (Plinket) in registry not found !";
constexpr const char* kIncompleteText = "entry (Plinket) in registry incomplete !";
constexpr const char* kKillArgument = " kill";

// Lives as long as the library is loaded; its destructor is the unload step, run when the host
// unloads the library or its process ends.
class LibraryState {
public:
    constexpr LibraryState() = default;
    ~LibraryState();

    LibraryState(const LibraryState&) = delete;
    LibraryState& operator=(const LibraryState&) = delete;

    void storeCommandLine(const std::string& line)
    {
        const std::size_t n = std::min(line.size(), sizeof m_commandLine - 1);
        std::memcpy(m_commandLine, line.data(), n);
        m_commandLine[n] = '\0';
    }
    const char* commandLine() const { return m_commandLine; }

private:
    char m_commandLine[256] = {};
};

LibraryState::~LibraryState()
{
    if (m_commandLine[0] == '\0')
        return;
    // Tells a running organizer to end. Nobody is left to tell about a failure.
    try {
        [[maybe_unused]] const auto ignored = process::startCommandLine(std::string(m_commandLine) + kKillArgument);
    } catch (...) {
    }
}

constinit LibraryState g_state;

void showIncomplete()
{
    exchext::showMessageBox(0, kIncompleteText, kMessageCaption, MB_OK);
}

} // namespace

const char* storedCommandLine()
{
    return g_state.commandLine();
}

void runConfiguredCommand()
{
    const char* value = lookUpTivEntry(kCommandValueName);
    if (!value) {
        exchext::showMessageBox(0, kNotFoundText, kMessageCaption, MB_OK);
        return;
    }
    const std::optional<PlinketCommand> command = parsePlinketCommand(value);
    if (!command || !command->commandLine) {
        showIncomplete();
        return;
    }
    g_state.storeCommandLine(*command->commandLine);
    const char* line = g_state.commandLine();

    if (command->startsProgram()) {
        if (auto error = process::startCommandLine(line, process::StartOptions{.newSession = true}))
            ShowLastError(line, *error);
        return;
    }
    if (!command->procedure) {
        showIncomplete();
        return;
    }
    if (auto failure = process::callLibraryProcedure(line, *command->procedure)) {
        const bool loading = failure->stage == process::LibraryCallError::Stage::Load;
        ShowLastError(loading ? line : command->procedure->c_str(), failure->error);
    }
}

} // namespace torvane::plinket
