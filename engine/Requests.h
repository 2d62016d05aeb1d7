// The request exports' work: copy the caller's arguments into the job record of their kind,
// each text and data block cut to its area whatever length the caller passes, and set the
// state to JOB_PENDING last. A text that goes inside a quoted command field (name, number,
// password, service centre, storage and facility codes) loses every double quote, CR, LF,
// Ctrl-Z and ESC, which would end the field, the command or the prompt early. No lock and no
// phone traffic; the cycle of the owner process picks the job up, woken by kickOwner.
#pragma once

#include "engine/EngineServices.h"
#include "engine/zeldll.h"

namespace zel {

void storeOwner(EngineShared& shared, HWND owner);

// Posts WM_ENGINE_KICK to the owner window: every request export does so once its request is
// stored, so that an owner that answers the kick starts the job without waiting for its timer.
void kickOwner(const EngineShared& shared, EngineServices& services);

// Whether a program drives the engine: the owner window named by ZelDllInit exists. False before
// any owner was named and after its process has gone; a requester that waits for an answer then
// waits in vain.
bool ownerDrivesEngine(const EngineShared& shared, EngineServices& services);

void requestPhonebookRead(EngineShared& shared, HWND window, UINT message, const char* storage);
void requestPhonebookWrite(EngineShared& shared, HWND window, UINT message, const char* storage, int index,
                           const char* text, const char* number);
void requestSmsRead(EngineShared& shared, HWND window, UINT message);
// Deletes the message the last read listed; `firstMessage` deletes index 1 instead.
void requestSmsDelete(EngineShared& shared, HWND window, UINT message, bool firstMessage);
void requestSmsSend(EngineShared& shared, HWND window, UINT message, const char* number, const void* data,
                    int length, int reference, int sequence, int total, int mode, const char* smsc,
                    int validity);
void requestLockQuery(EngineShared& shared, HWND window, UINT message, const char* facility);
void requestLockSet(EngineShared& shared, HWND window, UINT message, const char* facility,
                    const char* password, int mode, int classes);
void requestForwardQuery(EngineShared& shared, HWND window, UINT message, int reason);
void requestForwardSet(EngineShared& shared, HWND window, UINT message, int reason, int mode,
                       const char* number, int time, int classes);
void requestMelodyWrite(EngineShared& shared, HWND window, UINT message, const void* data, int length);
void requestMelodyTest(EngineShared& shared, HWND window, UINT message, int play);

// Takes back every request of `window` that no cycle has taken yet and returns how many; one
// under way or answered stays as it is. A cycle that chose one at the same moment loses it.
int withdrawRequests(EngineShared& shared, HWND window);

// Posts WM_ENGINE_ERROR (errorClass, stringId) to the owner window; true when it was posted.
bool reportError(const EngineShared& shared, EngineServices& services, int errorClass, int stringId);

} // namespace zel
