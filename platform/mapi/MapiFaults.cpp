#include "platform/mapi/MapiFaults.h"

namespace torvane::mapi {

void Faults::failOn(Call kind, HRESULT result, int nth, int times)
{
    Rule& rule = rules_[index(kind)];
    rule.result = result;
    rule.skip = nth > 1 ? nth - 1 : 0;
    rule.times = times > 0 ? times : 0;
}

void Faults::clear()
{
    rules_ = {};
}

HRESULT Faults::enter(Call kind)
{
    ++counts_[index(kind)];
    Rule& rule = rules_[index(kind)];
    if (rule.times == 0)
        return S_OK;
    if (rule.skip > 0) {
        --rule.skip;
        return S_OK;
    }
    --rule.times;
    return rule.result;
}

} // namespace torvane::mapi
