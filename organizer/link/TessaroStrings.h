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

// Offsets of the phone calendar access, the status window and the language window.
constexpr int TxtReallyCancel = 111;
constexpr int TxtSearchForEntry = 123;
constexpr int TxtReadingStatus = 124;
constexpr int TxtReadingEntries = 125;
constexpr int TxtWritingGrid = 126;
constexpr int TxtEntriesOccupied = 131;
constexpr int TxtConnected = 132;
constexpr int TxtNoMobile = 133;
constexpr int TxtOffline = 134;
constexpr int TxtAppCaption = 172;

// String `id` of the table; "" for a number that holds no string.
QString LoadResString(int id);

// String LanguageBase + offset.
QString LangText(int offset);

// The few captions that are no table texts: two fixed texts each, German exactly when
// LanguageBase is 20000.
QString LanguageFrameCaption(); // "Language" / "Sprache"
QString CancelButtonCaption();  // "cancel" / "abbrechen"
QString HelpFileName();         // "TessaroHelpe.hlp" / "TessaroHelpd.hlp"

} // namespace tessaro
