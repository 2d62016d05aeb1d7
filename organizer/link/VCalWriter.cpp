#include "organizer/link/VCalCodec.h"

#include "organizer/link/Frontend.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"

#include <algorithm>

namespace tessaro {

namespace {

// A line break inside a text would end its line early and leave an object the parser
// refuses for ever; other control characters do the phone no good either.
QString singleLine(const QString& text)
{
    QString out = PhoneText(text);
    for (QChar& c : out) {
        const unsigned code = c.unicode();
        if (code < 0x20 || code == 0x7f)
            c = QLatin1Char(' ');
    }
    return out;
}

} // namespace

void InitVCalTags()
{
    VCalTags = VCalTagTexts{
        QStringLiteral("BEGIN:VCALENDAR"), QStringLiteral("VERSION:1.0"),  QStringLiteral("BEGIN:VEVENT"),
        QStringLiteral("CATEGORIES:"),     QStringLiteral("DTSTART:"),     QStringLiteral("DALARM:"),
        QStringLiteral("AALARM:"),         QStringLiteral("RRULE:"),       QStringLiteral("DESCRIPTION:"),
        QStringLiteral("SUMMARY:"),        QStringLiteral("END:VEVENT"),   QStringLiteral("END:VCALENDAR"),
    };
}

QString VCalDateTimeText(VbDate d)
{
    const DateParts p = vbDateParts(d);
    return QStringLiteral("%1%2%3T%4%5%6Z")
        .arg(p.year, 4, 10, QLatin1Char('0'))
        .arg(p.month, 2, 10, QLatin1Char('0'))
        .arg(p.day, 2, 10, QLatin1Char('0'))
        .arg(p.hour, 2, 10, QLatin1Char('0'))
        .arg(p.minute, 2, 10, QLatin1Char('0'))
        .arg(p.second, 2, 10, QLatin1Char('0'));
}

QString BuildVCalText(const PhoneEntry& e)
{
    InitVCalTags();
    if (e.IsMeeting == FlagTrue)
        VCalTags.Categories += CategoryMeeting;
    else if (e.IsAnniversary == FlagTrue)
        VCalTags.Categories += CategoryAnniversary;
    else if (e.IsPhoneCall == FlagTrue)
        VCalTags.Categories += CategoryPhoneCall;
    else
        VCalTags.Categories += CategoryMiscellaneous;

    QString text;
    auto line = [&text](const QString& s) { text += s + vbCrLf; };
    line(VCalTags.BeginCalendar);
    line(VCalTags.Version);
    line(VCalTags.BeginEvent);
    line(VCalTags.Categories);
    line(VCalTags.DtStart + VCalDateTimeText(e.StartTime));
    if (e.DAlarmSet != 0)
        line(VCalTags.DAlarm + VCalDateTimeText(e.DAlarm));
    if (e.AAlarmSet != 0)
        line(VCalTags.AAlarm + VCalDateTimeText(e.AAlarm));
    if (e.IsSerie != 0)
        line(VCalTags.RRule + e.RRule + QStringLiteral(" #0"));
    if (!e.Description.isEmpty())
        line(VCalTags.Description + singleLine(e.Description));
    if (!e.Summary.isEmpty())
        line(VCalTags.Summary + singleLine(e.Summary));
    line(VCalTags.EndEvent);
    line(VCalTags.EndCalendar);
    return text;
}

QString PhoneText(const QString& text)
{
    const auto beyondLatin1 = [](QChar c) { return c.unicode() > 0xff; };
    // The grids compare texts this way row by row: most of them need no copy.
    if (std::none_of(text.cbegin(), text.cend(), beyondLatin1))
        return text;
    QString out = text;
    std::replace_if(out.begin(), out.end(), beyondLatin1, UnknownPhoneCharacter);
    return out;
}

QByteArray VCalTextToBytes(const QString& text)
{
    return PhoneText(text).toLatin1();
}

bool SendSingleEntry(const PhoneEntry& entry)
{
    try {
        const QString text = BuildVCalText(entry);
        if (DumpFlag)
            MsgBox(text, vbInformation, AppTitle);
        SendeFeldAnMs(VCalTextToBytes(text), QByteArrayLiteral("vcs"), entry.LocationIndex);
        return true;
    } catch (const OrgError& err) {
        ShowErrorBox(err, QStringLiteral("SendSingleEntry"), err.source());
        return false;
    }
}

} // namespace tessaro
