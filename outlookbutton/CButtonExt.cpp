#include "outlookbutton/CButtonExt.h"

#include "outlookbutton/CButtonExtCommands.h"
#include "outlookbutton/CButtonExtUserEvents.h"

#include <new>

namespace torvane::plinket {

namespace {

// The host's build version carries its major version in the upper 16 bits.
constexpr ULONG kSupportedMajorVersion = 0x000D;

} // namespace

CButtonExt* CButtonExt::create()
{
    auto* extension = new (std::nothrow) CButtonExt;
    if (!extension)
        return nullptr;
    extension->m_commands = new (std::nothrow) CButtonExtCommands(extension);
    extension->m_userEvents = new (std::nothrow) CButtonExtUserEvents(extension);
    if (!extension->m_commands || !extension->m_userEvents) {
        delete extension;
        return nullptr;
    }
    return extension;
}

CButtonExt::~CButtonExt()
{
    // Objects never handed out (count 0) are ours to free; those the host still holds go on alone.
    if (m_commands) {
        if (m_commands->references() == 0)
            delete m_commands;
        else
            m_commands->detach();
    }
    if (m_userEvents) {
        if (m_userEvents->references() == 0)
            delete m_userEvents;
        else
            m_userEvents->detach();
    }
}

HRESULT CButtonExt::QueryInterface(REFIID iid, void** object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    IUnknown* handedOut = nullptr;
    if (isEqualIid(iid, IID_IUnknown) || isEqualIid(iid, IID_IExchExt)) {
        handedOut = static_cast<IExchExt*>(this);
    } else if (isEqualIid(iid, IID_IExchExtCommands)) {
        if (!m_commands && !(m_commands = new (std::nothrow) CButtonExtCommands(this)))
            return E_OUTOFMEMORY;
        m_commands->setContext(m_context);
        handedOut = static_cast<IExchExtCommands*>(m_commands);
    } else if (isEqualIid(iid, IID_IExchExtUserEvents)) {
        if (!m_userEvents && !(m_userEvents = new (std::nothrow) CButtonExtUserEvents(this)))
            return E_OUTOFMEMORY;
        m_userEvents->setContext(m_context);
        handedOut = static_cast<IExchExtUserEvents*>(m_userEvents);
    } else {
        return E_NOINTERFACE;
    }
    handedOut->AddRef();
    *object = handedOut;
    return S_OK;
}

ULONG CButtonExt::AddRef()
{
    return ++m_references;
}

ULONG CButtonExt::Release()
{
    const ULONG left = --m_references;
    if (left == 0)
        delete this;
    return left;
}

HRESULT CButtonExt::Install(IExchExtCallback* callback, ULONG context, ULONG)
{
    m_context = context;
    ULONG version = 0;
    if (!callback || callback->GetVersion(&version, EECBGV_GETBUILDVERSION) != S_OK)
        return S_FALSE;
    if ((version >> 16) != kSupportedMajorVersion)
        return S_FALSE;
    return context == EECONTEXT_VIEWER || context == EECONTEXT_SEARCHVIEWER ? S_OK : S_FALSE;
}

void CButtonExt::innerObjectGone(const CButtonExtCommands* commands)
{
    if (commands == m_commands)
        m_commands = nullptr;
}

void CButtonExt::innerObjectGone(const CButtonExtUserEvents* userEvents)
{
    if (userEvents == m_userEvents)
        m_userEvents = nullptr;
}

} // namespace torvane::plinket
