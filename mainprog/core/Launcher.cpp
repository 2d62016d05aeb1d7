#include "mainprog/core/Launcher.h"

#include "mainprog/core/CorvantStrings.h"
#include "mainprog/core/SuiteSettings.h"
#include "platform/messaging/Messaging.h"
#include "platform/process/ProgramStart.h"

namespace corvant {

Launcher::Launcher(torvane::registry::AppProfile& profile, Start start)
    : profile_(profile)
    , start_(std::move(start))
{
    if (!start_)
        start_ = [](const std::string& line) { return !torvane::process::startCommandLine(line).has_value(); };
}

void Launcher::runAppointments()
{
    start_(profile_.GetProfileString(section::Settings, value::TerminPrg, ""));
}

void Launcher::runPhonebook()
{
    start_(PHONEBOOK_PROGRAM);
}

void Launcher::runRingtone()
{
    start_(RINGTONE_PROGRAM);
}

std::vector<HWND> Launcher::runExitSequence()
{
    start_(profile_.GetProfileString(section::Settings, value::TerminPrgTrm, ""));
    std::vector<HWND> closed;
    for (const std::string& title :
         {loadString(IDS_PHONEBOOK_TITLE), std::string(PHONEBOOK_EDITOR_TITLE), loadString(IDS_RINGTONE_TITLE)})
        if (const HWND window = closeFirstWindowTitled(title))
            closed.push_back(window);
    return closed;
}

HWND closeFirstWindowTitled(const std::string& prefix)
{
    const HWND window = FindWindowByTitlePrefix(prefix.c_str(), EDITOR_TITLE_BUFFER);
    return window != 0 && PostMessage(window, WM_CLOSE, 0, 0) ? window : 0;
}

} // namespace corvant
