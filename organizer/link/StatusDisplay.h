// The organizer's status window as the long operations see it: started over the main window,
// given a line of text, asked between steps whether to go on, and closed. The window layer
// installs the real window; without one the operations run as under a silent window.
#pragma once

#include <QString>

namespace tessaro {

class StatusDisplay {
public:
    virtual ~StatusDisplay() = default;
    // Shows the window over the main window; a silent start shows nothing.
    virtual void Start(const QString& caption, bool silent) = 0;
    // Lets pending window events run, then shows the text.
    virtual void SetText(const QString& text) = 0;
    // Lets pending window events run; false when the user cancelled and confirmed it.
    virtual bool GetState() = 0;
    virtual void Quit() = 0;
};

// Installs the window (not owned) and returns the previous one.
StatusDisplay* setStatusDisplay(StatusDisplay* display);

// The installed window, or a silent one that lets events run and always goes on.
StatusDisplay& StatusWindow();

} // namespace tessaro
