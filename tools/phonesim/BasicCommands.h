// The line settings every modem takes: echo (E), quiet (Q), verbose (V), reset (Z, &F) and
// the form of error reports (+CMEE).
#pragma once

#include "tools/phonesim/PhoneModule.h"

namespace torvane::phonesim {

class BasicCommands : public PhoneModule {
public:
    QString key() const override { return "basic"; }
    void addCommands(CommandTable& table) override;
};

} // namespace torvane::phonesim
