#include "mainprog/core/TrayIndicator.h"

#include "engine/zeldll.h"

namespace corvant {

TrayLook TrayIndicator::lookFor(int phoneState)
{
    switch (phoneState) {
    case PHONESTATE_NOT_READY: return {IDI_NOT_READY, IDS_TIP_NOT_READY};
    case PHONESTATE_READY: return {IDI_READY, IDS_TIP_READY};
    default: return {IDI_NOT_CONNECTED, IDS_TIP_NOT_CONNECTED};
    }
}

TrayChange TrayIndicator::onPhoneState(int phoneState)
{
    phoneState_ = phoneState;
    TrayChange change;
    if (phoneState == PHONESTATE_ENTRY_REQUIRED) {
        blinking_ = true;
        change.startBlink = true;
        return change;
    }
    if (blinking_) {
        blinking_ = false;
        blinkIcon_.reset();
        change.stopBlink = true;
    }
    change.look = lookFor(phoneState);
    return change;
}

TrayLook TrayIndicator::onBlinkTick()
{
    blinkIcon_ = blinkIcon_ == IDI_READY ? IDI_BLINK : IDI_READY;
    return {*blinkIcon_, IDS_TIP_ENTRY_REQUIRED};
}

} // namespace corvant
