// The organizer's reader of calendar objects read from a phone location.
#include "organizer/link/MessageBox.h"
#include "organizer/link/VCalCodec.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const bool quiet = [] {
        tessaro::setMessageBoxHandler([](const QString&, int, const QString&) { return tessaro::vbOK; });
        return true;
    }();
    (void)quiet;
    // The text of a location has one character per byte, as the phone read gives it.
    const QString text = QString::fromLatin1(reinterpret_cast<const char*>(data), qsizetype(size));
    tessaro::PhoneEntry entry;
    if (tessaro::ParsEntryFromMobile(entry, text)) {
        // What was read writes out again.
        tessaro::BuildVCalText(entry);
    }
    return 0;
}
