// Zeldll, the phone command engine: the interface every program of the suite loads.
//
// Requests from any process are copied into the job records of the engine's shared section;
// the owner process (Corvant) pumps the engine with ZelDllCycle and writes TxBuffer to the
// phone; answers come back as posted window messages (job code or PhoneStatus, result).
#pragma once

#include "platform/wintypes.h"

#include <cstddef>
#include <cstdint>

#if defined(ZELDLL_BUILDING)
#define ZELDLL_API __attribute__((visibility("default")))
#else
#define ZELDLL_API
#endif

// ---------------------------------------------------------------------------------------------
// Numbers

// Job codes: wParam of every job answer.
constexpr int JOB_PHONEBOOK_READ = 2;
constexpr int JOB_PHONEBOOK_WRITE = 3;
constexpr int JOB_SMS_SEND = 4;
constexpr int JOB_SMS_READ = 5;
constexpr int JOB_SMS_DELETE = 6;
constexpr int JOB_LOCK_QUERY = 7;
constexpr int JOB_LOCK_SET = 8;
constexpr int JOB_FORWARD_QUERY = 9;
constexpr int JOB_FORWARD_SET = 10;
constexpr int JOB_MELODY_WRITE = 11;
constexpr int JOB_MELODY_TEST = 12;

// Job results: lParam of every job answer (the barring query answers with its class mask).
constexpr int RESULT_OK = 0;
constexpr int RESULT_TIMEOUT = -1;
constexpr int RESULT_NO_MESSAGE = -2;
constexpr int RESULT_WRONG_PASSWORD = -3;
constexpr int RESULT_STORAGE_ERROR = -4;
constexpr int RESULT_PIN_REJECTED = -5;

// JobRecord::state: idle, pending, then the job's own steps from 2 on.
constexpr int JOB_IDLE = 0;
constexpr int JOB_PENDING = 1;

// wParam of the status-check answer.
constexpr int PHONE_NONE = 0;
constexpr int PHONE_ANSWERS = 1;
constexpr int PHONE_IDENTIFIED = 2;
constexpr int PHONE_REGISTERED = 3;
constexpr int PHONE_PIN_AUTO = -1;   // SIM PIN wanted, three attempts left
constexpr int PHONE_PIN_NEEDED = -2; // a code is wanted that the engine will not send
constexpr int PHONE_SIM_OTHER = -3;  // the SIM is in another state (PUK, blocked, missing)

// What the main program broadcasts to registered status windows.
constexpr int PHONESTATE_NOT_CONNECTED = 0;
constexpr int PHONESTATE_NOT_READY = 1;
constexpr int PHONESTATE_ENTRY_REQUIRED = 2;
constexpr int PHONESTATE_READY = 3;

// Third argument of ZelDllCycle, kept by the port owner.
constexpr int PORT_UNKNOWN = 0;
constexpr int PORT_OPEN_FAILED = 1;
constexpr int PORT_ACCESS_DENIED = 2;
constexpr int PORT_OPEN = 3;
constexpr int PORT_NO_DSR = 4;
constexpr int PORT_DSR_ON = 5;

// Window messages of the engine.
constexpr UINT WM_ENGINE_KICK = WM_USER + 1;    // to the owner, by every request export
constexpr UINT WM_PHONE_STATE = WM_USER + 100;  // what status windows register for
constexpr UINT WM_ENGINE_ERROR = WM_USER + 101; // to the owner, by Fehler_Melden

// ZelDllCycle's return values.
constexpr int ZEL_CYCLE_DONE = 100;
constexpr int ZEL_CYCLE_REENTERED = 0;

// Sizes of the shared areas.
constexpr int ZEL_STATUS_CLIENTS = 5;
constexpr int ZEL_PB_AREA_SIZE = 6000;
constexpr int ZEL_SMS_DATA_SIZE = 172;
constexpr int ZEL_MELODY_DATA_SIZE = 1000;
constexpr int ZEL_FWD_NUMBER_SIZE = 51;
constexpr int ZEL_SIM_PIN_SIZE = 12;
constexpr int ZEL_SIM_PIN_SENT = 10; // characters of ZelSimPin the status check sends at most
constexpr int ZEL_MUTEX_NAME_SIZE = 16;
constexpr int ZEL_TX_BUFFER_SIZE = 500;
constexpr char ZEL_MUTEX_NAME[] = "QVNPRO_ZelMutex";

// ---------------------------------------------------------------------------------------------
// Results handed out by the Get exports. Their pointers lead into this process's view of the
// shared section; they stay valid while the library is loaded, and their contents until the
// next job of the same kind overwrites them.

// A PBEntry is packed in the entry area with stride textLength + numberLength + 2: a 16-bit
// little-endian index, then text and number, each zero-filled to its length, no terminator
// when full.
struct PBResult {
    int count;
    int textLength;
    int numberLength;
    unsigned char* entries; // the first PBEntry; null: no valid result
    int highestIndex;
};

struct SMResult {
    char* sender;
    char* text; // null: no valid result
    int textLength;
    int timeStamp; // seconds since 1970, local time
    int reference;
    int sequence;
    int total;
};

struct FwdClassEntry {
    int status;
    char* number; // a 51-character area owned by the entry; empty text when none
    int time;
};

struct FwdResult {
    FwdClassEntry entry[3]; // voice, data, fax
};

// ---------------------------------------------------------------------------------------------
// The shared section: one copy for every process of the user that loads the library. Its
// records keep the order and sizes of the engine's data model; where a result points into
// the section, the section holds the offset of the target from its own start (0 = null),
// because the section does not appear at the same address in every process.

using ZelOffset = std::uint64_t;

struct JobRecord {
    int state;
    HWND window;
    UINT message;
};

struct StatusClient {
    HWND window; // 0: free
    UINT message;
};

struct PBReadJob {
    JobRecord head;
    char storage[2];
};

struct PBResultShared {
    int count;
    int textLength;
    int numberLength;
    ZelOffset entries;
    int highestIndex;
    unsigned char area[ZEL_PB_AREA_SIZE];
};

struct PBWriteJob {
    JobRecord head;
    char storage[2];
    int index;
    char text[60];
    char number[40];
};

struct SMReadJob {
    JobRecord head;
    char sender[40];
    char text[ZEL_SMS_DATA_SIZE];
    int textLength;
    int messageIndex;
};

struct SMResultShared {
    ZelOffset sender;
    ZelOffset text;
    int textLength;
    int timeStamp;
    int reference;
    int sequence;
    int total;
};

struct SMDelJob {
    JobRecord head;
};

struct SMSendJob {
    JobRecord head;
    char number[40];
    char data[ZEL_SMS_DATA_SIZE];
    int length;
    int reference;
    int sequence;
    int total;
    int mode;
    int validity;
    char smsc[40];
};

struct LockGetJob {
    JobRecord head;
    char facility[2];
};

struct LockSetJob {
    JobRecord head;
    char facility[2];
    int mode;
    int classes;
    char password[10];
};

struct FwdReadJob {
    JobRecord head;
    int reason;
};

struct FwdClassEntryShared {
    int status;
    ZelOffset number;
    int time;
};

struct FwdResultShared {
    FwdClassEntryShared entry[3];
    char number[3][ZEL_FWD_NUMBER_SIZE];
};

struct FwdWriteJob {
    JobRecord head;
    int reason;
    int mode;
    char number[ZEL_FWD_NUMBER_SIZE];
    int classes;
    int time;
};

struct MelWriteJob {
    JobRecord head;
    int length;
    char data[ZEL_MELODY_DATA_SIZE];
};

struct MelTestJob {
    JobRecord head;
    int play; // 1 start, 0 stop
};

struct StatusCheckJob {
    HWND window;
    UINT message;
};

struct EngineShared {
    HWND owner;
    StatusClient statusClient[ZEL_STATUS_CLIENTS];
    PBReadJob pbRead;
    PBResultShared pbResult;
    PBWriteJob pbWrite;
    SMReadJob smRead;
    SMResultShared smResult;
    SMDelJob smDel;
    SMSendJob smSend;
    LockGetJob lockGet;
    LockSetJob lockSet;
    FwdReadJob fwdRead;
    FwdResultShared fwdResult;
    FwdWriteJob fwdWrite;
    MelWriteJob melWrite;
    MelTestJob melTest;
    StatusCheckJob statusCheck;
    char simPin[ZEL_SIM_PIN_SIZE];
    char mutexName[ZEL_MUTEX_NAME_SIZE];
    char txBuffer[ZEL_TX_BUFFER_SIZE];
};

// ---------------------------------------------------------------------------------------------
// Exports

extern "C" {

// Set-up and pump: owner process only.
ZELDLL_API int ZelDllInit(HWND owner);
ZELDLL_API int ZelDllCycle(const char* line, char** command, int portState);
ZELDLL_API int ATStatusCheck(HWND window, UINT message);

// Status windows: any process.
ZELDLL_API int ATStatusReg(HWND window, UINT message);
ZELDLL_API int ATStatusDeReg(int slot);
ZELDLL_API int ZelMeldeModule(WPARAM wParam, LPARAM lParam);

// Whether a program drives the engine (its owner window exists): any process. A requester that
// waits for an answer gives up when this turns false, since no job of it will be carried out.
ZELDLL_API BOOL ZelDllHostAlive(void);

// Requests: any process; each returns 0 (-1 only when the shared section is out of reach).
ZELDLL_API int ATPBRead(HWND window, UINT message, const char* storage);
ZELDLL_API int ATPBWrite(HWND window, UINT message, const char* storage, int index, const char* text,
                         const char* number);
ZELDLL_API int ATSMRead(HWND window, UINT message);
ZELDLL_API int ATSMDel(HWND window, UINT message);
ZELDLL_API int ATSMDel1(HWND window, UINT message);
ZELDLL_API int ATSMSend(HWND window, UINT message, const char* number, const void* data, int length,
                        int reference, int sequence, int total, int mode, const char* smsc, int validity);
ZELDLL_API int ATLockGet(HWND window, UINT message, const char* facility);
ZELDLL_API int ATLockSet(HWND window, UINT message, const char* facility, const char* password, int mode,
                         int classes);
ZELDLL_API int ATFwdRead(HWND window, UINT message, int reason);
ZELDLL_API int ATFwdWrite(HWND window, UINT message, int reason, int mode, const char* number, int time,
                          int classes);
ZELDLL_API int ATMelWrite(HWND window, UINT message, const void* data, int length);
ZELDLL_API int ATMelTest(HWND window, UINT message, int play);
// Takes back the requests of `window` that the owner has not started yet: any process. Returns
// how many (-1 only when the shared section is out of reach); a job under way is answered.
ZELDLL_API int ATWithdraw(HWND window);

// Results: any process.
ZELDLL_API PBResult* ATPBGet(void);
ZELDLL_API SMResult* ATSMGet(void);
ZELDLL_API FwdResult* ATFwdGet(void);

// Error report: any process.
ZELDLL_API BOOL Fehler_Melden(int errorClass, int stringId);

// The SIM PIN that the owner process stores and the status check sends. It is the shared
// section's PIN record itself in every process that declares it as below (weak, so a program
// reaches it through its symbol table instead of keeping a private copy).
#if defined(ZELDLL_BUILDING)
ZELDLL_API extern char ZelSimPin[ZEL_SIM_PIN_SIZE];
#else
extern __attribute__((weak)) char ZelSimPin[ZEL_SIM_PIN_SIZE];
#endif

} // extern "C"
