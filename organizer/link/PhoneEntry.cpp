#include "organizer/link/PhoneEntry.h"

#include "organizer/link/MobileStatus.h"
#include "organizer/link/TextRoutines.h"

#include <stdexcept>

namespace tessaro {

void EntryTable::Redim(int first, int last)
{
    m_first = first;
    m_entries.assign(last >= first ? std::size_t(last - first + 1) : 0, PhoneEntry{});
    m_reserved.assign(m_entries.size(), false);
}

void EntryTable::Reserve(int location)
{
    if (contains(location))
        m_reserved[std::size_t(location - m_first)] = true;
}

bool EntryTable::IsReserved(int location) const
{
    return contains(location) && m_reserved[std::size_t(location - m_first)];
}

void EntryTable::ClearReservations()
{
    m_reserved.assign(m_entries.size(), false);
}

PhoneEntry& EntryTable::Entries(int location)
{
    if (!contains(location))
        throw std::out_of_range("phone location outside the table");
    return m_entries[std::size_t(location - m_first)];
}

const PhoneEntry& EntryTable::Entries(int location) const
{
    if (!contains(location))
        throw std::out_of_range("phone location outside the table");
    return m_entries[std::size_t(location - m_first)];
}

void ClearEntryRecord(PhoneEntry& e)
{
    QString summary = std::move(e.Summary);
    e = PhoneEntry{};
    e.Summary = std::move(summary);
}

void ClearCurrentEntry()
{
    ClearEntryRecord(CurrentEntry);
}

void ClearEntryTable()
{
    // Every entry the table holds, also when its bounds lag behind the identified range.
    for (int i = PhoneEntryTable.LBound(); i <= PhoneEntryTable.UBound(); ++i)
        ClearEntryRecord(PhoneEntryTable.Entries(i));
    PhoneEntryTable.Count = 0;
    MobileEntriesRead = false;
    MobileEntryCount = 0;
    MobileConnected = false;
}

bool PhoneEntryEquals(const PhoneEntry& a, const PhoneEntry& b)
{
    return a.LocationIndex == b.LocationIndex && a.AAlarm == b.AAlarm && a.AAlarmSet == b.AAlarmSet &&
           a.IsAnniversary == b.IsAnniversary && a.DAlarm == b.DAlarm && a.DAlarmSet == b.DAlarmSet &&
           a.Description == b.Description && a.DtStart == b.DtStart && a.DtStartSet == b.DtStartSet &&
           a.SpareDate == b.SpareDate && a.Location == b.Location && a.IsSerie == b.IsSerie &&
           a.IsMeeting == b.IsMeeting && a.IsMemo == b.IsMemo && a.IsPhoneCall == b.IsPhoneCall &&
           a.RRule == b.RRule && a.StartTime == b.StartTime && a.Summary == b.Summary &&
           a.DisplayText == b.DisplayText;
}

bool FindEqualPhoneEntry(const EntryTable& table, const PhoneEntry& entry, std::int16_t& index)
{
    for (int i = FirstLocation; i <= LastLocation; ++i) {
        if (table.contains(i) && PhoneEntryEquals(table.Entries(i), entry)) {
            index = std::int16_t(i);
            return true;
        }
    }
    index = -1;
    return false;
}

bool GetMobileEntryIndex(const EntryTable& table, const QString& location, std::int16_t& index)
{
    index = -1;
    if (table.Count <= 0)
        return false;
    for (int i = FirstLocation; i <= LastLocation; ++i) {
        if (!table.contains(i))
            continue;
        const QString& loc = table.Entries(i).Location;
        if (!loc.isEmpty() && loc == location) {
            index = std::int16_t(i);
            return true;
        }
    }
    return false;
}

bool FindFreeMobileSlot(const EntryTable& table, std::int16_t& index)
{
    index = -1;
    if (table.Count <= 0 && !table.IsReserved(FirstLocation)) {
        index = FirstLocation;
        return true;
    }
    for (int i = FirstLocation; i <= LastLocation; ++i) {
        if (table.contains(i) && table.Entries(i).Location.isEmpty() && !table.IsReserved(i)) {
            index = std::int16_t(i);
            return true;
        }
    }
    return false;
}

bool FindFreeMobileLocation(const EntryTable& table, std::int32_t& location)
{
    if (LastLocation < FirstLocation)
        return false;
    std::vector<bool> used(std::size_t(LastLocation - FirstLocation + 1), false);
    for (int n = FirstLocation; n <= LastLocation; ++n)
        used[std::size_t(n - FirstLocation)] = table.IsReserved(n);
    for (int i = table.LBound(); i <= table.UBound(); ++i) {
        const QString& text = table.Entries(i).Location;
        if (text.isEmpty())
            continue;
        const std::int64_t n = LeadingNumber(text);
        if (n >= FirstLocation && n <= LastLocation)
            used[std::size_t(n - FirstLocation)] = true;
    }
    for (int n = FirstLocation; n <= LastLocation; ++n) {
        if (!used[std::size_t(n - FirstLocation)]) {
            location = n;
            return true;
        }
    }
    return false;
}

bool RemoveTableEntry(EntryTable& table, const QString& location)
{
    std::int16_t index = -1;
    if (!GetMobileEntryIndex(table, location, index))
        return false;
    ClearEntryRecord(table.Entries(index));
    --table.Count;
    MobileEntryCount = table.Count;
    ShowMobileStatus();
    return true;
}

} // namespace tessaro
