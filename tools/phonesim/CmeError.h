// Mobile equipment error numbers and their texts, as a phone reports them after AT+CMEE.
#pragma once

#include <string>

namespace torvane::phonesim {

enum CmeErrorCode : int {
    CmePhoneFailure = 0,
    CmeOperationNotAllowed = 3,
    CmeOperationNotSupported = 4,
    CmeSimNotInserted = 10,
    CmeSimPinRequired = 11,
    CmeSimPukRequired = 12,
    CmeSimFailure = 13,
    CmeIncorrectPassword = 16,
    CmeSimPin2Required = 17,
    CmeSimPuk2Required = 18,
    CmeMemoryFull = 20,
    CmeInvalidIndex = 21,
    CmeNotFound = 22,
    CmeTextTooLong = 24,
    CmeInvalidCharacters = 25,
    CmeDialStringTooLong = 26,
    CmeInvalidDialCharacters = 27,
    CmeNoNetworkService = 30,
    CmeUnknown = 100,
};

// "incorrect password" for 16; "unknown" for numbers without a text.
std::string cmeErrorText(int code);

} // namespace torvane::phonesim
