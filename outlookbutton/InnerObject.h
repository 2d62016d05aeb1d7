// The objects the extension hands to the host beside itself share their reference counting:
// each is counted on its own, tells its parent when it goes, and lives on alone once the parent
// went before it.
#pragma once

#include "platform/exchext/ExchExt.h"

namespace torvane::plinket {

template <class Derived, class Interface, const IID& OwnIid, class Parent>
class InnerObject : public Interface {
public:
    HRESULT QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        *object = nullptr;
        if (!isEqualIid(iid, IID_IUnknown) && !isEqualIid(iid, OwnIid))
            return E_NOINTERFACE;
        *object = static_cast<Interface*>(this);
        AddRef();
        return S_OK;
    }

    ULONG AddRef() override { return ++m_references; }

    ULONG Release() override
    {
        const ULONG left = --m_references;
        if (left == 0) {
            Derived* self = static_cast<Derived*>(this);
            if (m_parent)
                m_parent->innerObjectGone(self);
            delete self;
        }
        return left;
    }

    void setContext(ULONG context) { m_context = context; }
    ULONG references() const { return m_references; }
    // The parent went; this object now lives on alone.
    void detach() { m_parent = nullptr; }

protected:
    explicit InnerObject(Parent* parent)
        : m_parent(parent)
    {
    }
    ~InnerObject() = default;

    ULONG m_references = 0;
    ULONG m_context = 0;
    Parent* m_parent;
};

} // namespace torvane::plinket
