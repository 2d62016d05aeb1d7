// Results that point into the shared section. The section holds offsets from its own start
// (0 = null) because it lies at a different address in every process; the Get exports hand each
// caller a copy of the result head whose pointers lead into that caller's own view.
#pragma once

#include "engine/zeldll.h"

namespace zel {

// The offset of `target` (inside `shared`) from the section's start; 0 for null.
ZelOffset sharedOffset(const EngineShared& shared, const void* target);

// The address of `offset` in this view of the section; null for 0 or an offset outside it.
void* sharedAddress(EngineShared& shared, ZelOffset offset);

// Fill `out` from the shared result and return it, or null while the result is not valid.
PBResult* phonebookResult(EngineShared& shared, PBResult& out);
SMResult* smsResult(EngineShared& shared, SMResult& out);
FwdResult* forwardResult(EngineShared& shared, FwdResult& out);

} // namespace zel
