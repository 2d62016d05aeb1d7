// The phonebook page of the settings sheet without its widgets: the seven directories the
// phonebook editor offers (a bit each), its automatic loading and its preview row.
#pragma once

#include "platform/registry/AppProfile.h"

#include <array>

namespace corvant {

constexpr int PHONEBOOK_DIRECTORIES = 7;
// The check box of each bit of the mask: SIM, phone memory, last dialled, own numbers, fixed
// dialling, missed calls, call back.
constexpr std::array<int, PHONEBOOK_DIRECTORIES> kDirectoryChecks {1001, 1002, 1003, 1005, 1006, 1007, 1008};
constexpr int CHECK_AUTOLOAD = 1009;
constexpr int CHECK_SHOW_CORRECTION = 1010;

struct CfgPage2Values {
    std::array<bool, PHONEBOOK_DIRECTORIES> directories {};
    bool autoload = false;
    bool showCorrection = true;

    bool operator==(const CfgPage2Values&) const = default;
};

int directoryMask(const std::array<bool, PHONEBOOK_DIRECTORIES>& directories);

class CfgPage2Model {
public:
    explicit CfgPage2Model(torvane::registry::AppProfile& profile) : profile_(profile) {}

    CfgPage2Values load() const;
    void apply(const CfgPage2Values& values);

private:
    torvane::registry::AppProfile& profile_;
};

} // namespace corvant
