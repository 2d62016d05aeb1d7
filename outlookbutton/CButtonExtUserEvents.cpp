#include "outlookbutton/CButtonExtUserEvents.h"

#include "outlookbutton/CButtonExt.h"

namespace torvane::plinket {

CButtonExtUserEvents::CButtonExtUserEvents(CButtonExt* parent)
    : InnerObject(parent)
{
}

void CButtonExtUserEvents::OnSelectionChange(IExchExtCallback*)
{
}

void CButtonExtUserEvents::OnObjectChange(IExchExtCallback*)
{
}

} // namespace torvane::plinket
