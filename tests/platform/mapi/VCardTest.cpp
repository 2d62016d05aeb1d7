// The vCard reader and writer: cards come back byte for byte unless changed, changes touch
// only their own lines, texts convert between the files' UTF-8 and the suite's Latin-1.
#include "platform/mapi/CardFields.h"
#include "platform/mapi/VCard.h"
#include "platform/mapi/VCardText.h"

#include <gtest/gtest.h>

#include <sstream>

using namespace torvane::mapi;
using vcard::Card;

namespace {

// A card as another program writes it: 3.0, folded lines, groups, parameters in quotes,
// properties the address book does not use.
const std::string kForeign =
    "BEGIN:VCARD\r\n"
    "VERSION:3.0\r\n"
    "PRODID:-//Other Program//EN\r\n"
    "N:Berg;Anna;;;\r\n"
    "FN:Anna Berg\r\n"
    "item1.ADR;type=HOME;type=pref:;;Hauptstr. 5;M\xC3\xBCnchen;;80331;\r\n"
    " Deutschland\r\n"
    "TEL;type=CELL:+49 170 1234567\r\n"
    "TEL;type=WORK;type=pref:089 12-34\r\n"
    "EMAIL;type=INTERNET:anna@example.org\r\n"
    "X-SOCIALPROFILE;type=\"x-web:a;b\":https://example.org/anna\r\n"
    "PHOTO;ENCODING=b;TYPE=JPEG:/9j/4AAQSkZJRgABAQAAAQABAAD/2wBDAAgGBgcGBQgHBwcJCQgKDBQNDAsLDBkSEw8UHRofHh0aHBwg\r\n"
    " JC4nICIsIxwcKDcpLDAxNDQ0Hyc5PTgyPC4zNDL/wAALCAABAAEBAREA\r\n"
    "NOTE:Kollegin\\, Abteilung 3\\nzweite Zeile\r\n"
    "UID:1234-abcd\r\n"
    "END:VCARD\r\n";

std::string lineOf(const std::string& text, const std::string& start)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(start, 0) == 0)
            return line;
    return {};
}

TEST(VCardRead, CardsComeBackByteForByte)
{
    const std::string texts[] = {
        kForeign,
        // LF line ends, blank lines around the card, lower-case names, no line end at the end.
        "\nbegin:vcard\nversion:4.0\nfn:Otto\nuid:urn:uuid:0001\nend:vcard",
        "BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Team\r\nMEMBER:urn:uuid:a\r\nEND:VCARD\r\n\r\n",
        // A line that is no content line stays as it is.
        "BEGIN:VCARD\r\nVERSION:4.0\r\nFN:X\r\nthis is not a property\r\nEND:VCARD\r\n",
    };
    for (const std::string& text : texts) {
        std::string why;
        const auto card = Card::parse(text, &why);
        ASSERT_TRUE(card) << why << "\n" << text;
        EXPECT_EQ(card->serialize(), text);
    }
}

TEST(VCardRead, FilesThatAreNoSingleCardOfOurVersionsAreRefused)
{
    const std::string texts[] = {
        "",
        "hello\r\n",
        "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Old\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nFN:No version\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Open\r\n",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:B\r\nEND:VCARD\r\n",
        "BEGIN:VCARD\r\nVERSION:3.0\r\nBEGIN:VCARD\r\nEND:VCARD\r\nEND:VCARD\r\n",
        "text before\r\nBEGIN:VCARD\r\nVERSION:3.0\r\nFN:A\r\nEND:VCARD\r\n",
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nEND:VCALENDAR\r\n",
    };
    for (const std::string& text : texts)
        EXPECT_FALSE(Card::parse(text)) << text;
}

TEST(VCardRead, FieldsAreUnfoldedUnescapedAndLatin1)
{
    const auto card = Card::parse(kForeign);
    ASSERT_TRUE(card);
    const CardFields fields = readCardFields(*card);
    EXPECT_FALSE(fields.group);
    EXPECT_EQ(fields.uid, "1234-abcd");
    EXPECT_EQ(fields.displayName, "Anna Berg");
    EXPECT_EQ(fields.phone, "089 12-34") << "the preferred number, not the first";
    EXPECT_EQ(fields.email, "anna@example.org");
    EXPECT_EQ(fields.note, "Kollegin, Abteilung 3\nzweite Zeile");

    const auto folded = Card::parse("BEGIN:VCARD\r\nVERSION:4.0\r\nFN:J\xC3\xBCr\r\n gen \xE2\x82\xAC\r\n"
                                    "TEL;VALUE=uri;PREF=2:tel:+49-1\r\nTEL;PREF=1;VALUE=uri:tel:+49-2\r\nEND:VCARD\r\n");
    ASSERT_TRUE(folded);
    const CardFields f = readCardFields(*folded);
    EXPECT_EQ(f.displayName, "J\xFCrgen ?") << "UTF-8 becomes Latin-1, what Latin-1 lacks becomes '?'";
    EXPECT_EQ(f.phone, "+49-2") << "lowest PREF wins, the tel: scheme goes";

    // Older programs wrote Latin-1 bytes straight into the file.
    const auto latin1 = Card::parse("BEGIN:VCARD\r\nVERSION:3.0\r\nFN:M\xFCller\r\nEND:VCARD\r\n");
    ASSERT_TRUE(latin1);
    EXPECT_EQ(readCardFields(*latin1).displayName, "M\xFCller");
}

TEST(VCardWrite, AChangeTouchesOnlyItsOwnLine)
{
    auto card = Card::parse(kForeign);
    ASSERT_TRUE(card);
    EXPECT_FALSE(setDisplayName(*card, "Anna Berg")) << "the same value is no change";
    EXPECT_FALSE(setPrimaryPhone(*card, "089 12-34"));
    EXPECT_EQ(card->serialize(), kForeign);

    EXPECT_TRUE(setDisplayName(*card, "Anna B\xF6rg, Dr."));
    EXPECT_TRUE(setPrimaryPhone(*card, "08912"));
    EXPECT_TRUE(setNote(*card, "VIP-Status - Index: 12 "));
    const std::string written = card->serialize();
    EXPECT_EQ(lineOf(written, "FN:"), "FN:Anna B\xC3\xB6rg\\, Dr.\r");
    EXPECT_EQ(lineOf(written, "TEL;type=WORK"), "TEL;type=WORK;type=pref:08912\r");
    EXPECT_EQ(lineOf(written, "NOTE:"), "NOTE:VIP-Status - Index: 12 \r");
    for (const char* kept : {"PRODID:", "N:", "item1.ADR", " Deutschland", "TEL;type=CELL", "EMAIL;", "X-SOCIAL",
                             "PHOTO;", " JC4n", "UID:"})
        EXPECT_EQ(lineOf(written, kept), lineOf(kForeign, kept)) << kept;

    const auto again = Card::parse(written);
    ASSERT_TRUE(again);
    EXPECT_EQ(readCardFields(*again).displayName, "Anna B\xF6rg, Dr.");
    EXPECT_EQ(readCardFields(*again).phone, "08912");
}

TEST(VCardWrite, NewLinesAreFoldedAfter75OctetsAndReadBackWhole)
{
    Card card = newCard("u1", false);
    std::string note;
    for (int i = 0; i < 40; ++i)
        note += "\xE4\xF6\xFC"; // two UTF-8 octets each in the file
    note += " end";
    setNote(card, note);
    const std::string text = card.serialize();
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line)) {
        ASSERT_FALSE(line.empty());
        EXPECT_EQ(line.back(), '\r');
        EXPECT_LE(line.size() - 1, 75u) << line;
        // A fold never splits a character: no physical line starts with a continuation octet.
        const std::size_t first = line[0] == ' ' ? 1 : 0;
        if (line.size() > first + 1) {
            EXPECT_NE(static_cast<unsigned char>(line[first]) & 0xC0u, 0x80u) << line;
        }
    }
    const auto parsed = Card::parse(text);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(readCardFields(*parsed).note, note);
}

TEST(VCardWrite, RemovingAndAddingProperties)
{
    auto card = Card::parse(kForeign);
    ASSERT_TRUE(card);
    EXPECT_TRUE(setNote(*card, ""));
    EXPECT_TRUE(setEmail(*card, ""));
    EXPECT_TRUE(setPrimaryPhone(*card, ""));
    const CardFields fields = readCardFields(*card);
    EXPECT_EQ(fields.note, "");
    EXPECT_EQ(fields.email, "");
    EXPECT_EQ(fields.phone, "+49 170 1234567") << "the other number becomes the primary one";

    Card fresh = newCard("u2", false);
    EXPECT_FALSE(setPrimaryPhone(fresh, ""));
    EXPECT_TRUE(setPrimaryPhone(fresh, "0891234"));
    EXPECT_TRUE(setEmail(fresh, "- -"));
    const std::string text = fresh.serialize();
    EXPECT_NE(text.find("\r\nVERSION:4.0\r\nUID:urn:uuid:u2\r\nFN:\r\nTEL:0891234\r\nEMAIL:- -\r\nEND:VCARD\r\n"),
              std::string::npos)
        << text;
}

TEST(VCardGroups, MembersInBothStyles)
{
    struct Case {
        const char* text;
        const char* memberLine; // how a new member is written into this card
    };
    const Case cases[] = {
        {"BEGIN:VCARD\r\nVERSION:4.0\r\nKIND:group\r\nFN:Team\r\nMEMBER:urn:uuid:AA\r\nEND:VCARD\r\n",
         "MEMBER:urn:uuid:bb"},
        {"BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Team\r\nX-ADDRESSBOOKSERVER-KIND:group\r\n"
         "X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:AA\r\nEND:VCARD\r\n",
         "X-ADDRESSBOOKSERVER-MEMBER:urn:uuid:bb"},
    };
    for (const Case& c : cases) {
        auto card = Card::parse(c.text);
        ASSERT_TRUE(card);
        CardFields fields = readCardFields(*card);
        EXPECT_TRUE(fields.group);
        ASSERT_EQ(fields.members.size(), 1u);
        EXPECT_TRUE(sameUid(fields.members[0], "urn:uuid:aa")) << "uids compare without case and scheme";
        EXPECT_FALSE(addMember(*card, "aa")) << "already a member";
        EXPECT_TRUE(addMember(*card, "bb"));
        EXPECT_NE(card->serialize().find(std::string(c.memberLine) + "\r\n"), std::string::npos) << card->serialize();
        EXPECT_TRUE(removeMember(*card, "AA"));
        fields = readCardFields(*card);
        ASSERT_EQ(fields.members.size(), 1u);
        EXPECT_EQ(fields.members[0], "bb");
    }
}

TEST(VCardText, EscapesAndEncodings)
{
    EXPECT_EQ(vcard::escapeText("a\\b,c;d\ne\r"), "a\\\\b\\,c\\;d\\ne");
    EXPECT_EQ(vcard::unescapeText("a\\\\b\\,c\\;d\\ne\\Nf\\x\\"), "a\\b,c;d\ne\nf\\x\\");
    EXPECT_EQ(vcard::fromLatin1("\xE4\xDF"), "\xC3\xA4\xC3\x9F");
    EXPECT_EQ(vcard::toLatin1("\xC3\xA4\xC3\x9F"), "\xE4\xDF");
    EXPECT_EQ(vcard::toLatin1("\xE0\x80\x80"), "\xE0\x80\x80") << "an overlong form is no UTF-8";
    EXPECT_EQ(vcard::toLatin1("\xF0\x9F\x98\x80!"), "?!");
}

} // namespace
