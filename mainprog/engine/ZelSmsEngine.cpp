#include "mainprog/engine/ZelSmsEngine.h"

#include "engine/zeldll.h"

namespace corvant {

int ZelSmsEngine::ATSMSend(HWND window, UINT message, const std::string& number, const std::string& text,
                           int reference, int sequence, int total, int mode, const std::string& smsc, int validity)
{
    return ::ATSMSend(window, message, number.c_str(), text.data(), static_cast<int>(text.size()), reference,
                      sequence, total, mode, smsc.c_str(), validity);
}

int ZelSmsEngine::ATSMRead(HWND window, UINT message)
{
    return ::ATSMRead(window, message);
}

bool ZelSmsEngine::ATSMGet(SmsRecord& record)
{
    const SMResult* result = ::ATSMGet();
    if (!result || !result->text)
        return false;
    record.sender = result->sender ? result->sender : "";
    record.text.assign(result->text, result->textLength > 0 ? static_cast<size_t>(result->textLength) : 0);
    record.timeStamp = result->timeStamp;
    record.reference = result->reference;
    record.sequence = result->sequence;
    record.total = result->total;
    return true;
}

int ZelSmsEngine::ATSMDel(HWND window, UINT message)
{
    return ::ATSMDel(window, message);
}

int ZelSmsEngine::ATStatusCheck(HWND window, UINT message)
{
    return ::ATStatusCheck(window, message);
}

} // namespace corvant
