// The barring jobs: query which classes a facility lock bars, and lock or unlock classes with
// the barring password. The query answers with its class mask, the set with 0, -1 or -3.
#pragma once

#include "engine/JobStep.h"

namespace zel {

enum LockQueryStep : int {
    LOCKGET_QUERY_SENT = 2,
};

enum LockSetStep : int {
    LOCKSET_CMEE_SENT = 2,
    LOCKSET_SET_SENT = 3,
};

// Classes of calls: voice, data, fax.
constexpr int CLASS_VOICE = 1;
constexpr int CLASS_DATA = 2;
constexpr int CLASS_FAX = 4;
constexpr int CLASS_ALL = CLASS_VOICE | CLASS_DATA | CLASS_FAX;

void lockQueryStep(JobStep& step);
void lockSetStep(JobStep& step);

} // namespace zel
