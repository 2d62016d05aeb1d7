#include "tools/phonesim/CmeError.h"

namespace torvane::phonesim {

std::string cmeErrorText(int code)
{
    switch (code) {
    case CmePhoneFailure: return "phone failure";
    case CmeOperationNotAllowed: return "operation not allowed";
    case CmeOperationNotSupported: return "operation not supported";
    case CmeSimNotInserted: return "SIM not inserted";
    case CmeSimPinRequired: return "SIM PIN required";
    case CmeSimPukRequired: return "SIM PUK required";
    case CmeSimFailure: return "SIM failure";
    case CmeIncorrectPassword: return "incorrect password";
    case CmeSimPin2Required: return "SIM PIN2 required";
    case CmeSimPuk2Required: return "SIM PUK2 required";
    case CmeMemoryFull: return "memory full";
    case CmeInvalidIndex: return "invalid index";
    case CmeNotFound: return "not found";
    case CmeTextTooLong: return "text string too long";
    case CmeInvalidCharacters: return "invalid characters in text string";
    case CmeDialStringTooLong: return "dial string too long";
    case CmeInvalidDialCharacters: return "invalid characters in dial string";
    case CmeNoNetworkService: return "no network service";
    default: return "unknown";
    }
}

} // namespace torvane::phonesim
