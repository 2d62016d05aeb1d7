#include "organizer/mainwindow/CommandWindows.h"

namespace tessaro {

namespace {

class NoWindows : public CommandWindows {
public:
    void MobileEntryFormShow() override {}
    void ShowAbout() override {}
    void ShowComEigenschaften() override {}
    void ShowLanguage() override {}
    void ShowHelpContents() override {}
    void UnloadMainWindow() override {}
    void PhoneTestWindow(bool) override {}
};

CommandWindows*& installed()
{
    static CommandWindows* windows = nullptr;
    return windows;
}

} // namespace

CommandWindows* setCommandWindows(CommandWindows* windows)
{
    CommandWindows* old = installed();
    installed() = windows;
    return old;
}

CommandWindows& Windows()
{
    static NoWindows none;
    return installed() ? *installed() : none;
}

} // namespace tessaro
