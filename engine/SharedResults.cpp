#include "engine/SharedResults.h"

#include <cstdint>

namespace zel {

ZelOffset sharedOffset(const EngineShared& shared, const void* target)
{
    if (!target)
        return 0;
    const auto base = reinterpret_cast<std::uintptr_t>(&shared);
    const auto at = reinterpret_cast<std::uintptr_t>(target);
    if (at <= base || at >= base + sizeof(EngineShared))
        return 0;
    return ZelOffset(at - base);
}

void* sharedAddress(EngineShared& shared, ZelOffset offset)
{
    // An offset that does not lie inside the section (a foreign or damaged value) is no result.
    if (offset == 0 || offset >= sizeof(EngineShared))
        return nullptr;
    return reinterpret_cast<unsigned char*>(&shared) + offset;
}

PBResult* phonebookResult(EngineShared& shared, PBResult& out)
{
    const PBResultShared& in = shared.pbResult;
    auto* entries = static_cast<unsigned char*>(sharedAddress(shared, in.entries));
    if (!entries)
        return nullptr;
    out.count = in.count;
    out.textLength = in.textLength;
    out.numberLength = in.numberLength;
    out.entries = entries;
    out.highestIndex = in.highestIndex;
    return &out;
}

SMResult* smsResult(EngineShared& shared, SMResult& out)
{
    const SMResultShared& in = shared.smResult;
    auto* text = static_cast<char*>(sharedAddress(shared, in.text));
    if (!text)
        return nullptr;
    out.sender = static_cast<char*>(sharedAddress(shared, in.sender));
    out.text = text;
    out.textLength = in.textLength;
    out.timeStamp = in.timeStamp;
    out.reference = in.reference;
    out.sequence = in.sequence;
    out.total = in.total;
    return &out;
}

FwdResult* forwardResult(EngineShared& shared, FwdResult& out)
{
    const FwdResultShared& in = shared.fwdResult;
    if (!sharedAddress(shared, in.entry[0].number))
        return nullptr;
    for (int i = 0; i < 3; ++i) {
        out.entry[i].status = in.entry[i].status;
        out.entry[i].number = static_cast<char*>(sharedAddress(shared, in.entry[i].number));
        out.entry[i].time = in.entry[i].time;
    }
    return &out;
}

} // namespace zel
