#include "platform/messaging/Datagram.h"

#include "platform/messaging/Hwnd.h"

namespace messaging {

namespace {

// Byte offsets of the fields; the layout is part of the wire format.
constexpr std::size_t kOffMagic = 0;
constexpr std::size_t kOffVersion = 4;
constexpr std::size_t kOffSize = 6;
constexpr std::size_t kOffKind = 8;
constexpr std::size_t kOffMessage = 12;
constexpr std::size_t kOffWindow = 16;
constexpr std::size_t kOffWParam = 24;
constexpr std::size_t kOffLParam = 32;
constexpr std::size_t kOffSerial = 40;
constexpr std::size_t kOffStatus = 48;
constexpr std::size_t kOffReserved = 52;
static_assert(kOffReserved + 4 == kDatagramSize);

template <typename T>
void put(std::uint8_t* out, std::size_t offset, T value)
{
    for (std::size_t i = 0; i < sizeof(T); ++i)
        out[offset + i] = std::uint8_t(std::uint64_t(value) >> (8 * i));
}

template <typename T>
T get(const std::uint8_t* in, std::size_t offset)
{
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < sizeof(T); ++i)
        value |= std::uint64_t(in[offset + i]) << (8 * i);
    return T(value);
}

bool addressesWindow(HWND window)
{
    return hwndPid(window) != 0 && hwndNumber(window) != 0;
}

} // namespace

std::array<std::uint8_t, kDatagramSize> encodeDatagram(const Datagram& d)
{
    std::array<std::uint8_t, kDatagramSize> out{};
    put<std::uint32_t>(out.data(), kOffMagic, kDatagramMagic);
    put<std::uint16_t>(out.data(), kOffVersion, kDatagramVersion);
    put<std::uint16_t>(out.data(), kOffSize, std::uint16_t(kDatagramSize));
    put<std::uint32_t>(out.data(), kOffKind, std::uint32_t(d.kind));
    put<std::uint32_t>(out.data(), kOffMessage, d.message);
    put<std::uint64_t>(out.data(), kOffWindow, d.window);
    put<std::uint64_t>(out.data(), kOffWParam, std::uint64_t(d.wParam));
    put<std::uint64_t>(out.data(), kOffLParam, std::uint64_t(d.lParam));
    put<std::uint64_t>(out.data(), kOffSerial, d.serial);
    put<std::uint32_t>(out.data(), kOffStatus, std::uint32_t(d.status));
    put<std::uint32_t>(out.data(), kOffReserved, 0);
    return out;
}

std::optional<Datagram> decodeDatagram(const void* data, std::size_t size)
{
    if (data == nullptr || size != kDatagramSize)
        return std::nullopt;
    const auto* in = static_cast<const std::uint8_t*>(data);
    if (get<std::uint32_t>(in, kOffMagic) != kDatagramMagic
        || get<std::uint16_t>(in, kOffVersion) != kDatagramVersion
        || get<std::uint16_t>(in, kOffSize) != kDatagramSize
        || get<std::uint32_t>(in, kOffReserved) != 0)
        return std::nullopt;

    Datagram d;
    const std::uint32_t kind = get<std::uint32_t>(in, kOffKind);
    const std::uint32_t status = get<std::uint32_t>(in, kOffStatus);
    d.message = get<std::uint32_t>(in, kOffMessage);
    d.window = get<std::uint64_t>(in, kOffWindow);
    d.wParam = WPARAM(get<std::uint64_t>(in, kOffWParam));
    d.lParam = LPARAM(get<std::uint64_t>(in, kOffLParam));
    d.serial = get<std::uint64_t>(in, kOffSerial);

    switch (kind) {
    case std::uint32_t(DatagramKind::Post):
        if (!addressesWindow(d.window) || d.serial != 0 || status != 0)
            return std::nullopt;
        break;
    case std::uint32_t(DatagramKind::Send):
        if (!addressesWindow(d.window) || d.serial == 0 || status != 0)
            return std::nullopt;
        break;
    case std::uint32_t(DatagramKind::Reply):
        if (d.serial == 0
            || (status != std::uint32_t(ReplyStatus::Handled) && status != std::uint32_t(ReplyStatus::NoWindow)))
            return std::nullopt;
        break;
    case std::uint32_t(DatagramKind::Wake):
        if (d.window != 0 || d.message != 0 || d.wParam != 0 || d.lParam != 0 || d.serial != 0 || status != 0)
            return std::nullopt;
        break;
    default:
        return std::nullopt;
    }
    d.kind = DatagramKind(kind);
    d.status = ReplyStatus(status);
    return d;
}

} // namespace messaging
