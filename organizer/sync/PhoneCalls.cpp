#include "organizer/sync/PhoneCalls.h"

#include "organizer/link/ComDrv.h"
#include "organizer/link/MobileAccess.h"
#include "organizer/link/VCalCodec.h"

namespace tessaro {

namespace {

class LinkPhone : public PhoneCalendar {
public:
    bool InitComm() override { return tessaro::InitComm(); }
    void CloseComm() override { tessaro::CloseComm(); }
    bool SendSingleEntry(const PhoneEntry& entry) override { return tessaro::SendSingleEntry(entry); }
    bool RemoveEntryFromMobile(std::int16_t location) override { return tessaro::RemoveEntryFromMobile(location); }
};

PhoneCalendar*& installed()
{
    static PhoneCalendar* phone = nullptr;
    return phone;
}

} // namespace

PhoneCalendar& Phone()
{
    static LinkPhone link;
    return installed() ? *installed() : link;
}

PhoneCalendar* setPhoneCalendar(PhoneCalendar* phone)
{
    PhoneCalendar* old = installed();
    installed() = phone;
    return old;
}

} // namespace tessaro
