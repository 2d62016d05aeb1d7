// The melody jobs: upload the melody record to the phone as its "mid" object in parts of 50
// bytes, and start or stop the phone's test play of it. Each answers (job code, 0 or -1).
#pragma once

#include "engine/JobStep.h"

namespace zel {

enum MelodyWriteStep : int {
    MELWRITE_NEXT_PART = 2,
    MELWRITE_WAIT_PROMPT = 3,
    MELWRITE_WAIT_OK = 4,
};

enum MelodyTestStep : int {
    MELTEST_QUERY_SENT = 2,
    MELTEST_DECIDE = 3,
    MELTEST_START_SENT = 4,
    MELTEST_STOP_SENT = 5,
};

constexpr int MELODY_PART_SIZE = 50;

void melodyWriteStep(JobStep& step);
void melodyTestStep(JobStep& step);

} // namespace zel
