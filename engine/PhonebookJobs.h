// The phonebook jobs: read one storage into the PBResult entry area, and write or erase one
// entry. Each answers (job code, result).
#pragma once

#include "engine/JobStep.h"

namespace zel {

enum PhonebookReadStep : int {
    PBREAD_SELECT_SENT = 2,
    PBREAD_RANGE_SENT = 3,
    PBREAD_RANGE_OK = 4,
    PBREAD_READING = 5,
};

enum PhonebookWriteStep : int {
    PBWRITE_SELECT_SENT = 2,
    PBWRITE_WRITE_SENT = 3,
};

// Number types of GSM 04.08: international (the number begins with "+") and unknown.
constexpr int NUMBER_TYPE_INTERNATIONAL = 145;
constexpr int NUMBER_TYPE_UNKNOWN = 129;

int numberTypeOf(const char* number);

void phonebookReadStep(JobStep& step);
void phonebookReadExpire(JobStep& step);

void phonebookWriteStep(JobStep& step);

} // namespace zel
