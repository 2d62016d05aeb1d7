// The SMS jobs: read the first received unread message the phone lists, delete the message just
// read, and send (or store) one SMS part built as a PDU. Each answers (job code, result).
#pragma once

#include "engine/JobStep.h"

namespace zel {

enum SmsReadStep : int {
    SMREAD_LIST_SENT = 2,
    SMREAD_WAIT_PDU = 3,
    SMREAD_WAIT_OK = 4,
};

enum SmsDeleteStep : int {
    SMDEL_DELETE_SENT = 2,
};

enum SmsSendStep : int {
    SMSEND_WAIT_PROMPT = 2,
    SMSEND_WAIT_ECHO = 3,
    SMSEND_WAIT_OK = 4,
};

// The send job's modes: what the SMS manager uses (send, store on the SIM) and the others.
constexpr int SMS_MODE_SEND = -1;
constexpr int SMS_MODE_COMMAND = -2;
constexpr int SMS_MODE_TOOLKIT = -3;
constexpr int SMS_MODE_SEND_OTHER_PID = -4;

void smsReadStep(JobStep& step);

void smsDeleteStep(JobStep& step);
void smsDeleteExpire(JobStep& step);

void smsSendStep(JobStep& step);
void smsSendExpire(JobStep& step);

} // namespace zel
