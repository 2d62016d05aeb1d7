// The vCard reader on hostile input: a card it takes must come back byte for byte, give its
// fields, take changes of every field the address book writes, and read back as changed.
#include "platform/mapi/CardFields.h"
#include "platform/mapi/VCard.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <algorithm>

using namespace torvane::mapi;

namespace {

void check(bool ok, const char* what, const std::string& text)
{
    if (!ok) {
        std::fprintf(stderr, "%s:\n%s\n", what, text.c_str());
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    auto card = vcard::Card::parse(text);
    if (!card)
        return 0;
    check(card->serialize() == text, "an unchanged card is not written as it was read", text);
    const CardFields before = readCardFields(*card);

    // The changes a save makes, with texts that need escaping, folding and UTF-8.
    const std::string name = before.displayName + ",; \\ \xE4\xF6\xFC long name to fold it over the line end";
    setDisplayName(*card, name);
    setPrimaryPhone(*card, "+49 (89) 12-34");
    setNote(*card, before.note + " Standard-Status - Index: 12 ");
    setEmail(*card, "- -");
    addMember(*card, "fuzz-member");
    const std::string written = card->serialize();
    auto again = vcard::Card::parse(written);
    check(again.has_value(), "a changed card cannot be read again", written);
    const CardFields after = readCardFields(*again);
    // A carriage return has no place inside a value; writing drops it.
    std::string expected = name;
    std::erase(expected, '\r');
    check(after.displayName == expected, "the name did not come back", written);
    check(after.phone == "+49 (89) 12-34", "the number did not come back", written);
    check(after.email == "- -", "the address did not come back", written);
    if (after.group)
        removeMember(*again, "fuzz-member");
    (void)again->serialize();
    return 0;
}
