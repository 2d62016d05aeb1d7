#include "outlookbutton/CButtonExtUserEvents.h"

#include "outlookbutton/CButtonExt.h"

namespace torvane::plinket {

CButtonExtUserEvents::CButtonExtUserEvents(CButtonExt* parent)
    : m_parent(parent)
{
}

HRESULT CButtonExtUserEvents::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (!isEqualIid(iid, IID_IUnknown) && !isEqualIid(iid, IID_IExchExtUserEvents))
        return E_NOINTERFACE;
    *object = static_cast<IExchExtUserEvents*>(this);
    AddRef();
    return S_OK;
}

ULONG CButtonExtUserEvents::AddRef()
{
    return ++m_references;
}

ULONG CButtonExtUserEvents::Release()
{
    const ULONG left = --m_references;
    if (left == 0) {
        if (m_parent)
            m_parent->innerObjectGone(this);
        delete this;
    }
    return left;
}

void CButtonExtUserEvents::OnSelectionChange(IExchExtCallback*)
{
}

void CButtonExtUserEvents::OnObjectChange(IExchExtCallback*)
{
}

} // namespace torvane::plinket
