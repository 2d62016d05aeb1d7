// The one datagram that travels between message endpoints.
// Fixed layout, little-endian, no pointers: whoever can reach an endpoint controls every byte,
// so decodeDatagram() checks all of them before the dispatcher acts on one.
#pragma once

#include "platform/wintypes.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace messaging {

enum class DatagramKind : std::uint32_t {
    Post = 1,  // queued message for a window; no answer
    Send = 2,  // synchronous message; the receiver answers the sender's address with a Reply
    Reply = 3, // the handler's result for a Send with the same serial
    Wake = 4,  // nudges the dispatcher of the own process; carries nothing
};

enum class ReplyStatus : std::uint32_t {
    Handled = 0,
    NoWindow = 1, // the window was gone when the Send arrived; the result is 0
};

struct Datagram {
    DatagramKind kind = DatagramKind::Post;
    HWND window = 0;
    UINT message = 0;
    WPARAM wParam = 0;
    LPARAM lParam = 0;        // in a Reply: the handler's result
    std::uint64_t serial = 0; // pairs a Send with its Reply; 0 in Post and Wake
    ReplyStatus status = ReplyStatus::Handled;

    bool operator==(const Datagram&) const = default;
};

constexpr std::size_t kDatagramSize = 56;
constexpr std::uint32_t kDatagramMagic = 0x474d5654; // "TVMG" as it reads in the bytes
constexpr std::uint16_t kDatagramVersion = 1;

std::array<std::uint8_t, kDatagramSize> encodeDatagram(const Datagram& datagram);

// nullopt for anything that is not exactly one well-formed datagram of this version.
std::optional<Datagram> decodeDatagram(const void* data, std::size_t size);

} // namespace messaging
