// Any bytes may arrive at an endpoint. The decoder must never read past them, and whatever it
// accepts must be exactly the canonical encoding of what it returns (nothing is left unchecked).
#include "platform/messaging/Datagram.h"

#include <cstdlib>
#include <cstring>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const auto datagram = messaging::decodeDatagram(data, size);
    if (datagram) {
        const auto again = messaging::encodeDatagram(*datagram);
        if (size != again.size() || std::memcmp(data, again.data(), size) != 0)
            std::abort();
    }
    return 0;
}
