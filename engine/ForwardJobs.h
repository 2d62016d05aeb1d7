// The call forwarding jobs: query one reason for voice, data and fax into FwdResult, and set one
// reason (register, erase, ...) for the given classes. Each answers (job code, 0 or -1).
#pragma once

#include "engine/JobStep.h"

namespace zel {

enum ForwardQueryStep : int {
    FWDREAD_QUERY_SENT = 2,
};

enum ForwardSetStep : int {
    FWDWRITE_SET_SENT = 2,
};

// Forwarding reasons and modes of the phone's forwarding command.
constexpr int FORWARD_NO_REPLY = 2;
constexpr int FORWARD_MODE_ENABLE = 1;
constexpr int FORWARD_MODE_REGISTER = 3;

void forwardQueryStep(JobStep& step);
void forwardSetStep(JobStep& step);

} // namespace zel
