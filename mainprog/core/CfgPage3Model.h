// The connection page of the settings sheet without its widgets: the port the host opens.
#pragma once

#include "platform/registry/AppProfile.h"

#include <array>
#include <string>

namespace corvant {

// The ports the combo offers; any other name (a device path) can be typed.
constexpr std::array<const char*, 4> kPortChoices {"COM1", "COM2", "COM3", "COM4"};

class CfgPage3Model {
public:
    explicit CfgPage3Model(torvane::registry::AppProfile& profile) : profile_(profile) {}

    std::string load() const;
    // The host reads the port again at its next opening, so a new port takes effect then.
    void apply(const std::string& port);

private:
    torvane::registry::AppProfile& profile_;
};

} // namespace corvant
