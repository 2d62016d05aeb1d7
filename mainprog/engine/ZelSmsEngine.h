// The SMS manager's engine jobs bound to libzeldll.so.
#pragma once

#include "mainprog/core/SmsSeams.h"

namespace corvant {

class ZelSmsEngine : public SmsEngine {
public:
    int ATSMSend(HWND window, UINT message, const std::string& number, const std::string& text, int reference,
                 int sequence, int total, int mode, const std::string& smsc, int validity) override;
    int ATSMRead(HWND window, UINT message) override;
    bool ATSMGet(SmsRecord& record) override;
    int ATSMDel(HWND window, UINT message) override;
    int ATStatusCheck(HWND window, UINT message) override;
};

} // namespace corvant
