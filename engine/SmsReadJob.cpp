// SMS read and delete. The read lists the received unread messages, takes the first listed and
// leaves its index for the delete, which the main program requests once it has the message.
#include "engine/SmsJobs.h"

#include "engine/LineFields.h"
#include "engine/SharedResults.h"
#include "engine/SmsTimeStamp.h"
#include "engine/codec/PduAddress.h"
#include "engine/codec/PduHex.h"
#include "engine/codec/SmsPdu.h"

#include <cstring>

namespace zel {

namespace {

constexpr std::uint32_t kReadMs = 5000;
constexpr std::uint32_t kDeleteMs = 10000;
constexpr char kCtrlZ[] = "\x1a";

// "^SMGL: <index>,<status>,,<length>": the listing line of one message.
bool readListLine(const char* rest, int& index, int& status, int& length)
{
    const char* p = readNumber(rest, index);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, status);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, length);
    return p != nullptr;
}

// A PDU line: hex digits only, led by a service-centre part of the length its first octet gives.
// Returns the hex characters of that part, or -1 for any other line.
int pduLineServiceCentre(const char* line, int lineLength)
{
    for (int i = 0; i < lineLength; ++i)
        if (hexDigitValue(line[i]) < 0)
            return -1;
    const int serviceCentre = serviceCentrePartLength(line, lineLength);
    return serviceCentre < lineLength ? serviceCentre : -1;
}

// A listing line: its index and PDU length are kept, and the PDU line is awaited.
bool onListLine(JobStep& step)
{
    const char* rest = step.lineAfter("^SMGL:");
    int index = 0;
    int status = 0;
    int length = 0;
    if (!rest || !readListLine(rest, index, status, length))
        return false;
    step.shared().smRead.messageIndex = index;
    step.local().smsRead.status = status;
    step.local().smsRead.pduLength = length;
    step.setState(SMREAD_WAIT_PDU);
    return true;
}

// The phone lists an unreadable message again at every poll; it is traced the first time only.
void traceUndecodableOnce(JobStep& step, const char* line, int lineLength)
{
    SmsReadLocal& local = step.local().smsRead;
    const int index = step.shared().smRead.messageIndex;
    std::uint32_t print = 2166136261u; // FNV-1a of the index and the PDU line
    auto mix = [&print](unsigned char c) { print = (print ^ c) * 16777619u; };
    for (int shift = 0; shift < 32; shift += 8)
        mix(static_cast<unsigned char>(unsigned(index) >> shift));
    for (int i = 0; i < lineLength; ++i)
        mix(static_cast<unsigned char>(line[i]));
    for (int i = 0; i < local.tracedCount; ++i)
        if (local.traced[i] == print)
            return;
    const int slot = local.tracedCount < kTracedUndecodable ? local.tracedCount++ : local.tracedNext;
    local.traced[slot] = print;
    local.tracedNext = (slot + 1) % kTracedUndecodable;
    step.trace("SMS %d on the phone cannot be decoded and stays there; the read goes on with the next", index);
}

void onPduLine(JobStep& step)
{
    const char* line = step.line();
    const int lineLength = int(std::strlen(line));
    const int serviceCentre = pduLineServiceCentre(line, lineLength);
    if (serviceCentre < 0)
        return;

    EngineShared& shared = step.shared();
    SMReadJob& job = shared.smRead;
    SMResultShared& result = shared.smResult;
    // The listing's length counts the octets after the service-centre part; the decode reads no
    // further than the line that came, however long the listing said the PDU was.
    const int claimed = 2 * step.local().smsRead.pduLength;
    const int received = lineLength - serviceCentre;
    const int hexLength = claimed < received ? claimed : received;
    const char* stamp = nullptr;
    int textLength = 0;
    int reference = 0;
    int total = 1;
    int sequence = 1;
    const bool decoded = SmsPduDecode(line + serviceCentre, hexLength, job.text, textLength, job.sender, stamp,
                                      reference, total, sequence);
    if (!decoded) {
        // The message stays on the phone for the user (the main program deletes only what it
        // got), and the listing goes on to the next one: listing marks nothing read, so a
        // message taken as unreadable would otherwise stand in front of every later one.
        traceUndecodableOnce(step, line, lineLength);
        job.messageIndex = 0;
        step.setState(SMREAD_LIST_SENT);
        return;
    }
    job.textLength = textLength;
    result.textLength = textLength;
    result.timeStamp = smsTimeStamp(stamp);
    result.reference = reference;
    result.total = total;
    result.sequence = sequence;
    step.setState(SMREAD_WAIT_OK);
    step.arm(kReadMs);
}

} // namespace

void smsReadStep(JobStep& step)
{
    EngineShared& shared = step.shared();
    switch (step.state()) {
    case JOB_PENDING:
        shared.smResult.sender = 0;
        shared.smResult.text = 0;
        shared.smRead.messageIndex = 0;
        step.send("AT^SMGL=0");
        step.setState(SMREAD_LIST_SENT);
        step.arm(kReadMs);
        break;

    case SMREAD_LIST_SENT:
        if (!step.hasLine())
            break;
        step.arm(kReadMs);
        if (step.lineIs("OK"))
            step.finish(RESULT_NO_MESSAGE);
        else
            onListLine(step);
        break;

    case SMREAD_WAIT_PDU:
        // A listing line whose PDU line never came is followed by the next message's: the PDU
        // that comes belongs to the last listing line, and its index is the one to delete.
        if (step.hasLine() && !onListLine(step))
            onPduLine(step);
        break;

    case SMREAD_WAIT_OK:
        if (!step.hasLine())
            break;
        if (step.lineIs("OK")) {
            SMResultShared& result = shared.smResult;
            result.sender = sharedOffset(shared, shared.smRead.sender);
            result.text = sharedOffset(shared, shared.smRead.text);
            result.textLength = shared.smRead.textLength;
            step.finish(RESULT_OK);
        } else {
            step.arm(kReadMs); // further messages listed
        }
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

void smsDeleteStep(JobStep& step)
{
    switch (step.state()) {
    case JOB_PENDING:
        step.sendFormat("AT+CMGD=%d", step.shared().smRead.messageIndex);
        step.setState(SMDEL_DELETE_SENT);
        step.arm(kDeleteMs);
        break;

    case SMDEL_DELETE_SENT:
        if (step.lineIs("OK"))
            step.finish(RESULT_OK);
        else if (step.lineIsError())
            step.finish(RESULT_TIMEOUT); // refused: the message is still there, say so now
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

void smsDeleteExpire(JobStep& step)
{
    step.sendBytes(kCtrlZ, 1);
    step.finish(RESULT_TIMEOUT);
}

} // namespace zel
