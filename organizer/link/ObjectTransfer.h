// The phone's object store: objects of a type at numbered locations, carried in blocks of at
// most 150 bytes as hex text. None of these opens the link or shows anything: every error goes
// to the caller unchanged.
#pragma once

#include <QByteArray>

#include <cstdint>
#include <functional>

namespace tessaro {

constexpr int BlockSize = 150;

// What an empty location reads as: "EMPTY" in 16-bit little-endian characters.
QByteArray EmptyObjectBytes();

// Blocks of an object of `size` bytes (0 bytes: none).
int BlockCount(qsizetype size);

// The object in a read answer of "AT^SBNR=" type "," index. `betweenBlocks` runs after each
// block of an object of several blocks. Raises -1996, -1995, -1994 and the type-mismatch error
// of bad hex.
QByteArray ParseSbnrAnswer(QByteArray answer, const QByteArray& type, int index,
                           const std::function<void()>& betweenBlocks = {});

// The reset command for the state answer of "AT^SBNW?" (without CR); "" when it names nothing.
QByteArray UploadResetCommand(const QByteArray& stateAnswer);
// True when the state answer says that no upload is pending.
bool UploadIdle(const QByteArray& stateAnswer);

// A pause of TransferPause ms when one is set.
void TransferPauseWait();

// Reads one object; an empty location gives EmptyObjectBytes().
void EmpfangeDatenobjektVonMs(QByteArray& data, const QByteArray& type, std::int16_t index);
void SendeDatenobjektAnMs(const QByteArray& data, const QByteArray& type, std::int16_t index);
void Loesch(const QByteArray& type, std::int16_t index);

void SendToMobile(const QByteArray& text);
void ReceiveFromMobile(QByteArray& answer, const QByteArray& token);

} // namespace tessaro
