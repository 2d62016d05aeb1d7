// SMS in PDU mode: the SMS-SUBMIT (or stored SMS-DELIVER) the send job hands the phone, and the
// SMS-DELIVER the read job gets back from it, with the concatenation header of messages in
// several parts (element 0, 8-bit reference).
#pragma once

namespace zel {

// The PDU build buffer: hex text, Ctrl-Z and a zero byte. The longest PDU (a stored SMS-DELIVER
// with a 20-digit service centre, a 20-digit address and 140 user-data octets) takes 352.
constexpr int SMS_PDU_BUFFER_SIZE = 400;
// User data of one message, in octets.
constexpr int SMS_USER_DATA_SIZE = 140;
// The callers' areas: message data or text, and the sender's number or name.
constexpr int SMS_TEXT_AREA_SIZE = 172;
constexpr int SMS_SENDER_AREA_SIZE = 40;

constexpr int SMS_MAX_SEPTETS = 160;
constexpr char SMS_CTRL_Z = 26;

// Refusals of SmsPduEncode.
constexpr int SMS_PDU_BAD_NUMBER_LENGTH = -2; // destination empty or longer than 20 digits
constexpr int SMS_PDU_BAD_NUMBER_CHAR = -3;   // destination holds something other than digits

using SmsPduBuffer = char[SMS_PDU_BUFFER_SIZE];
using SmsTextArea = char[SMS_TEXT_AREA_SIZE];
using SmsSenderArea = char[SMS_SENDER_AREA_SIZE];

// Builds one PDU as upper-case hex in pduBuffer, followed by a Ctrl-Z and a zero byte.
// - number: destination, one optional leading "+" (international) and 1 to 20 digits.
// - data, length: the message. 7-bit text in GSM codes (top bits ignored) unless length < 0 or
//   reference < 0, which mark 8-bit data (the length then being -length). Data longer than a
//   part holds (160 or 140 single, 152 or 134 in a concatenated part) is cut, and a zero byte
//   is stored in data at the cut; 7-bit text is cut before an escape whose code would not fit.
// - reference, sequence, total: the concatenation header's values (low bytes), written when
//   total >= 2; a negative reference stands for the reference -reference.
// - mode: 0 or 1 build an SMS-DELIVER to store as received; any other an SMS-SUBMIT. The
//   protocol identifier is 00 for mode -1, 7F for every other.
// - smsc: service centre, "+" and 1 to 20 digits; anything else (or null) leaves the choice to
//   the phone (a single 00 octet).
// - smscOctets: set to the octets of the service-centre part.
// - validity: relative validity period code 0-255 (above 255 counts as 255); negative: none.
// Returns the octets of the whole PDU (service-centre part included), or SMS_PDU_BAD_NUMBER_LENGTH
// or SMS_PDU_BAD_NUMBER_CHAR with pduBuffer empty and smscOctets 0.
int SmsPduEncode(const char* number, char* data, int length, SmsPduBuffer& pduBuffer, int reference,
                 int sequence, int total, int mode, const char* smsc, int& smscOctets, int validity);

// Decodes an SMS-DELIVER from hexLength characters of hex (its first octet first, the
// service-centre part already skipped; see serviceCentrePartLength) into the caller's areas.
// Every output is set:
// - text, textLength: the message in Latin-1 with a zero byte after it: default-alphabet septets
//   mapped GSM to Latin-1, 8-bit data as its bytes, UCS2 mapped to Latin-1 with "?" for each
//   character Latin-1 lacks; the user-data header is not part of it. Do not map it again.
// - sender: the originator's number ("+" only when international) or name, zero-ended.
// - timeStamp: the 14 hex characters of the service-centre time stamp inside hex.
// - reference, total, sequence: from the first valid concatenation element of the header
//   (8-bit or 16-bit reference); 0, 1, 1 without one.
// Returns false for anything that is not a well-formed SMS-DELIVER whose text can be read (cut
// short, lengths that disagree, a header that overruns its user data, compressed text, a status
// report or a submit); the outputs then hold an empty text and sender, a null time stamp and
// the values 0, 1, 1.
bool SmsPduDecode(const char* hex, int hexLength, SmsTextArea& text, int& textLength, SmsSenderArea& sender,
                  const char*& timeStamp, int& reference, int& total, int& sequence);

} // namespace zel
