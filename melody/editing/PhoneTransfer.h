// Uploading a melody to the phone and playing the phone's ring tone as a test, through the
// engine's melody jobs, with the enable state of the three phone commands. One per document;
// the requests outstanding are counted per process, since each job kind has one record in the
// engine and a second request would silently take the first one's place.
#pragma once

#include "platform/midi/Scheduler.h"
#include "platform/wintypes.h"

#include <cstdint>

class CMelvioDoc;
class ErrorReporter;
class PhoneEngine;
class UserMessages;

inline constexpr char PHONE_SUCCESS_TEXT[] = "The telephone communication was successful.";
inline constexpr char PHONE_BUSY_TEXT[] = "The telephone has not answered the previous request yet.";

// How long an answer may take before the commands are freed again: the engine's own step
// deadlines (15 s per 50-byte part of an upload, 4 steps of 3 s for a test) and room for the
// jobs served before it.
constexpr std::int64_t PHONE_PART_TIMEOUT_MS = 15000;
constexpr std::int64_t PHONE_TEST_TIMEOUT_MS = 12000;
constexpr std::int64_t PHONE_QUEUE_ALLOWANCE_MS = 30000;
constexpr int PHONE_PART_BYTES = 50;

// The melody requests of this process still waiting for their answer.
struct PhoneRequests {
    const void* write = nullptr;
    const void* test = nullptr;
};

class PhoneTransfer {
public:
    struct Services {
        PhoneEngine* engine = nullptr;
        ErrorReporter* errors = nullptr;
        UserMessages* messages = nullptr;
        torvane::Scheduler* scheduler = nullptr; // null: no time-out
        PhoneRequests* requests = nullptr;
    };

    PhoneTransfer(CMelvioDoc& doc, const Services& services);
    ~PhoneTransfer();
    PhoneTransfer(const PhoneTransfer&) = delete;
    PhoneTransfer& operator=(const PhoneTransfer&) = delete;

    // Save to telephone (32779), Play ring tone on telephone (32781), Stop playing (32784):
    // view is the window the answer goes to.
    void OnSaveToPhone(HWND view);
    void OnPhonePlay(HWND view);
    void OnPhoneStop(HWND view);

    // The answers (WM_MELODY_WRITE_DONE, WM_MELODY_TEST_DONE).
    void OnMelodyWritten(WPARAM wParam, LPARAM lParam);
    void OnPhonePlayAnswer(WPARAM wParam, LPARAM lParam);

    bool WriteOutstanding() const { return requests_ && requests_->write == this; }
    bool TestOutstanding() const { return requests_ && requests_->test == this; }

private:
    enum class Job { Write, Test };
    bool Busy(Job job);
    void Await(Job job, std::int64_t timeoutMs);
    void Answered(Job job);
    void Failed(Job job);
    void Succeeded();
    void SendTest(HWND view, int play);

    CMelvioDoc& doc_;
    Services services_;
    PhoneRequests ownRequests_;
    PhoneRequests* requests_;
    torvane::Scheduler::TimerId writeTimer_ = 0;
    torvane::Scheduler::TimerId testTimer_ = 0;
};
