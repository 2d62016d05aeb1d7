// The few things the melody editor tells the user itself, besides the error reports the main
// program shows: the sequencer's own error texts in a box, and texts in the status bar.
#pragma once

#include <string>

class UserMessages {
public:
    virtual ~UserMessages() = default;
    // A message box with the exclamation icon and OK.
    virtual void ShowExclamation(const std::string& text) = 0;
    // Pane 0 of the main frame's status bar.
    virtual void SetStatusText(const std::string& text) = 0;
};
