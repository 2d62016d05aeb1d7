// The phone's calendar objects: vCalendar 1.0 text of type vcs, one entry per location.
#pragma once

#include "organizer/link/PhoneEntry.h"

#include <QByteArray>
#include <QString>

namespace tessaro {

// The tag texts the writer uses. The category is appended to `Categories` while building,
// so InitVCalTags resets them before every write.
struct VCalTagTexts {
    QString BeginCalendar, Version, BeginEvent, Categories, DtStart, DAlarm, AAlarm, RRule,
        Description, Summary, EndEvent, EndCalendar;
};
inline VCalTagTexts VCalTags;
void InitVCalTags();

// The category words, both directions.
inline const QString CategoryMiscellaneous = QStringLiteral("MISCELLANEOUS");
inline const QString CategoryMeeting = QStringLiteral("MEETING");
inline const QString CategoryAnniversary = QStringLiteral("ANNIVERSARY");
inline const QString CategoryPhoneCall = QStringLiteral("PHONE CALL");

// "yyyymmddThhmmssZ" of the local date and time as stored (no conversion to UTC).
QString VCalDateTimeText(VbDate d);

// The object text of an entry, every line ended by CR LF.
QString BuildVCalText(const PhoneEntry& entry);

// What stands for a character the phone's Latin-1 text cannot hold, as everywhere else in the
// suite where a text goes down to Latin-1.
inline constexpr QChar UnknownPhoneCharacter = u'?';

// The text as the phone will hold it: every character beyond Latin-1 becomes
// UnknownPhoneCharacter (never the character its low byte would name).
QString PhoneText(const QString& text);

// One byte per character, the Latin-1 code of PhoneText.
QByteArray VCalTextToBytes(const QString& text);

// Writes the entry as a vcs object at its LocationIndex. False after an error, which it
// has shown in the error box.
bool SendSingleEntry(const PhoneEntry& entry);

// Fills `entry` from the text of one location; raises the parse and conversion errors.
void ParseVCalText(PhoneEntry& entry, const QString& text);

// The same, showing an error in the error box and answering false. The record keeps the
// fields set before the error.
bool ParsEntryFromMobile(PhoneEntry& entry, const QString& text);

// A date-time as the phone stores it, yyyymmddThhmmss; throws the type-mismatch error.
VbDate ParseVCalDateTime(const QString& value);

} // namespace tessaro
