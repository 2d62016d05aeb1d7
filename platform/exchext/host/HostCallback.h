// The host's callback object: answers an extension's questions about the host's version and
// about where the host's own commands sit in its menus.
#pragma once

#include "platform/exchext/ExchExt.h"

#include <map>

namespace torvane::exchext {

class HostCallback final : public IExchExtCallback {
public:
    explicit HostCallback(ULONG buildVersion);

    // The host's command `commandId` is the item at `position` of `menu`.
    void addHostCommand(ULONG commandId, HMENU menu, ULONG position);

    HRESULT QueryInterface(REFIID iid, void** object) override;
    // The host owns this object; the count is kept for the extension's sake only.
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT GetVersion(ULONG* version, ULONG flags) override;
    HRESULT GetMenuPos(ULONG commandId, HMENU* menu, ULONG* posMin, ULONG* posMax, ULONG flags) override;

    ULONG references() const { return m_references; }

private:
    struct Place {
        HMENU menu = nullptr;
        ULONG position = 0;
    };

    ULONG m_references = 1;
    ULONG m_buildVersion;
    std::map<ULONG, Place> m_commands;
};

} // namespace torvane::exchext
