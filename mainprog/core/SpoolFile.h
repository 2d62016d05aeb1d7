// The spool file format shared by the send road (files dropped into "sms_out") and the receive
// road (files written into "sms_in"): Latin-1 text whose fields are found by their markers,
// wherever they stand. Pure text functions, so that tests and the fuzz target reach them directly.
#pragma once

#include <string>
#include <vector>

namespace corvant::spool {

constexpr char kNumberMarker[] = "**Rufnummer:";
constexpr char kSubjectMarker[] = "**Betreffzeile:";
constexpr char kPriorityMarker[] = "**Priority";
constexpr char kBodyMarker[] = "**TextBody:";
constexpr char kEndMarker[] = "*** End of Message ***";

// Septets of a part of a concatenated message, and of a message that goes whole.
constexpr size_t kPartLength = 152;
constexpr size_t kSingleLength = 160;
constexpr size_t kMaxFileBytes = 64 * 1024;

// What the send road takes from a file.
struct OutgoingFile {
    bool hasNumber = false;   // a "**Rufnummer:" was found
    std::string destination;  // between the brackets; "<none>" without a number marker
    std::string rest;         // what follows the destination's "]"
    std::vector<std::string> furtherRecipients; // each "**Rufnummer: ... ]" before "**TextBody:"
    std::string commonTail;   // what follows the last further recipient (subject, body, end)
    std::string subject;      // trimmed
    std::string body;         // trimmed
};

// The text up to its first zero byte, as a file's bytes are taken.
std::string textOf(const std::string& bytes);

OutgoingFile parseOutgoing(const std::string& text);

// Blank, tab, CR, LF, vertical tab and form feed removed at both ends.
std::string trim(const std::string& text);

// Every character is a decimal digit, or "+" in the first position; an empty destination is
// refused too, since no message can be built for it.
bool isValidDestination(const std::string& destination);

std::string MergeSubjectAndBody(const std::string& subject, const std::string& body);

// Every character the phone cannot carry, control characters other than CR and LF among them,
// becomes a "."; the length does not change.
std::string FilterSmsText(const std::string& text);

// The text cut into the parts it goes as, in sequence order: whole when it takes at most
// kSingleLength septets, else parts of at most kPartLength septets each. A character of the
// extension table takes two septets and is never cut in two.
std::vector<std::string> cutParts(const std::string& text);
unsigned CountParts(const std::string& text);

// The message text as the preview shows it: a separator line between its parts.
std::string previewText(const std::vector<std::string>& parts);

// The inbox file of a received SMS, byte for byte. The date fields come from local time.
struct InboxDate {
    int year, month, day, hour, minute;
};
std::string inboxFile(const std::string& sender, const std::string& text, const InboxDate& date,
                      const std::string& phoneName);

} // namespace corvant::spool
