// A feature of the simulated phone: its commands and the state they keep (an SMS store, the
// phonebooks, ...). The state is one object in the phone's JSON file, under key().
#pragma once

#include "tools/phonesim/CommandTable.h"

#include <QJsonObject>
#include <QString>

namespace torvane::phonesim {

class PhoneModule {
public:
    virtual ~PhoneModule() = default;

    virtual QString key() const = 0;
    virtual void addCommands(CommandTable& table) = 0;

    // An error text for a malformed object (the module then keeps what it had), else empty.
    virtual QString loadState(const QJsonObject& json)
    {
        Q_UNUSED(json);
        return {};
    }
    virtual QJsonObject saveState() const { return {}; }
};

} // namespace torvane::phonesim
