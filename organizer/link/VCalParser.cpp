#include "organizer/link/VCalCodec.h"

#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/PublicVar.h"
#include "organizer/link/TextRoutines.h"

namespace tessaro {

namespace {

const QString kSource = QStringLiteral("ParsEntryFromMobile");

[[noreturn]] void unexpectedTag(int number, const char* after, const QString& key, const QString& value)
{
    throw OrgError(number, kSource,
                   LangText(TxtUnexpectedTag) + QLatin1String(after) + vbCrLf + key + QLatin1Char(':') + value);
}

bool isOneOf(const QString& value, std::initializer_list<const char*> accepted)
{
    for (const char* a : accepted)
        if (value == QLatin1String(a))
            return true;
    return false;
}

} // namespace

VbDate ParseVCalDateTime(const QString& value)
{
    QString digits = value;
    StripChars(digits, QStringLiteral("T"));
    // The digits are read as one number laid out as yyyy/mm/dd hh:mm:ss: anything but digits,
    // a trailing "Z" included, is not a number, and fewer or more significant digits do not
    // make a date.
    if (digits.isEmpty())
        throw typeMismatchError();
    for (QChar c : digits)
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            throw typeMismatchError();
    qsizetype first = 0;
    while (first < digits.size() - 1 && digits[first] == QLatin1Char('0'))
        ++first;
    const QString n = digits.mid(first);
    if (n.size() != 14)
        throw typeMismatchError();
    const DateParts p{n.mid(0, 4).toInt(), n.mid(4, 2).toInt(),  n.mid(6, 2).toInt(),
                      n.mid(8, 2).toInt(), n.mid(10, 2).toInt(), n.mid(12, 2).toInt()};
    if (!isValidDateParts(p))
        throw typeMismatchError();
    return makeVbDate(p);
}

void ParseVCalText(PhoneEntry& e, const QString& text)
{
    QString rest = text;
    while (!rest.isEmpty()) {
        const QString key = SplitToken(rest, QStringLiteral(":"));
        const QString value = SplitToken(rest, vbCrLf);
        if (key == QLatin1String("BEGIN")) {
            if (!isOneOf(value, {"VCALENDAR", "VEVENT"}))
                unexpectedTag(ErrVcsBegin, " BEGIN", key, value);
        } else if (key == QLatin1String("END")) {
            if (!isOneOf(value, {"VCALENDAR", "VEVENT"}))
                unexpectedTag(ErrVcsEnd, " END", key, value);
        } else if (key == QLatin1String("CATEGORIES")) {
            if (value == CategoryMiscellaneous)
                e.IsMemo = FlagTrue;
            else if (value == CategoryMeeting)
                e.IsMeeting = FlagTrue;
            else if (value == CategoryAnniversary)
                e.IsAnniversary = FlagTrue;
            else if (value == CategoryPhoneCall)
                e.IsPhoneCall = FlagTrue;
            else
                unexpectedTag(ErrVcsCategories, " CATEGORIES", key, value);
        } else if (key == QLatin1String("DTSTART")) {
            e.DtStart = ParseVCalDateTime(value);
            e.DtStartSet = FlagTrue;
        } else if (key == QLatin1String("AALARM")) {
            e.AAlarm = ParseVCalDateTime(value);
            e.AAlarmSet = FlagTrue;
        } else if (key == QLatin1String("DALARM")) {
            e.DAlarm = ParseVCalDateTime(value);
            e.DAlarmSet = FlagTrue;
        } else if (key == QLatin1String("DESCRIPTION")) {
            e.Description = value;
        } else if (key == QLatin1String("SUMMARY")) {
            e.Summary = value;
        } else if (key == QLatin1String("RRULE")) {
            if (value == QLatin1String("D1"))
                e.RRule = value;
            else if (value == QLatin1String("D7") || value == QLatin1String("W1"))
                e.RRule = QStringLiteral("W1");
            else if (value == QLatin1String("Y1"))
                e.RRule = value;
            else
                unexpectedTag(ErrVcsRRule, " RRULE", key, value);
            e.IsSerie = FlagTrue;
        } else if (key != QLatin1String("VERSION")) {
            unexpectedTag(ErrVcsKey, " vcs key", key, value);
        }
    }

    if (e.DtStartSet != 0) {
        if (e.AAlarmSet != 0)
            e.StartTime = vbDateEarlier(e.DtStart, e.AAlarm);
        else if (e.DAlarmSet != 0)
            e.StartTime = vbDateEarlier(e.DtStart, e.DAlarm);
        else
            e.StartTime = e.DtStart;
    } else if (e.DAlarmSet != 0 && e.AAlarmSet != 0) {
        e.StartTime = vbDateEarlier(e.DAlarm, e.AAlarm);
    } else if (e.DAlarmSet != 0) {
        e.StartTime = e.DAlarm;
    } else {
        e.StartTime = e.AAlarm;
    }
    if (e.RRule == QLatin1String("W1"))
        e.WeekdayMask = std::int32_t(1) << (vbWeekday(e.StartTime) - 1);
    e.DisplayText = e.Description.isEmpty() ? e.Summary : e.Description;
}

bool ParsEntryFromMobile(PhoneEntry& entry, const QString& text)
{
    try {
        if (DumpFlag)
            MsgBox(text, vbInformation, AppTitle);
        ParseVCalText(entry, text);
        return true;
    } catch (const OrgError& err) {
        ShowErrorBox(err, kSource);
        return false;
    }
}

} // namespace tessaro
