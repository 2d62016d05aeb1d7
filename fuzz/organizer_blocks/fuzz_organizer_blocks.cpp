// The organizer's reader of the phone's object-store answers: block reads and upload states.
#include "organizer/link/ObjectTransfer.h"
#include "organizer/link/OrgError.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray answer(reinterpret_cast<const char*>(data), qsizetype(size));
    int blocks = 0;
    try {
        tessaro::ParseSbnrAnswer(answer, QByteArrayLiteral("\"vcs\""), 7, [&blocks] { ++blocks; });
    } catch (const tessaro::OrgError&) {
    }
    tessaro::UploadIdle(answer);
    tessaro::UploadResetCommand(answer);
    return 0;
}
