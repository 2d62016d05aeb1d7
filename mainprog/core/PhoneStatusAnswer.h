// What the engine host does with the answer of a status check: it shows the PhoneStatus,
// broadcasts the phone state to the registered status windows and asks for the SIM PIN when the
// phone wants it and none is stored.
#pragma once

#include "mainprog/core/EngineApi.h"

#include <string_view>

namespace corvant {

// The PhoneState broadcast for a PhoneStatus.
int phoneStateFor(int phoneStatus);

// Characters of a typed PIN that are stored in ZelSimPin at most.
constexpr std::size_t PIN_MAX_CHARS = 9;

// ZelSimPin emptied, and filled with at most PIN_MAX_CHARS characters of what was typed.
void clearSimPin(char* simPin);
void storeSimPin(char* simPin, std::string_view typed);

// The host's windows as the answer needs them.
class StatusAnswerUi {
public:
    virtual ~StatusAnswerUi() = default;
    virtual void showPhoneStatus(int phoneStatus) = 0;
    // The message box with string 1 (the PIN was rejected).
    virtual void showPinRejected() = 0;
    // The PIN dialog, modal: it empties ZelSimPin, and OK stores the typed PIN in it.
    virtual void runPinDialog() = 0;
};

class PhoneStatusAnswer {
public:
    PhoneStatusAnswer(EngineApi& engine, StatusAnswerUi& ui);

    // The handler of WM_STATUS_CHECK_DONE (wParam PhoneStatus, lParam result).
    void OnStatusCheckDone(int phoneStatus, int result);

    // While the PIN dialog runs, answers that arrive (the polling goes on) open no second one.
    bool pinDialogOpen() const { return pinDialogOpen_; }

private:
    EngineApi& engine_;
    StatusAnswerUi& ui_;
    bool pinDialogOpen_ = false;
};

} // namespace corvant
