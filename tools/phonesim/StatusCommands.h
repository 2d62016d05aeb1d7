// What a program asks to learn the phone's status: maker and model, the SIM's PIN state and
// attempts left, PIN entry, network registration, battery and signal.
#pragma once

#include "tools/phonesim/PhoneModule.h"

namespace torvane::phonesim {

class StatusCommands : public PhoneModule {
public:
    QString key() const override { return "status"; }
    void addCommands(CommandTable& table) override;
};

} // namespace torvane::phonesim
