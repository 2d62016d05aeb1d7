#include "mainprog/core/PhoneStatusAnswer.h"

#include "engine/zeldll.h"

#include <algorithm>
#include <cstring>

namespace corvant {

int phoneStateFor(int phoneStatus)
{
    switch (phoneStatus) {
    case PHONE_NONE: return PHONESTATE_NOT_CONNECTED;
    case PHONE_REGISTERED: return PHONESTATE_READY;
    case PHONE_PIN_AUTO:
    case PHONE_PIN_NEEDED: return PHONESTATE_ENTRY_REQUIRED;
    default: return PHONESTATE_NOT_READY;
    }
}

void clearSimPin(char* simPin)
{
    std::memset(simPin, 0, ZEL_SIM_PIN_SIZE);
}

void storeSimPin(char* simPin, std::string_view typed)
{
    clearSimPin(simPin);
    const std::size_t n = std::min(typed.size(), PIN_MAX_CHARS);
    std::memcpy(simPin, typed.data(), n);
}

PhoneStatusAnswer::PhoneStatusAnswer(EngineApi& engine, StatusAnswerUi& ui)
    : engine_(engine)
    , ui_(ui)
{
}

void PhoneStatusAnswer::OnStatusCheckDone(int phoneStatus, int result)
{
    ui_.showPhoneStatus(phoneStatus);
    engine_.ZelMeldeModule(1, phoneStateFor(phoneStatus));
    if (phoneStatus != PHONE_PIN_AUTO && phoneStatus != PHONE_PIN_NEEDED)
        return;
    if (result == RESULT_PIN_REJECTED) {
        ui_.showPinRejected();
        return;
    }
    if (phoneStatus == PHONE_PIN_AUTO && engine_.simPin()[0] == 0 && !pinDialogOpen_) {
        pinDialogOpen_ = true;
        ui_.runPinDialog();
        pinDialogOpen_ = false;
    }
}

} // namespace corvant
