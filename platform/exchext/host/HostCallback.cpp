#include "platform/exchext/host/HostCallback.h"

namespace torvane::exchext {

HostCallback::HostCallback(ULONG buildVersion)
    : m_buildVersion(buildVersion)
{
}

void HostCallback::addHostCommand(ULONG commandId, HMENU menu, ULONG position)
{
    m_commands[commandId] = Place{menu, position};
}

HRESULT HostCallback::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!isEqualIid(iid, IID_IUnknown))
        return E_NOINTERFACE;
    *object = static_cast<IUnknown*>(this);
    AddRef();
    return S_OK;
}

ULONG HostCallback::AddRef()
{
    return ++m_references;
}

ULONG HostCallback::Release()
{
    return m_references > 0 ? --m_references : 0;
}

HRESULT HostCallback::GetVersion(ULONG* version, ULONG flags)
{
    if (!version || flags != EECBGV_GETBUILDVERSION)
        return E_INVALIDARG;
    *version = m_buildVersion;
    return S_OK;
}

HRESULT HostCallback::GetMenuPos(ULONG commandId, HMENU* menu, ULONG* posMin, ULONG* posMax, ULONG)
{
    if (!menu)
        return E_INVALIDARG;
    *menu = nullptr;
    const auto found = m_commands.find(commandId);
    if (found == m_commands.end())
        return E_INVALIDARG;
    *menu = found->second.menu;
    if (posMin)
        *posMin = found->second.position;
    if (posMax)
        *posMax = found->second.position;
    return S_OK;
}

} // namespace torvane::exchext
