// The organizer's view of the phone as a calendar: who the phone is and which locations its
// calendar has, reading one location or all of them into PhoneEntryTable, and deleting one.
// Every procedure here shows its own errors and answers false; none raises to its caller.
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

namespace tessaro {

// The phone's answers to AT+CGMI and AT+CGMM, cleaned.
inline QString MobileManufacturer;
inline QString MobileModel;

// The calendar's locations when the phone cannot be asked or names none.
constexpr std::int16_t DefaultFirstLocation = 1;
constexpr std::int16_t DefaultLastLocation = 30;

// An identification answer read up to its closing OK, without its line ends and without the "O"
// and "K" letters at either end: the closing OK goes, a maker's name keeps the letters inside it
// ("TORVANE" stays, a model "K45" reads as "45").
QString CleanIdentAnswer(const QByteArray& answer);

// The range of "vcs" locations in a cleaned answer to AT^SBNW=? ("^SBNW: "vcs",(1-50)" gives 1
// and 50). False, with first and last untouched, when the answer names no such range or one
// that is none: a number missing, the first above the last, or beyond 16 bits.
bool ParseVcsRange(const QString& cleaned, std::int16_t& first, std::int16_t& last);

// Sets FirstLocation, LastLocation and MobileCapacity. When the table's bounds differ from the
// range it is re-dimensioned to it, so no look-up runs outside it; entries it held belong to
// another range and are dropped, the grid's phone side with them (ResetMobileState).
void SetLocationRange(std::int16_t first, std::int16_t last);

// Opens the link, identifies the phone and closes the link. Sets the location range and
// MobileConnected. The entry count comes back as 0 and MobileEntriesRead goes off, unless the
// table still holds the phone's entries of this range: then they stay read and the count is
// theirs, so a phone test does not lose the entries on show. The out-values may be the
// globals or a caller's own.
bool GetMobileInfo(bool& connected, QString& model, QString& manufacturer, std::int16_t& entryCount);

// The same questions on a link that is open already; starts from the range 1 to 30, which
// stays when the questions fail.
bool ReadMobileInfo(bool& connected, QString& model, QString& manufacturer, std::int16_t& entryCount);

// The text of the "vcs" object at one location, "EMPTY" for an empty one. A failed read
// closes the port, so an answer the phone still sends cannot pass for a later one's.
bool GetSingleMobileEntry(QString& text, std::int16_t location);

// Reads FirstLocation..LastLocation into PhoneEntryTable under the status window, which is
// asked before each location. A cancel or a failed read clears the table.
bool GetMobileEntries();

// Deletes the object at a location on the phone; -1 (not on the phone) needs no command.
bool RemoveEntryFromMobile(std::int16_t location);

} // namespace tessaro
