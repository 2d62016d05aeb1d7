#include "melody/editing/PhoneTransfer.h"

#include "melody/document/CMelvioDoc.h"
#include "melody/document/ErrorReporter.h"
#include "melody/editing/MelvioIds.h"
#include "melody/editing/PhoneEngine.h"
#include "melody/editing/UserMessages.h"

constexpr LPARAM ANSWER_FAILED = -1;

PhoneTransfer::PhoneTransfer(CMelvioDoc& doc, const Services& services)
    : doc_(doc), services_(services), requests_(services.requests ? services.requests : &ownRequests_)
{
}

PhoneTransfer::~PhoneTransfer()
{
    if (requests_->write == this)
        requests_->write = nullptr;
    if (requests_->test == this)
        requests_->test = nullptr;
    if (services_.scheduler) {
        if (writeTimer_)
            services_.scheduler->cancel(writeTimer_);
        if (testTimer_)
            services_.scheduler->cancel(testTimer_);
    }
}

bool PhoneTransfer::Busy(Job job)
{
    const void* owner = job == Job::Write ? requests_->write : requests_->test;
    if (!owner)
        return false;
    if (services_.messages)
        services_.messages->SetStatusText(PHONE_BUSY_TEXT);
    return true;
}

void PhoneTransfer::Await(Job job, std::int64_t timeoutMs)
{
    (job == Job::Write ? requests_->write : requests_->test) = this;
    if (!services_.scheduler)
        return;
    torvane::Scheduler::TimerId& timer = job == Job::Write ? writeTimer_ : testTimer_;
    if (timer)
        services_.scheduler->cancel(timer);
    // Without the main program nobody runs the job: the commands must not stay locked.
    timer = services_.scheduler->callAfter(timeoutMs, [this, job] {
        (job == Job::Write ? writeTimer_ : testTimer_) = 0;
        Answered(job);
        Failed(job);
    });
}

void PhoneTransfer::Answered(Job job)
{
    const void*& owner = job == Job::Write ? requests_->write : requests_->test;
    if (owner == this)
        owner = nullptr;
    torvane::Scheduler::TimerId& timer = job == Job::Write ? writeTimer_ : testTimer_;
    if (timer && services_.scheduler)
        services_.scheduler->cancel(timer);
    timer = 0;
}

void PhoneTransfer::Failed(Job job)
{
    if (services_.errors)
        services_.errors->Fehler_Melden(ERROR_CLASS_PHONE, job == Job::Write ? IDS_ERR_PHONE_WRITE : IDS_ERR_PHONE_PLAY);
    doc_.canSendToPhone = 1;
    doc_.canPhonePlay = 1;
}

void PhoneTransfer::Succeeded()
{
    if (services_.messages)
        services_.messages->SetStatusText(PHONE_SUCCESS_TEXT);
    doc_.canSendToPhone = 1;
    doc_.canPhonePlay = 1;
}

void PhoneTransfer::OnSaveToPhone(HWND view)
{
    if (Busy(Job::Write))
        return;
    const auto file = doc_.BuildMidiFile();
    doc_.canSendToPhone = 0;
    doc_.canPhonePlay = 0;
    const int result = services_.engine ? services_.engine->ATMelWrite(view, WM_MELODY_WRITE_DONE, file.data(), int(file.size())) : -1;
    // A request the engine did not take gets no answer: it failed now.
    if (result != 0) {
        Failed(Job::Write);
        return;
    }
    const std::int64_t parts = (std::int64_t(file.size()) + PHONE_PART_BYTES - 1) / PHONE_PART_BYTES;
    Await(Job::Write, parts * PHONE_PART_TIMEOUT_MS + PHONE_QUEUE_ALLOWANCE_MS);
}

void PhoneTransfer::SendTest(HWND view, int play)
{
    const int result = services_.engine ? services_.engine->ATMelTest(view, WM_MELODY_TEST_DONE, play) : -1;
    if (result != 0) {
        if (play)
            doc_.canPhoneStop = 0; // nothing plays that could be stopped
        Failed(Job::Test);
        return;
    }
    Await(Job::Test, PHONE_TEST_TIMEOUT_MS + PHONE_QUEUE_ALLOWANCE_MS);
}

void PhoneTransfer::OnPhonePlay(HWND view)
{
    if (Busy(Job::Test))
        return;
    doc_.canPhoneStop = 1;
    doc_.canPhonePlay = 0;
    doc_.canSendToPhone = 0;
    SendTest(view, 1);
}

void PhoneTransfer::OnPhoneStop(HWND view)
{
    if (Busy(Job::Test))
        return;
    doc_.canPhoneStop = 0;
    doc_.canPhonePlay = 1;
    doc_.canSendToPhone = 1;
    SendTest(view, 0);
}

void PhoneTransfer::OnMelodyWritten(WPARAM, LPARAM lParam)
{
    Answered(Job::Write);
    if (lParam == ANSWER_FAILED)
        Failed(Job::Write);
    else
        Succeeded();
}

void PhoneTransfer::OnPhonePlayAnswer(WPARAM, LPARAM lParam)
{
    Answered(Job::Test);
    if (lParam == ANSWER_FAILED)
        Failed(Job::Test);
    else
        Succeeded();
}
