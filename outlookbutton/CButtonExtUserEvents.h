// The event object: the mail client reports selection and object changes to it, and the
// button has nothing to do on either.
#pragma once

#include "platform/exchext/ExchExt.h"

namespace torvane::plinket {

class CButtonExt;

class CButtonExtUserEvents final : public IExchExtUserEvents {
public:
    explicit CButtonExtUserEvents(CButtonExt* parent);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    void OnSelectionChange(IExchExtCallback* callback) override;
    void OnObjectChange(IExchExtCallback* callback) override;

    void setContext(ULONG context) { m_context = context; }
    ULONG references() const { return m_references; }
    // The parent went; this object now lives on alone.
    void detach() { m_parent = nullptr; }

private:
    friend class CButtonExt;
    ~CButtonExtUserEvents() = default;

    ULONG m_references = 0;
    ULONG m_context = 0;
    CButtonExt* m_parent;
};

} // namespace torvane::plinket
