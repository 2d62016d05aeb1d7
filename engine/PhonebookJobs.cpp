// Phonebook read and write. The read packs every entry the phone lists into the shared entry
// area, as far as whole entries fit; the write selects the storage and writes or erases one index.
#include "engine/PhonebookJobs.h"

#include "engine/LineFields.h"
#include "engine/SharedResults.h"

#include <cstdint>
#include <cstring>

namespace zel {

namespace {

constexpr std::uint32_t kAnswerMs = 3000;
constexpr std::uint32_t kListingMs = 20000;

// The fields a listed entry may bring; longer ones are cut (the text) or refused (the number).
constexpr int kListedNumberMax = 40;
constexpr int kListedTextMax = 50;

void selectStorage(JobStep& step, const char (&storage)[2])
{
    step.sendFormat("AT^SPBS=\"%.*s\"", int(strnlen(storage, 2)), storage);
}

// "+CPBR: (<first>-<last>),<number length>,<text length>".
bool readRange(const char* rest, PhonebookReadLocal& range)
{
    int first = 0;
    int last = 0;
    int numberLength = 0;
    int textLength = 0;
    const char* p = expectChar(rest, '(');
    if (p)
        p = readNumber(p, first);
    if (p)
        p = expectChar(p, '-');
    if (p)
        p = readNumber(p, last);
    if (p)
        p = expectChar(p, ')');
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, numberLength);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readNumber(p, textLength);
    if (!p)
        return false;
    range.highestIndex = last;
    range.numberLength = numberLength;
    range.textLength = textLength;
    return true;
}

struct ListedEntry {
    int index = 0;
    char number[kListedNumberMax + 1] = {};
    int numberLength = 0;
    char text[kListedTextMax + 1] = {};
    int textLength = 0;
};

// "+CPBR: <index>,"<number>",<type>,"<text>"". Index, a number of 1 to 40 characters and the type
// must be there; a missing text is an empty one, a longer one is cut to 50 characters.
bool readEntry(const char* rest, ListedEntry& entry)
{
    int type = 0;
    int length = 0;
    const char* p = readNumber(rest, entry.index);
    if (p)
        p = expectChar(p, ',');
    if (p)
        p = readQuoted(p, entry.number, sizeof entry.number, length);
    if (!p || length == 0 || length > kListedNumberMax)
        return false;
    entry.numberLength = length;
    p = expectChar(p, ',');
    if (p)
        p = readNumber(p, type);
    if (!p)
        return false;
    p = expectChar(p, ',');
    if (p && readQuoted(p, entry.text, sizeof entry.text, length))
        entry.textLength = length < kListedTextMax ? length : kListedTextMax;
    return true;
}

// A field of the packed entry: the characters that fit, then zero bytes up to its length.
void putField(unsigned char* at, int size, const char* text, int length)
{
    const int kept = length < size ? length : size;
    std::memcpy(at, text, std::size_t(kept));
    std::memset(at + kept, 0, std::size_t(size - kept));
}

void storeEntry(JobStep& step, const ListedEntry& entry)
{
    PBResultShared& result = step.shared().pbResult;
    PhonebookReadLocal& read = step.local().phonebookRead;
    // Whole entries only, while they fit: the editor walks count entries with this stride.
    const std::int64_t stride = 2 + std::int64_t(result.textLength) + std::int64_t(result.numberLength);
    if (read.cursor < 0 || read.cursor + stride > ZEL_PB_AREA_SIZE)
        return;
    unsigned char* at = result.area + read.cursor;
    at[0] = static_cast<unsigned char>(entry.index & 0xFF);
    at[1] = static_cast<unsigned char>((entry.index >> 8) & 0xFF);
    putField(at + 2, result.textLength, entry.text, entry.textLength);
    putField(at + 2 + result.textLength, result.numberLength, entry.number, entry.numberLength);
    read.cursor += int(stride);
    ++result.count;
}

void startListing(JobStep& step)
{
    EngineShared& shared = step.shared();
    PBResultShared& result = shared.pbResult;
    PhonebookReadLocal& read = step.local().phonebookRead;
    step.sendFormat("AT+CPBR=1,%d", read.highestIndex);
    result.count = 0;
    result.textLength = read.textLength;
    result.numberLength = read.numberLength;
    result.highestIndex = read.highestIndex;
    result.entries = sharedOffset(shared, result.area);
    read.cursor = 0;
    step.setState(PBREAD_READING);
    step.arm(kListingMs);
}

} // namespace

int numberTypeOf(const char* number)
{
    return number[0] == '+' ? NUMBER_TYPE_INTERNATIONAL : NUMBER_TYPE_UNKNOWN;
}

void phonebookReadStep(JobStep& step)
{
    switch (step.state()) {
    case JOB_PENDING:
        selectStorage(step, step.shared().pbRead.storage);
        step.setState(PBREAD_SELECT_SENT);
        step.arm(kAnswerMs);
        break;

    case PBREAD_SELECT_SENT:
        if (step.lineIs("OK")) {
            step.send("AT+CPBR=?");
            step.setState(PBREAD_RANGE_SENT);
            step.arm(kAnswerMs);
        } else if (step.lineIsError()) {
            // The previous result stays as it was.
            step.finish(RESULT_STORAGE_ERROR);
        }
        break;

    case PBREAD_RANGE_SENT:
        if (const char* rest = step.lineAfter("+CPBR:"); rest && readRange(rest, step.local().phonebookRead)) {
            step.setState(PBREAD_RANGE_OK);
            step.arm(kAnswerMs);
        }
        break;

    case PBREAD_RANGE_OK:
        if (step.lineIs("OK"))
            startListing(step);
        break;

    case PBREAD_READING:
        if (const char* rest = step.lineAfter("+CPBR:")) {
            ListedEntry entry;
            if (readEntry(rest, entry)) {
                storeEntry(step, entry);
                step.arm(kListingMs);
            }
        } else if (step.lineIs("OK")) {
            step.finish(RESULT_OK);
        }
        break;

    default:
        phonebookReadExpire(step);
        break;
    }
}

void phonebookReadExpire(JobStep& step)
{
    step.shared().pbResult.entries = 0;
    step.finish(RESULT_TIMEOUT);
}

void phonebookWriteStep(JobStep& step)
{
    const PBWriteJob& job = step.shared().pbWrite;
    switch (step.state()) {
    case JOB_PENDING:
        selectStorage(step, job.storage);
        step.setState(PBWRITE_SELECT_SENT);
        step.arm(kAnswerMs);
        break;

    case PBWRITE_SELECT_SENT:
        if (!step.lineIs("OK"))
            break;
        // An empty number erases the entry at the index.
        if (job.number[0] == '\0') {
            step.sendFormat("AT+CPBW=%d", job.index);
        } else {
            const int numberLength = int(strnlen(job.number, sizeof job.number));
            const int textLength = int(strnlen(job.text, sizeof job.text));
            step.sendFormat("AT+CPBW=%d,\"%.*s\",%d,\"%.*s\"", job.index, numberLength, job.number,
                            numberTypeOf(job.number), textLength, job.text);
        }
        step.setState(PBWRITE_WRITE_SENT);
        step.arm(kAnswerMs);
        break;

    case PBWRITE_WRITE_SENT:
        if (step.lineIs("OK"))
            step.finish(RESULT_OK);
        break;

    default:
        step.finish(RESULT_TIMEOUT);
        break;
    }
}

} // namespace zel
