// One calendar entry of the phone, the table of all entries read from the phone, and the
// entry being edited.
#pragma once

#include "organizer/link/VbDate.h"

#include <QString>

#include <cstdint>
#include <vector>

namespace tessaro {

// Flags of the record are stored as numbers, -1 true and 0 false: the writer takes a category
// only when its flag is exactly -1, but an alarm or a series whenever its flag is non-zero.
using Flag16 = std::int16_t;
constexpr Flag16 FlagTrue = -1;
constexpr Flag16 FlagFalse = 0;

struct PhoneEntry {
    Flag16 AAlarmSet = FlagFalse;
    VbDate AAlarm = 0;
    Flag16 IsAnniversary = FlagFalse;
    Flag16 DAlarmSet = FlagFalse;
    VbDate DAlarm = 0;
    QString Description;
    VbDate DtStart = 0;
    Flag16 DtStartSet = FlagFalse;
    VbDate SpareDate = 0;
    QString Location;
    Flag16 IsSerie = FlagFalse;
    Flag16 IsMemo = FlagFalse;
    Flag16 IsMeeting = FlagFalse;
    Flag16 IsPhoneCall = FlagFalse;
    QString RRule;
    std::int32_t WeekdayMask = 0;
    VbDate StartTime = 0;
    std::int16_t LocationIndex = -1;
    QString Summary;
    QString DisplayText;
};

// Entries indexed by phone location, from the lower to the upper bound given at Redim.
class EntryTable {
public:
    EntryTable() = default;

    // Re-dimensions to first..last; the contents are dropped. last < first gives no entries.
    void Redim(int first, int last);

    int LBound() const { return m_first; }
    int UBound() const { return m_first + int(m_entries.size()) - 1; }
    bool contains(int location) const { return location >= LBound() && location <= UBound(); }

    // The entry of a location inside the bounds.
    PhoneEntry& Entries(int location);
    const PhoneEntry& Entries(int location) const;

    std::int16_t Count = 0;

    // A location whose object is on the phone but not in the table (it could not be read as an
    // entry, or was left out): it is not free, so no write may take it. Re-dimensioning (a new
    // read of the phone) forgets these.
    void Reserve(int location);
    bool IsReserved(int location) const;
    void ClearReservations();

private:
    int m_first = 1;
    std::vector<PhoneEntry> m_entries;
    std::vector<bool> m_reserved;
};

// The phone side of the organizer (set by the phone calendar access).
inline EntryTable PhoneEntryTable;
inline PhoneEntry CurrentEntry;
inline bool MobileConnected = false;
inline bool MobileEntriesRead = false;
inline std::int16_t MobileEntryCount = 0;
inline std::int16_t FirstLocation = 1;
inline std::int16_t LastLocation = 30;
inline std::int16_t MobileCapacity = 30;

// All flags and dates 0, WeekdayMask 0, the texts but Summary "", LocationIndex -1.
// Summary keeps its value: the editor refills every other field, and an edited entry keeps
// the summary the editor does not show.
void ClearEntryRecord(PhoneEntry& entry);
void ClearCurrentEntry();

// Clears every entry of the table, its count and the phone-side state.
void ClearEntryTable();

bool PhoneEntryEquals(const PhoneEntry& a, const PhoneEntry& b);
bool FindEqualPhoneEntry(const EntryTable& table, const PhoneEntry& entry, std::int16_t& index);

// The first location FirstLocation..LastLocation whose entry has exactly this non-empty
// Location text.
bool GetMobileEntryIndex(const EntryTable& table, const QString& location, std::int16_t& index);

// A location FirstLocation..LastLocation whose entry has an empty Location and that is not
// reserved (FirstLocation when the table counts nothing and holds it free); index -1 and false
// when there is none.
bool FindFreeMobileSlot(const EntryTable& table, std::int16_t& index);

// The first location number FirstLocation..LastLocation that no entry's Location names and that
// is not reserved.
bool FindFreeMobileLocation(const EntryTable& table, std::int32_t& location);

// Clears the entry of that location, counts it off and refreshes the status bar.
bool RemoveTableEntry(EntryTable& table, const QString& location);

} // namespace tessaro
