// A fake of the forwarding and barring requests: it records every request with its arguments
// and the error reports, answers the forwarding query with a record a test fills in, and
// refuses requests when a test says so.
#pragma once

#include "mainprog/core/CallServiceEngine.h"

#include <cstring>
#include <string>
#include <vector>

namespace corvant::test {

class FakeCallService : public CallServiceEngine {
public:
    struct Request {
        std::string kind; // "lockget", "lockset", "fwdread", "fwdwrite"
        std::string facility;
        std::string password;
        std::string number;
        int reason = 0;
        int mode = 0;
        int time = 0;
        int classes = 0;
        UINT message = 0;
    };

    std::vector<Request> requests;
    std::vector<std::pair<int, int>> reports; // Fehler_Melden (class, id)
    int requestResult = 0;
    bool hasResult = true;

    // Fills the query record: status and number of one class.
    void answer(int k, int status, const char* number, int time = 0)
    {
        result.entry[k].status = status;
        std::strncpy(numbers[k], number, sizeof numbers[k] - 1);
        result.entry[k].time = time;
    }

    int ATLockGet(HWND, UINT message, const char* facility) override
    {
        Request r;
        r.kind = "lockget";
        r.facility = facility;
        r.message = message;
        requests.push_back(r);
        return requestResult;
    }
    int ATLockSet(HWND, UINT message, const char* facility, const char* password, int mode, int classes) override
    {
        Request r;
        r.kind = "lockset";
        r.facility = facility;
        r.password = password;
        r.mode = mode;
        r.classes = classes;
        r.message = message;
        requests.push_back(r);
        return requestResult;
    }
    int ATFwdRead(HWND, UINT message, int reason) override
    {
        Request r;
        r.kind = "fwdread";
        r.reason = reason;
        r.message = message;
        requests.push_back(r);
        return requestResult;
    }
    int ATFwdWrite(HWND, UINT message, int reason, int mode, const char* number, int time, int classes) override
    {
        Request r;
        r.kind = "fwdwrite";
        r.reason = reason;
        r.mode = mode;
        r.number = number;
        r.time = time;
        r.classes = classes;
        r.message = message;
        requests.push_back(r);
        return requestResult;
    }
    const FwdResult* ATFwdGet() override
    {
        for (int k = 0; k < 3; ++k)
            result.entry[k].number = numbers[k];
        return hasResult ? &result : nullptr;
    }
    BOOL Fehler_Melden(int errorClass, int stringId) override
    {
        reports.emplace_back(errorClass, stringId);
        return 1;
    }

private:
    FwdResult result{};
    char numbers[3][51] = {};
};

} // namespace corvant::test
