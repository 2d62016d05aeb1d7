// The organizer's string table: English from 10000 on, German from 20000 on, the same offset
// for the same text in both. Every text the user sees is LanguageBase + offset.
#pragma once

#include <QString>

namespace tessaro {

constexpr int LanguageEnglish = 10000;
constexpr int LanguageGerman = 20000;

// Offsets of the texts the link, the transfer and the codec use.
constexpr int TxtTimeout = 106;
constexpr int TxtCheckCable = 107;
constexpr int TxtMobileMessage = 160;
constexpr int TxtWrongType = 161;
constexpr int TxtWrongSubtype = 162;
constexpr int TxtWrongBlockNumber = 163;
constexpr int TxtReentrantCall = 165;
constexpr int TxtUnexpectedTag = 167;
constexpr int TxtPortNotAvailable = 168;
constexpr int TxtUploadPending = 169;

// String `id` of the table; "" for a number that holds no string.
QString LoadResString(int id);

// String LanguageBase + offset.
QString LangText(int offset);

} // namespace tessaro
