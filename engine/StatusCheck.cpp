#include "engine/StatusCheck.h"

#include "engine/LineFields.h"

#include <cstring>

namespace zel {

namespace {

constexpr std::uint32_t kAnswerMs = 3000;
constexpr std::uint32_t kAbortMs = 5000;
constexpr std::uint32_t kQuietAfterAbortMs = 3000; // of the 5000, before the escape is tried
constexpr std::uint32_t kEscapeMs = 5000;
constexpr std::uint32_t kPinAcceptMs = 10000;

// A phone that keeps answering the first command with something other than "OK" would send
// the check round the abort and escape path for ever; two fresh starts are enough to get a
// phone out of an SMS prompt or a data connection.
constexpr int kMaxRestarts = 2;

// The answer ^SPIC gives while no attempt at the SIM PIN has been used up.
constexpr int kAllPinAttemptsLeft = 3;

// Home network and roaming, the registration states that count as registered.
constexpr int kRegisteredHome = 1;
constexpr int kRegisteredRoaming = 5;

void goTo(StatusCheckLocal& check, int state)
{
    check.state = state;
}

void sendCommand(JobStep& step, StatusCheckLocal& check, const char* command, int next)
{
    step.send(command);
    step.arm(kAnswerMs);
    goTo(check, next);
}

void startOver(JobStep& step, StatusCheckLocal& check)
{
    ++check.restarts;
    goTo(check, STATUS_WAIT_QUIET);
    step.arm(kAnswerMs);
}

// "+CREG: <n>,<stat>[,...]": registered at home or roaming.
bool registeredIn(const char* rest)
{
    int mode = 0;
    int stat = 0;
    const char* p = readNumber(rest, mode);
    if (!p)
        return false;
    p = skipBlanks(p);
    if (*p != ',')
        return false;
    if (!readNumber(p + 1, stat))
        return false;
    return stat == kRegisteredHome || stat == kRegisteredRoaming;
}

// The stored PIN as far as it may go into a command: at most ZEL_SIM_PIN_SENT characters, up
// to the first control character (a line end inside it would split the command in two).
std::size_t usablePinLength(const char* pin)
{
    std::size_t n = 0;
    while (n < std::size_t(ZEL_SIM_PIN_SENT) && static_cast<unsigned char>(pin[n]) >= 0x20)
        ++n;
    return n;
}

void onPinState(JobStep& step, StatusCheckLocal& check)
{
    if (const char* rest = step.lineAfter("+CPIN:")) {
        check.simPinAsked = false;
        if (std::strstr(rest, "READY")) {
            // keeps the status reached
        } else if (std::strstr(rest, "SIM PIN")) {
            check.status = PHONE_PIN_NEEDED;
            // Only the SIM PIN itself gets the stored PIN; "SIM PIN2" or "PH-SIM PIN" ask for
            // codes the user has to enter at the phone.
            check.simPinAsked = trimmedEquals(rest, "SIM PIN");
        } else {
            check.status = PHONE_SIM_OTHER;
        }
        return;
    }
    if (!step.lineIs("OK"))
        return;
    if (check.status > PHONE_NONE)
        sendCommand(step, check, "AT+CREG?", STATUS_WAIT_CREG);
    else if (check.status == PHONE_PIN_NEEDED)
        sendCommand(step, check, "AT^SPIC", STATUS_WAIT_PIN_COUNT);
    else
        // The main program shows "not ready" instead of the state of an earlier check.
        step.end(WPARAM(check.status), RESULT_OK);
}

void onPinCount(JobStep& step, StatusCheckLocal& check)
{
    if (const char* rest = step.lineAfter("^SPIC:")) {
        int attempts = 0;
        if (readNumber(rest, attempts) && attempts == kAllPinAttemptsLeft && check.simPinAsked)
            check.status = PHONE_PIN_AUTO;
        step.arm(kAnswerMs);
        return;
    }
    if (!step.lineIs("OK"))
        return;
    const char* pin = step.simPin();
    const std::size_t pinLength = usablePinLength(pin);
    // One PIN per check: a phone that takes the PIN and still asks for it must not make the
    // check send it round and round.
    if (check.status == PHONE_PIN_AUTO && pinLength > 0 && !check.pinSent) {
        char command[sizeof "AT+CPIN=" + ZEL_SIM_PIN_SENT] = "AT+CPIN=";
        std::memcpy(command + 8, pin, pinLength);
        command[8 + pinLength] = '\0';
        step.send(command);
        step.arm(kPinAcceptMs);
        check.pinSent = true;
        goTo(check, STATUS_WAIT_PIN_ACCEPT);
        return;
    }
    step.end(WPARAM(check.status), RESULT_OK);
}

} // namespace

void statusCheckStep(JobStep& step)
{
    StatusCheckLocal& check = step.local().statusCheck;
    switch (check.state) {
    case STATUS_START:
        check = StatusCheckLocal{};
        goTo(check, STATUS_WAIT_QUIET);
        step.arm(kAnswerMs);
        break;

    case STATUS_WAIT_QUIET:
        if (!step.hasLine())
            sendCommand(step, check, "ATE1Q0V1", STATUS_WAIT_ECHO_OK);
        break;

    case STATUS_WAIT_ECHO_OK:
        if (step.portState() != PORT_DSR_ON)
            step.end(WPARAM(check.status), RESULT_TIMEOUT);
        else if (step.lineIs("OK")) {
            check.status = PHONE_ANSWERS;
            sendCommand(step, check, "AT+CGMI", STATUS_WAIT_MAKER);
        }
        break;

    case STATUS_WAIT_MAKER:
        if (step.lineContains("TORVANE"))
            check.status = PHONE_IDENTIFIED;
        else if (step.lineIs("OK") && check.status == PHONE_IDENTIFIED)
            sendCommand(step, check, "AT+CPIN?", STATUS_WAIT_PIN_STATE);
        break;

    case STATUS_WAIT_PIN_STATE:
        onPinState(step, check);
        break;

    case STATUS_WAIT_CREG:
        if (const char* rest = step.lineAfter("+CREG:")) {
            if (registeredIn(rest))
                check.status = PHONE_REGISTERED;
            step.arm(kAnswerMs);
        } else if (step.lineIs("OK") && check.status == PHONE_REGISTERED) {
            sendCommand(step, check, "AT+CBC", STATUS_WAIT_CBC);
        }
        break;

    case STATUS_WAIT_CBC:
        if (step.lineStartsWith("+CBC:"))
            step.arm(kAnswerMs);
        else if (step.lineIs("OK"))
            sendCommand(step, check, "AT+CSQ", STATUS_WAIT_CSQ);
        break;

    case STATUS_WAIT_CSQ:
        if (step.lineStartsWith("+CSQ:"))
            step.arm(kAnswerMs);
        else if (step.lineIs("OK"))
            step.end(WPARAM(PHONE_REGISTERED), RESULT_OK);
        break;

    case STATUS_SEND_ABORT:
        // The Ctrl-Z ends an SMS prompt the phone may still be in.
        step.sendBytes("\x1a" "AT\r", 4);
        step.arm(kAbortMs);
        goTo(check, STATUS_WAIT_AFTER_ABORT);
        break;

    case STATUS_WAIT_AFTER_ABORT:
        if (step.hasLine())
            startOver(step, check);
        else if (step.untilDeadline() <= std::int32_t(kAbortMs - kQuietAfterAbortMs))
            goTo(check, STATUS_SEND_ESCAPE);
        break;

    case STATUS_SEND_ESCAPE:
        // Leaves a data connection; the phone wants the escape without a line end.
        step.sendBytes("+++", 3);
        step.arm(kEscapeMs);
        goTo(check, STATUS_WAIT_AFTER_ESCAPE);
        break;

    case STATUS_WAIT_AFTER_ESCAPE:
        if (step.hasLine())
            startOver(step, check);
        break;

    case STATUS_WAIT_PIN_COUNT:
        onPinCount(step, check);
        break;

    case STATUS_WAIT_PIN_ACCEPT:
        if (step.lineIs("OK"))
            goTo(check, STATUS_WAIT_QUIET); // the whole check again; this deadline stays
        else if (step.lineIsError())
            step.end(WPARAM(check.status), RESULT_PIN_REJECTED);
        break;

    default:
        // A state this machine never sets: end rather than keep the phone for ever.
        step.end(WPARAM(check.status), RESULT_TIMEOUT);
        break;
    }
}

void statusCheckExpire(JobStep& step)
{
    StatusCheckLocal& check = step.local().statusCheck;
    // A silent or wrong first answer gets the abort and escape texts before the check gives up.
    if (check.state == STATUS_WAIT_ECHO_OK && check.restarts < kMaxRestarts) {
        goTo(check, STATUS_SEND_ABORT);
        return;
    }
    step.end(WPARAM(check.status), RESULT_TIMEOUT);
}

} // namespace zel
