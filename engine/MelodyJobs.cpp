// Melody upload and test play.
#include "engine/MelodyJobs.h"

#include "engine/LineFields.h"
#include "engine/codec/PduHex.h"

namespace zel {

namespace {

constexpr std::uint32_t kPromptMs = 5000;
constexpr std::uint32_t kPartMs = 10000;
constexpr std::uint32_t kAnswerMs = 3000;

// The ring tone type of the user's own melody, and the volume it is tried at.
constexpr char kStartTestPlay[] = "AT^SRTC=42,1";
// Without arguments the phone starts or stops playing the chosen tone.
constexpr char kToggleTestPlay[] = "AT^SRTC";

constexpr char kCtrlZ = 26;

void announcePart(JobStep& step)
{
    const MelodyLocal& melody = step.local().melody;
    step.sendFormat("AT^SBNW=\"mid\",0,%d,%d", melody.part, melody.parts);
    step.setState(MELWRITE_WAIT_PROMPT);
    step.arm(kPromptMs);
}

void sendPart(JobStep& step)
{
    const MelWriteJob& job = step.shared().melWrite;
    MelodyLocal& melody = step.local().melody;
    const int count = melody.bytesLeft < MELODY_PART_SIZE ? melody.bytesLeft : MELODY_PART_SIZE;
    char payload[2 * MELODY_PART_SIZE + 1];
    PduBytesToHex(payload, job.data + melody.nextByte, count);
    payload[2 * count] = kCtrlZ;
    step.sendBytes(payload, std::size_t(2 * count + 1));
    melody.bytesLeft -= count;
    melody.nextByte += count;
    ++melody.part;
    step.setState(MELWRITE_WAIT_OK);
    step.arm(kPartMs);
}

// "^SRTC: <type>,<volume>,<playing>".
bool readPlaying(const char* rest, bool& playing)
{
    int type = 0;
    int volume = 0;
    int status = 0;
    const char* p = readNumber(rest, type);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, volume);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, status);
    if (!p)
        return false;
    playing = status != 0;
    return true;
}

} // namespace

void melodyWriteStep(JobStep& step)
{
    const MelWriteJob& job = step.shared().melWrite;
    MelodyLocal& melody = step.local().melody;
    switch (step.state()) {
    case JOB_PENDING: {
        // The record holds at most its area, whatever its length field says.
        const int length = job.length < 0 ? 0 : job.length > ZEL_MELODY_DATA_SIZE ? ZEL_MELODY_DATA_SIZE : job.length;
        melody.bytesLeft = length;
        melody.nextByte = 0;
        melody.part = 1;
        melody.parts = (length + MELODY_PART_SIZE - 1) / MELODY_PART_SIZE;
        announcePart(step);
        break;
    }

    case MELWRITE_WAIT_PROMPT:
        if (step.lineIs(">"))
            sendPart(step);
        break;

    case MELWRITE_WAIT_OK:
        if (!step.lineIs("OK"))
            break;
        if (melody.bytesLeft > 0)
            announcePart(step);
        else
            step.finish(RESULT_OK);
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

void melodyTestStep(JobStep& step)
{
    const MelTestJob& job = step.shared().melTest;
    bool& playing = step.local().melody.playing;
    switch (step.state()) {
    case JOB_PENDING:
        step.send("AT^SRTC?");
        step.setState(MELTEST_QUERY_SENT);
        step.arm(kAnswerMs);
        break;

    case MELTEST_QUERY_SENT:
        if (const char* rest = step.lineAfter("^SRTC:")) {
            // An answer without the playing state leaves the wanted command to be sent.
            if (!readPlaying(rest, playing))
                playing = job.play == 0;
        } else if (step.lineIs("OK")) {
            step.setState(MELTEST_DECIDE);
        }
        break;

    case MELTEST_DECIDE:
        if (job.play != 0 && !playing) {
            step.send(kStartTestPlay);
            step.setState(MELTEST_START_SENT);
            step.arm(kAnswerMs);
        } else if (job.play == 0 && playing) {
            step.send(kToggleTestPlay);
            step.setState(MELTEST_STOP_SENT);
            step.arm(kAnswerMs);
        } else {
            step.finish(RESULT_OK);
        }
        break;

    case MELTEST_START_SENT:
        if (step.lineIs("OK")) {
            step.send(kToggleTestPlay);
            step.setState(MELTEST_STOP_SENT);
            step.arm(kAnswerMs);
        }
        break;

    case MELTEST_STOP_SENT:
        if (step.lineIs("OK"))
            step.finish(RESULT_OK);
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

} // namespace zel
