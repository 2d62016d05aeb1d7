// The SMS PDUs the simulated phone makes and checks, written from GSM 03.40 apart from the
// suite's own codec: received messages built for injection (any service centre, numeric or
// alphanumeric senders, default alphabet, 8-bit or UCS2 text, concatenation headers), and the
// SMS-SUBMIT a program hands over, read far enough to check it and to deliver it back.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace torvane::phonesim {

struct IncomingSms {
    enum class Coding { Septets, Octets, Ucs2 };

    // "+" and 0 to 20 digits; empty: no service-centre address (the single octet 00).
    std::string serviceCentre = "+491710760000";
    // A number ("+" for international, then digits) or, when it holds anything else, a name
    // sent as an alphanumeric address.
    std::string sender = "+491701234567";
    Coding coding = Coding::Septets;
    // Latin-1 for the default alphabet, bytes for 8-bit data, UTF-8 for UCS2.
    std::string text;
    // A concatenation header (8-bit reference) is written when total is 2 or more.
    int reference = 0;
    int total = 1;
    int sequence = 1;
    // Year (two digits), month, day, hour, minute, second and the zone in quarter hours.
    std::array<int, 7> timeStamp = {24, 5, 17, 12, 34, 56, 8};
};

// The whole PDU as a phone lists it, in hex: service-centre part, then the SMS-DELIVER. Empty
// when a field cannot be written (a sender or centre that is too long, text beyond one message).
std::string buildDeliver(const IncomingSms& sms);

// A text in the default alphabet, one septet a byte; a character of the extension table takes
// two (the escape 1B and its code there), one without a code becomes "?".
std::string latinToSeptets(const std::string& latin1);

// What the phone reads of a PDU that a program hands over (service-centre part included).
struct HandedPdu {
    int serviceCentreOctets = 0; // the part before the TPDU, its length octet included
    int tpduOctets = 0;
    int messageType = 0; // 0 deliver, 1 submit, 2 command
    std::string tpdu;    // bytes
};

// Reads the service-centre part and the message type; nothing when the text is not hex or the
// service-centre part does not fit.
std::optional<HandedPdu> readHandedPdu(const std::string& hex);

// The SMS-DELIVER a phone receives for an SMS-SUBMIT: the submit's protocol identifier, coding,
// header flag and user data, from `sender`, stamped `timeStamp`, behind the service centre. Nothing
// when the submit is malformed (its user data does not match its length).
std::optional<std::string> deliverForSubmit(const std::string& submitTpdu, const std::string& serviceCentre,
                                            const std::string& sender, const std::array<int, 7>& timeStamp);

// The destination of an SMS-SUBMIT ("+" for international), or nothing when it is cut short.
std::optional<std::string> submitDestination(const std::string& submitTpdu);

} // namespace torvane::phonesim
