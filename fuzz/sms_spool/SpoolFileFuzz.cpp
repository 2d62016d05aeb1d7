// Any bytes as an outgoing spool file: the fields, the further recipients (each parsed again as
// the new file it becomes), the merged and filtered text cut into parts (none empty, none longer
// than a part holds), the preview text and the inbox layout of the text. Nothing may crash or
// overrun, and the parts must rebuild the text.
#include "mainprog/core/SpoolFile.h"

#include "engine/codec/GsmAlphabet.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

using namespace corvant::spool;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text = textOf(std::string(reinterpret_cast<const char*>(data), size));
    const OutgoingFile file = parseOutgoing(text);
    for (const std::string& piece : file.furtherRecipients) {
        const OutgoingFile again = parseOutgoing(piece + file.commonTail);
        if (!again.hasNumber)
            std::abort();
    }
    (void)isValidDestination(file.destination);
    const std::string merged = FilterSmsText(MergeSubjectAndBody(file.subject, file.body));
    const std::vector<std::string> parts = cutParts(merged);
    std::string rebuilt;
    for (const std::string& part : parts) {
        size_t septets = 0;
        for (char c : part)
            septets += static_cast<size_t>(std::max(1, zel::SmsLatinSeptets(c)));
        if (septets > (parts.size() == 1 ? kSingleLength : kPartLength) || (part.empty() && parts.size() > 1))
            std::abort();
        rebuilt += part;
    }
    if (rebuilt != merged)
        std::abort();
    (void)previewText(parts);
    (void)inboxFile(file.destination, merged, {2000, 3, 5, 9, 7}, "P");
    return 0;
}
