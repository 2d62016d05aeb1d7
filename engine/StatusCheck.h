// The phone status check: is a phone attached and answering, is it one of ours, is its SIM
// unlocked (sending the stored SIM PIN when the SIM asks for it with every attempt left), and is
// it registered in a network. Its state lives in EngineLocal; it answers (PhoneStatus, result).
#pragma once

#include "engine/JobStep.h"

namespace zel {

void statusCheckStep(JobStep& step);
void statusCheckExpire(JobStep& step);

} // namespace zel
