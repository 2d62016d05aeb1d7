// Which icon and tip the tray shows for the phone state, and the blink while an entry (the
// SIM PIN) is required: icons 138 and 140 alternate every 300 ms, beginning with 138.
#pragma once

#include <optional>

namespace corvant {

// Icon resources of the tray.
constexpr int IDI_READY = 138;
constexpr int IDI_NOT_READY = 139;
constexpr int IDI_BLINK = 140;
constexpr int IDI_NOT_CONNECTED = 141;

// Tip strings.
constexpr int IDS_TIP_READY = 61205;
constexpr int IDS_TIP_NOT_CONNECTED = 61206;
constexpr int IDS_TIP_NOT_READY = 61207;
constexpr int IDS_TIP_ENTRY_REQUIRED = 61208;

constexpr unsigned BLINK_TIMER_ID = 1224;
constexpr unsigned BLINK_PERIOD_MS = 300;

struct TrayLook {
    int icon = IDI_NOT_CONNECTED;
    int tip = IDS_TIP_NOT_CONNECTED;

    bool operator==(const TrayLook&) const = default;
};

// What a new phone state asks of the view.
struct TrayChange {
    bool startBlink = false;      // start, or restart, the blink timer
    bool stopBlink = false;       // stop the running blink timer
    std::optional<TrayLook> look; // modify the tray icon
};

class TrayIndicator {
public:
    // The look the tray icon is added with.
    static TrayLook initialLook() { return {}; }
    static TrayLook lookFor(int phoneState);

    TrayChange onPhoneState(int phoneState);
    TrayLook onBlinkTick();

    bool blinking() const { return blinking_; }
    int phoneState() const { return phoneState_; }

private:
    int phoneState_ = 0;
    bool blinking_ = false;
    // The icon of the last blink tick; none while no blink runs.
    std::optional<int> blinkIcon_;
};

} // namespace corvant
