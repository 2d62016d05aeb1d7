// SMS send: one part built as a PDU, handed to the phone after its "> " prompt with the command
// of the job's mode (send, send another way, or store).
#include "engine/SmsJobs.h"

#include "engine/codec/GsmAlphabet.h"
#include "engine/codec/SmsPdu.h"

#include <cstring>

namespace zel {

namespace {

constexpr std::uint32_t kPromptMs = 5000;
constexpr std::uint32_t kNetworkMs = 35000; // a plain send waits for the network's answer
constexpr std::uint32_t kAnswerMs = 5000;
constexpr char kCtrlZ[] = "\x1a";

// The answer line that reports the PDU taken, for each mode.
const char* answerOf(int mode)
{
    switch (mode) {
    case SMS_MODE_SEND:
    case SMS_MODE_SEND_OTHER_PID: return "+CMGS:";
    case SMS_MODE_TOOLKIT: return "^SSTK:";
    case SMS_MODE_COMMAND: return "+CMGC:";
    default: return "+CMGW:";
    }
}

void sendCommandOf(JobStep& step, int mode, int length)
{
    switch (mode) {
    case SMS_MODE_SEND:
    case SMS_MODE_SEND_OTHER_PID: step.sendFormat("AT+CMGS=%d", length); break;
    case SMS_MODE_TOOLKIT: step.sendFormat("AT^SSTK=%d,0", length); break;
    case SMS_MODE_COMMAND: step.sendFormat("AT+CMGC=%d", length); break;
    default: step.sendFormat("AT+CMGW=%d,%d", length, mode); break;
    }
}

void start(JobStep& step)
{
    SMSendJob& job = step.shared().smSend;
    SmsSendLocal& local = step.local().smsSend;
    // Text grows by its escapes; 8-bit data (a negative reference or length) keeps its bytes.
    int length = job.length;
    if (job.reference >= 0 && length > 0)
        length = SmsLatinToGsm(job.data, length, static_cast<int>(sizeof job.data));
    local.smscOctets = 0;
    local.octets = SmsPduEncode(job.number, job.data, length, local.pdu, job.reference, job.sequence, job.total,
                                job.mode, job.smsc, local.smscOctets, job.validity);
    // A number the encoder refuses sends nothing; the deadline ends the job.
    if (local.octets > 0)
        sendCommandOf(step, job.mode, local.octets - local.smscOctets);
    step.setState(SMSEND_WAIT_PROMPT);
    step.arm(kPromptMs);
}

} // namespace

void smsSendStep(JobStep& step)
{
    const SMSendJob& job = step.shared().smSend;
    SmsSendLocal& local = step.local().smsSend;
    switch (step.state()) {
    case JOB_PENDING:
        start(step);
        break;

    case SMSEND_WAIT_PROMPT:
        // A refused command opens no prompt: the part failed now, not at the deadline.
        if (step.lineIsError()) {
            step.finish(RESULT_TIMEOUT);
        } else if (step.lineIs(">") && local.octets > 0) {
            step.sendBytes(local.pdu, std::size_t(2 * local.octets + 1));
            step.setState(SMSEND_WAIT_ECHO);
            step.arm(job.mode == SMS_MODE_SEND ? kNetworkMs : kAnswerMs);
        }
        break;

    case SMSEND_WAIT_ECHO:
        // The phone or the network refused the part: waiting out the network's 35 s would tell
        // the main program nothing more.
        if (step.lineIsError()) {
            step.finish(RESULT_TIMEOUT);
        } else if (step.lineStartsWith(answerOf(job.mode))) {
            step.setState(SMSEND_WAIT_OK);
            step.arm(kAnswerMs);
        }
        break;

    case SMSEND_WAIT_OK:
        if (step.lineIs("OK"))
            step.finish(RESULT_OK);
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

void smsSendExpire(JobStep& step)
{
    // The Ctrl-Z ends a prompt the phone may still hold open.
    step.sendBytes(kCtrlZ, 1);
    step.finish(RESULT_TIMEOUT);
}

} // namespace zel
