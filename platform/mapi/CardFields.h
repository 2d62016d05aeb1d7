// What the address book reads from a card and writes into it: a contact (an entry of the
// address book) or a group card (a distribution list, whose members are the cards it names).
// The writers touch a line only when its value really changes, so everything else on a card,
// and every line of another program, stays as it was.
#pragma once

#include "platform/mapi/VCard.h"

#include <string>
#include <string_view>
#include <vector>

namespace torvane::mapi {

struct CardFields {
    bool group = false;
    std::string uid;         // without "urn:uuid:"
    std::string displayName; // the texts in Latin-1
    std::string phone;       // the preferred telephone number, else the first
    std::string email;
    std::string note;
    std::vector<std::string> members; // uids of the members, without "urn:uuid:"
};

CardFields readCardFields(const vcard::Card& card);

// A new card with its uid, a contact or a group card.
vcard::Card newCard(std::string_view uid, bool group);

// Each returns whether the card changed. An empty text removes the property (the display
// name is always kept).
bool setDisplayName(vcard::Card& card, std::string_view latin1);
bool setPrimaryPhone(vcard::Card& card, std::string_view latin1);
bool setEmail(vcard::Card& card, std::string_view latin1);
bool setNote(vcard::Card& card, std::string_view latin1);
bool addMember(vcard::Card& card, std::string_view uid);
bool removeMember(vcard::Card& card, std::string_view uid);

// A uid as members name it: without "urn:uuid:"; uids compare without case.
std::string normalUid(std::string_view uid);
// The card's uid as readCardFields gives it, without reading the other fields.
std::string cardUid(const vcard::Card& card);
bool sameUid(std::string_view a, std::string_view b);

} // namespace torvane::mapi
