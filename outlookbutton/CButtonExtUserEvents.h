// The event object: the mail client reports selection and object changes to it, and the
// button has nothing to do on either.
#pragma once

#include "outlookbutton/InnerObject.h"

namespace torvane::plinket {

class CButtonExt;

class CButtonExtUserEvents final
    : public InnerObject<CButtonExtUserEvents, IExchExtUserEvents, IID_IExchExtUserEvents, CButtonExt> {
public:
    explicit CButtonExtUserEvents(CButtonExt* parent);

    void OnSelectionChange(IExchExtCallback* callback) override;
    void OnObjectChange(IExchExtCallback* callback) override;

private:
    friend class CButtonExt;
    friend class InnerObject;
    ~CButtonExtUserEvents() = default;
};

} // namespace torvane::plinket
