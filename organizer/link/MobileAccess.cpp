#include "organizer/link/MobileAccess.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/Frontend.h"
#include "organizer/link/MessageBox.h"
#include "organizer/link/MobileStatus.h"
#include "organizer/link/ObjectTransfer.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/OrganizerSeams.h"
#include "organizer/link/PhoneEntry.h"
#include "organizer/link/StatusDisplay.h"
#include "organizer/link/TessaroStrings.h"
#include "organizer/link/TextRoutines.h"
#include "organizer/link/VCalCodec.h"

#include <limits>

namespace tessaro {

namespace {

const QByteArray kAnswerEnd = QByteArrayLiteral("\r\nOK\r\n");
const QByteArray kVcsType = QByteArrayLiteral("\"vcs\"");
const QString kEmpty = QStringLiteral("EMPTY");

struct MobileIdentity {
    QString manufacturer;
    QString model;
    std::int16_t first = DefaultFirstLocation;
    std::int16_t last = DefaultLastLocation;
};

QString ask(const QByteArray& command)
{
    SendToMobile(command);
    QByteArray answer;
    ReceiveFromMobile(answer, kAnswerEnd);
    return CleanIdentAnswer(answer);
}

// The three questions; raises the link's errors.
MobileIdentity askIdentity()
{
    MobileIdentity id;
    id.manufacturer = ask(QByteArrayLiteral("AT+CGMI\r"));
    id.model = ask(QByteArrayLiteral("AT+CGMM\r"));
    ParseVcsRange(ask(QByteArrayLiteral("AT^SBNW=?\r")), id.first, id.last);
    return id;
}

bool entriesHeld()
{
    return MobileEntriesRead && PhoneEntryTable.Count > 0;
}

void applyIdentity(const MobileIdentity& id, bool& connected, QString& model, QString& manufacturer,
                   std::int16_t& entryCount)
{
    SetLocationRange(id.first, id.last);
    manufacturer = id.manufacturer;
    model = id.model;
    MobileConnected = true;
    connected = true;
    if (entriesHeld()) {
        entryCount = PhoneEntryTable.Count;
    } else {
        MobileEntriesRead = false;
        entryCount = 0;
    }
}

// Digits at the start of `s` after blanks; false when there are none or they pass 16 bits.
bool leadingCount(const QString& s, std::int32_t& value)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char(' '))
        ++i;
    const qsizetype from = i;
    value = 0;
    for (; i < s.size() && s[i] >= QLatin1Char('0') && s[i] <= QLatin1Char('9'); ++i) {
        value = value * 10 + (s[i].unicode() - '0');
        if (value > std::numeric_limits<std::int16_t>::max())
            return false;
    }
    return i > from;
}

} // namespace

QString CleanIdentAnswer(const QByteArray& answer)
{
    // Stripping every O and K, as the result code's letters, would show the maker "TORVANE" as
    // "TRVANE"; only those at the ends belong to the answer's frame.
    QString text = QString::fromLatin1(answer);
    StripChars(text, QStringLiteral("\r\n"));
    const auto isFrameLetter = [](QChar c) { return c == QLatin1Char('O') || c == QLatin1Char('K'); };
    qsizetype from = 0;
    qsizetype to = text.size();
    while (from < to && isFrameLetter(text[from]))
        ++from;
    while (to > from && isFrameLetter(text[to - 1]))
        --to;
    return text.mid(from, to - from);
}

bool ParseVcsRange(const QString& cleaned, std::int16_t& first, std::int16_t& last)
{
    QString rest = cleaned;
    const QString marker = QStringLiteral("\"vcs\",(");
    if (!rest.contains(marker))
        return false;
    SplitToken(rest, marker);
    std::int32_t from = 0;
    std::int32_t to = 0;
    if (!leadingCount(rest, from) || !rest.contains(QLatin1Char('-')))
        return false;
    SplitToken(rest, QStringLiteral("-"));
    if (!leadingCount(rest, to) || from > to)
        return false;
    first = std::int16_t(from);
    last = std::int16_t(to);
    return true;
}

void SetLocationRange(std::int16_t first, std::int16_t last)
{
    if (PhoneEntryTable.LBound() != first || PhoneEntryTable.UBound() != last) {
        if (PhoneEntryTable.Count > 0)
            ResetMobileState();
        PhoneEntryTable.Redim(first, last);
        PhoneEntryTable.Count = 0;
        MobileEntryCount = 0;
        MobileEntriesRead = false;
    }
    FirstLocation = first;
    LastLocation = last;
    MobileCapacity = std::int16_t(last - first + 1);
}

bool GetMobileInfo(bool& connected, QString& model, QString& manufacturer, std::int16_t& entryCount)
{
    connected = false;
    if (!InitComm()) {
        // InitComm has reset the phone side; what it could not clear stays counted.
        SetLocationRange(DefaultFirstLocation, DefaultLastLocation);
        MobileConnected = false;
        if (!entriesHeld())
            MobileEntriesRead = false;
        CloseComm();
        return false;
    }
    try {
        const MobileIdentity id = askIdentity();
        applyIdentity(id, connected, model, manufacturer, entryCount);
        CloseComm();
        return true;
    } catch (const OrgError& err) {
        CloseComm();
        ReceiveRest.clear();
        MobileConnected = false;
        ShowErrorBox(err, QStringLiteral("GetMobileInfo"));
        return false;
    }
}

bool ReadMobileInfo(bool& connected, QString& model, QString& manufacturer, std::int16_t& entryCount)
{
    SetLocationRange(DefaultFirstLocation, DefaultLastLocation);
    try {
        const MobileIdentity id = askIdentity();
        applyIdentity(id, connected, model, manufacturer, entryCount);
        return true;
    } catch (const OrgError& err) {
        // A late answer must not pass for the next command's.
        ReceiveRest.clear();
        ShowErrorBox(err, QStringLiteral("ReadMobileInfo"));
        return false;
    }
}

bool GetSingleMobileEntry(QString& text, std::int16_t location)
{
    try {
        QByteArray bytes;
        EmpfangeDatenobjektVonMs(bytes, kVcsType, location);
        text = bytes == EmptyObjectBytes() ? kEmpty : QString::fromLatin1(bytes);
        return true;
    } catch (const OrgError& err) {
        // The phone may still be answering the failed read; a closed port drops that answer,
        // which would otherwise be taken for the answer to the next command.
        CloseComm();
        ReceiveRest.clear();
        if (err.number() == ErrTimeout)
            MsgBox(LangText(TxtTimeout) + vbCrLf + LangText(TxtCheckCable), vbOKOnly, AppTitle);
        else
            ShowErrorBox(err, QStringLiteral("GetSingleMobileEntry"));
        return false;
    }
}

bool GetMobileEntries()
{
    std::int16_t counter = 0;
    try {
        // Every location starts empty: one that reads EMPTY now must not keep an earlier entry.
        PhoneEntryTable.Redim(FirstLocation, LastLocation);
        PhoneEntryTable.Count = 0;
        MobileEntryCount = 0;
        StatusDisplay& status = StatusWindow();
        bool stopped = false;
        for (int location = FirstLocation; location <= LastLocation; ++location) {
            if (!status.GetState()) {
                stopped = true;
                break;
            }
            status.SetText(LangText(TxtSearchForEntry) + QLatin1Char(' ') + QString::number(location) +
                           QStringLiteral(" / ") + QString::number(LastLocation));
            QString text;
            if (!GetSingleMobileEntry(text, std::int16_t(location))) {
                stopped = true;
                break;
            }
            if (text == kEmpty)
                continue;
            // A fresh record, its summary too: an entry without SUMMARY must not show the last one's.
            PhoneEntry entry;
            std::int16_t equal = -1;
            std::int16_t slot = -1;
            std::int32_t freeLocation = -1;
            if (ParsEntryFromMobile(entry, text) && !FindEqualPhoneEntry(PhoneEntryTable, entry, equal) &&
                FindFreeMobileSlot(PhoneEntryTable, slot) && FindFreeMobileLocation(PhoneEntryTable, freeLocation)) {
                entry.Location = QString::number(location);
                entry.LocationIndex = std::int16_t(location);
                PhoneEntryTable.Entries(location) = entry;
                ++counter;
                PhoneEntryTable.Count = counter;
                MobileEntryCount = counter;
            } else {
                // The object stays on the phone although no row shows it: a write must not take it.
                PhoneEntryTable.Reserve(location);
            }
        }
        bool result = false;
        if (!stopped) {
            MobileEntriesRead = true;
            PhoneEntryTable.Count = counter;
            result = true;
        } else {
            ClearEntryTable();
            MobileEntriesRead = false;
        }
        ShowMobileStatus();
        return result;
    } catch (const OrgError& err) {
        ShowErrorBox(err, QStringLiteral("GetMobileEntries"));
        PhoneEntryTable.Count = counter;
        MobileEntryCount = counter;
        ShowMobileStatus();
        return false;
    }
}

bool RemoveEntryFromMobile(std::int16_t location)
{
    if (location == -1)
        return true;
    try {
        RecordLoeschen(QByteArrayLiteral("vcs"), location);
        return true;
    } catch (const OrgError& err) {
        ShowErrorBox(err, QStringLiteral("RemoveEntryFromMobile"));
        return false;
    }
}

} // namespace tessaro
