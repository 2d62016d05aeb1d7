// The C exports of libzeldll.so: each one finds this process's engine (which attaches the shared
// section when the library is loaded) and hands over to the engine core.
#include "engine/zeldll.h"

#include "engine/Engine.h"
#include "engine/Requests.h"
#include "engine/SharedResults.h"
#include "engine/SharedSection.h"
#include "engine/StatusWindows.h"
#include "engine/SystemServices.h"

#include "platform/winerror.h"

#include <cstdint>

namespace {

constexpr std::size_t kPinPageSize = 4096;

} // namespace

extern "C" {

// ZelSimPin is the start of a page of its own, which the library turns into a view of the shared
// section's PIN record; the rest of the page is never used through this name. The exported name
// is set in assembler so that it keeps its own size (12 bytes) on the page's address.
__attribute__((aligned(kPinPageSize), used)) char zelSimPinPage[kPinPageSize];

} // extern "C"

static_assert(ZEL_SIM_PIN_SIZE == 12, "the assembler size below is ZelSimPin's");
asm(".globl ZelSimPin\n"
    ".type ZelSimPin, @object\n"
    ".size ZelSimPin, 12\n"
    ".set ZelSimPin, zelSimPinPage\n");

namespace {

// True unless the program keeps a copy of ZelSimPin of its own (a copy relocation: a program
// that declared it without the header's weak attribute). The compiler takes two declared objects
// for distinct, so the address is passed through an empty asm to have it really compared.
bool exportedPinIsOurPage()
{
    const void* exported = ZelSimPin;
    asm("" : "+r"(exported));
    return exported == static_cast<const void*>(zelSimPinPage);
}

// What one process holds of the engine; made when the library is loaded and kept until the
// process ends (exports may still be called while static objects are being destroyed).
struct ProcessEngine {
    explicit ProcessEngine(std::unique_ptr<zel::SharedSection> s)
        : section(std::move(s)), engine(section->shared(), services)
    {
        // The engine reads the PIN through the exported name, as this process sees it: the
        // shared record when the page view is in place, the process's own copy otherwise.
        if (exportedPinIsOurPage())
            section->mirrorSimPin(zelSimPinPage, kPinPageSize);
        engine.setSimPin(ZelSimPin);
    }

    EngineShared& shared() { return section->shared(); }

    std::unique_ptr<zel::SharedSection> section;
    zel::SystemServices services;
    zel::Engine engine;
    PBResult pbResult{};
    SMResult smResult{};
    FwdResult fwdResult{};
};

struct Attached {
    ProcessEngine* engine = nullptr;
    LONG error = ERROR_SUCCESS;
};

const Attached& attached()
{
    static const Attached instance = [] {
        Attached a;
        if (auto section = zel::SharedSection::attach(&a.error))
            a.engine = new ProcessEngine(std::move(section));
        return a;
    }();
    return instance;
}

ProcessEngine* engine()
{
    return attached().engine;
}

// The section is there as soon as the library is loaded, as a library's shared data would be:
// a program may write ZelSimPin before it calls any export.
__attribute__((constructor)) void attachAtLoad()
{
    attached();
}

constexpr int kNoSection = -1;

// A request export's road: the request goes into the shared section, then the owner is kicked so
// that it starts the job at once instead of at its next timer tick.
template <typename Store>
int storeRequest(Store&& store)
{
    ProcessEngine* e = engine();
    if (!e)
        return kNoSection;
    store(e->shared());
    zel::kickOwner(e->shared(), e->services);
    return 0;
}

} // namespace

extern "C" {

ZELDLL_API int ZelDllInit(HWND owner)
{
    ProcessEngine* e = engine();
    return e ? e->engine.initOwner(owner) : -1;
}

ZELDLL_API int ZelDllCycle(const char* line, char** command, int portState)
{
    ProcessEngine* e = engine();
    if (!e) {
        if (command)
            *command = nullptr;
        return ZEL_CYCLE_DONE;
    }
    return e->engine.cycle(line, command, portState);
}

ZELDLL_API int ATStatusCheck(HWND window, UINT message)
{
    ProcessEngine* e = engine();
    return e ? e->engine.requestStatusCheck(window, message) : -1;
}

ZELDLL_API int ATStatusReg(HWND window, UINT message)
{
    const Attached& a = attached();
    if (!a.engine)
        return -(20000 + int(a.error));
    return zel::registerStatusWindow(a.engine->shared(), window, message);
}

ZELDLL_API int ATStatusDeReg(int slot)
{
    ProcessEngine* e = engine();
    return e ? zel::deregisterStatusWindow(e->shared(), slot) : -1;
}

ZELDLL_API int ZelMeldeModule(WPARAM wParam, LPARAM lParam)
{
    ProcessEngine* e = engine();
    return e ? zel::broadcastToStatusWindows(e->shared(), e->services, wParam, lParam) : -1;
}

ZELDLL_API BOOL ZelDllHostAlive(void)
{
    ProcessEngine* e = engine();
    return e && zel::ownerDrivesEngine(e->shared(), e->services) ? TRUE : FALSE;
}

ZELDLL_API int ATPBRead(HWND window, UINT message, const char* storage)
{
    return storeRequest([&](EngineShared& s) { zel::requestPhonebookRead(s, window, message, storage); });
}

ZELDLL_API int ATPBWrite(HWND window, UINT message, const char* storage, int index, const char* text,
                         const char* number)
{
    return storeRequest(
        [&](EngineShared& s) { zel::requestPhonebookWrite(s, window, message, storage, index, text, number); });
}

ZELDLL_API int ATSMRead(HWND window, UINT message)
{
    return storeRequest([&](EngineShared& s) { zel::requestSmsRead(s, window, message); });
}

ZELDLL_API int ATSMDel(HWND window, UINT message)
{
    return storeRequest([&](EngineShared& s) { zel::requestSmsDelete(s, window, message, false); });
}

ZELDLL_API int ATSMDel1(HWND window, UINT message)
{
    return storeRequest([&](EngineShared& s) { zel::requestSmsDelete(s, window, message, true); });
}

ZELDLL_API int ATSMSend(HWND window, UINT message, const char* number, const void* data, int length,
                        int reference, int sequence, int total, int mode, const char* smsc, int validity)
{
    return storeRequest([&](EngineShared& s) {
        zel::requestSmsSend(s, window, message, number, data, length, reference, sequence, total, mode, smsc, validity);
    });
}

ZELDLL_API int ATLockGet(HWND window, UINT message, const char* facility)
{
    return storeRequest([&](EngineShared& s) { zel::requestLockQuery(s, window, message, facility); });
}

ZELDLL_API int ATLockSet(HWND window, UINT message, const char* facility, const char* password, int mode,
                         int classes)
{
    return storeRequest(
        [&](EngineShared& s) { zel::requestLockSet(s, window, message, facility, password, mode, classes); });
}

ZELDLL_API int ATFwdRead(HWND window, UINT message, int reason)
{
    return storeRequest([&](EngineShared& s) { zel::requestForwardQuery(s, window, message, reason); });
}

ZELDLL_API int ATFwdWrite(HWND window, UINT message, int reason, int mode, const char* number, int time,
                          int classes)
{
    return storeRequest(
        [&](EngineShared& s) { zel::requestForwardSet(s, window, message, reason, mode, number, time, classes); });
}

ZELDLL_API int ATMelWrite(HWND window, UINT message, const void* data, int length)
{
    return storeRequest([&](EngineShared& s) { zel::requestMelodyWrite(s, window, message, data, length); });
}

ZELDLL_API int ATMelTest(HWND window, UINT message, int play)
{
    return storeRequest([&](EngineShared& s) { zel::requestMelodyTest(s, window, message, play); });
}

ZELDLL_API int ATWithdraw(HWND window)
{
    ProcessEngine* e = engine();
    return e ? zel::withdrawRequests(e->shared(), window) : kNoSection;
}

ZELDLL_API PBResult* ATPBGet(void)
{
    ProcessEngine* e = engine();
    return e ? zel::phonebookResult(e->shared(), e->pbResult) : nullptr;
}

ZELDLL_API SMResult* ATSMGet(void)
{
    ProcessEngine* e = engine();
    return e ? zel::smsResult(e->shared(), e->smResult) : nullptr;
}

ZELDLL_API FwdResult* ATFwdGet(void)
{
    ProcessEngine* e = engine();
    return e ? zel::forwardResult(e->shared(), e->fwdResult) : nullptr;
}

ZELDLL_API BOOL Fehler_Melden(int errorClass, int stringId)
{
    ProcessEngine* e = engine();
    return e && zel::reportError(e->shared(), e->services, errorClass, stringId) ? TRUE : FALSE;
}

} // extern "C"
