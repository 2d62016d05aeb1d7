// The phone operations the synchronisation and the entry editor call: opening and closing the
// link, writing one entry and deleting one location. The product goes through the organizer's
// link; tests put in a phone that fails where they choose.
#pragma once

#include "organizer/link/PhoneEntry.h"

#include <cstdint>

namespace tessaro {

class PhoneCalendar {
public:
    virtual ~PhoneCalendar() = default;
    // Opens the link; false (after its own message) when the phone does not answer.
    virtual bool InitComm() = 0;
    virtual void CloseComm() = 0;
    // Writes the entry at its LocationIndex; false after an error it has shown.
    virtual bool SendSingleEntry(const PhoneEntry& entry) = 0;
    // Deletes the object at a location; true at once for -1.
    virtual bool RemoveEntryFromMobile(std::int16_t location) = 0;
};

// The phone in use: the link's, unless one was installed.
PhoneCalendar& Phone();
// Installs a phone (not owned; nullptr: the link's again) and returns the previous one.
PhoneCalendar* setPhoneCalendar(PhoneCalendar* phone);

} // namespace tessaro
