// The extension object the mail client gets from the entry point. It hands out the command
// and event objects, each of which then lives on its own reference count.
#pragma once

#include "platform/exchext/ExchExt.h"

namespace torvane::plinket {

class CButtonExtCommands;
class CButtonExtUserEvents;

class CButtonExt final : public IExchExt {
public:
    // A new extension object with one reference, or null when memory can't be had.
    static CButtonExt* create();

    HRESULT QueryInterface(REFIID iid, void** object) override;
    ULONG AddRef() override;
    ULONG Release() override;
    HRESULT Install(IExchExtCallback* callback, ULONG context, ULONG flags) override;

    // An inner object freed itself; a later QueryInterface makes a new one.
    void innerObjectGone(const CButtonExtCommands* commands);
    void innerObjectGone(const CButtonExtUserEvents* userEvents);

private:
    CButtonExt() = default;
    ~CButtonExt();

    ULONG m_references = 1;
    ULONG m_context = 0;
    CButtonExtCommands* m_commands = nullptr;
    CButtonExtUserEvents* m_userEvents = nullptr;
};

} // namespace torvane::plinket
