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

void Launcher::runExitSequence()
{
    start_(profile_.GetProfileString(section::Settings, value::TerminPrgTrm, ""));
    closeFirstWindowTitled(loadString(IDS_PHONEBOOK_TITLE));
    closeFirstWindowTitled(PHONEBOOK_EDITOR_TITLE);
    closeFirstWindowTitled(loadString(IDS_RINGTONE_TITLE));
}

bool closeFirstWindowTitled(const std::string& prefix)
{
    const HWND window = FindWindowByTitlePrefix(prefix.c_str(), EDITOR_TITLE_BUFFER);
    return window != 0 && PostMessage(window, WM_CLOSE, 0, 0);
}

} // namespace corvant
