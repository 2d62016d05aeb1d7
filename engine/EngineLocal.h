// The engine's data that belongs to one process: the status check, the jobs' scratch values, the
// deadlines and the cycle's re-entry guard. Only the process that pumps the engine uses it for
// jobs, which is why ZelDllCycle and ATStatusCheck belong to the owner process.
#pragma once

#include "engine/JobKind.h"
#include "engine/codec/SmsPdu.h"

#include <cstdint>

namespace zel {

// Steps of the status check (the state machine leaves the numbers between unused).
enum StatusStep : int {
    STATUS_IDLE = 0,
    STATUS_START = 1,
    STATUS_WAIT_QUIET = 2,
    STATUS_WAIT_ECHO_OK = 3,
    STATUS_WAIT_MAKER = 4,
    STATUS_WAIT_PIN_STATE = 5,
    STATUS_WAIT_CREG = 6,
    STATUS_WAIT_CBC = 7,
    STATUS_WAIT_CSQ = 8,
    STATUS_SEND_ABORT = 12,
    STATUS_WAIT_AFTER_ABORT = 13,
    STATUS_SEND_ESCAPE = 14,
    STATUS_WAIT_AFTER_ESCAPE = 15,
    STATUS_WAIT_PIN_COUNT = 22,
    STATUS_WAIT_PIN_ACCEPT = 23,
};

struct StatusCheckLocal {
    int state = STATUS_IDLE;
    int status = PHONE_NONE; // the PhoneStatus being built
    int restarts = 0;        // fresh starts after the abort or escape text, this check
    bool simPinAsked = false; // the phone asked for the SIM PIN itself, not another code
    bool pinSent = false;     // this check has sent the stored PIN once
};

// What the phonebook read has learnt of the storage and where its next entry goes.
struct PhonebookReadLocal {
    int highestIndex = 0; // from the range answer, stored in the result once the listing starts
    int numberLength = 0;
    int textLength = 0;
    int cursor = 0; // offset in the entry area of the next PBEntry
};

constexpr int kTracedUndecodable = 16;

struct SmsReadLocal {
    int status = 0;     // of the message listed
    int pduLength = 0;  // octets after the service-centre part, as the listing gives them
    // Fingerprints of the unreadable messages traced already (the most recent ones).
    std::uint32_t traced[kTracedUndecodable] = {};
    int tracedCount = 0;
    int tracedNext = 0;
};

struct SmsSendLocal {
    SmsPduBuffer pdu = {}; // hex, Ctrl-Z, zero byte
    int octets = 0;        // of the whole PDU, service-centre part included
    int smscOctets = 0;
};

struct MelodyLocal {
    int bytesLeft = 0;
    int nextByte = 0; // offset in the melody record's data
    int part = 0;     // the part announced next (from 1)
    int parts = 0;
    bool playing = false; // the phone's last word on its test play, kept from one test to the next
};

struct EngineLocal {
    StatusCheckLocal statusCheck;
    PhonebookReadLocal phonebookRead;
    SmsReadLocal smsRead;
    SmsSendLocal smsSend;
    int lockQueryMask = 0;
    MelodyLocal melody;
    std::uint32_t deadline[kJobKindCount] = {};
    int cycleDepth = 0;
};

} // namespace zel
