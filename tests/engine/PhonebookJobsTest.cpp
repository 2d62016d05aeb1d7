// The phonebook jobs line by line with a fake clock: storage selection and its refusal, the
// range answer, packed entries cut and filled to the storage's lengths, the 6000-byte area that
// takes whole entries only, deadlines; the write and the erase.
#include "JobTestSupport.h"

#include "engine/PhonebookJobs.h"
#include "engine/Requests.h"
#include "engine/SharedResults.h"

#include <gtest/gtest.h>

#include <string>

using namespace zeltest;

namespace {

struct Entry {
    int index;
    std::string text;   // the whole field, zero bytes included
    std::string number; // the whole field, zero bytes included
    bool operator==(const Entry&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Entry& e)
{
    return os << e.index << " [" << e.text << "] [" << e.number << "]";
}

class PhonebookRead : public ::testing::Test {
protected:
    void request(const char* storage = "SM")
    {
        zel::requestPhonebookRead(*h.shared, kRequester, kReplyMessage, storage);
    }

    // The dialogue up to the listing of a storage with indexes 1 to `highest`.
    void openListing(int highest, int numberLength, int textLength)
    {
        request();
        ASSERT_EQ(h.tick(), "AT^SPBS=\"SM\"\r");
        ASSERT_EQ(h.line("OK"), "AT+CPBR=?\r");
        const std::string range = "+CPBR: (1-" + std::to_string(highest) + ")," + std::to_string(numberLength) +
                                  "," + std::to_string(textLength);
        ASSERT_EQ(h.exactLine(range), "");
        ASSERT_EQ(h.line("OK"), "AT+CPBR=1," + std::to_string(highest) + "\r");
    }

    PBResult* result() { return zel::phonebookResult(*h.shared, m_result); }

    std::vector<Entry> entries()
    {
        std::vector<Entry> out;
        const PBResult* r = result();
        if (!r)
            return out;
        const unsigned char* at = r->entries;
        for (int i = 0; i < r->count; ++i) {
            const int index = at[0] | (at[1] << 8);
            const char* text = reinterpret_cast<const char*>(at + 2);
            out.push_back({index, std::string(text, std::size_t(r->textLength)),
                           std::string(text + r->textLength, std::size_t(r->numberLength))});
            at += 2 + r->textLength + r->numberLength;
        }
        return out;
    }

    JobHarness h;
    PBResult m_result{};
};

std::string padded(const std::string& text, std::size_t size)
{
    std::string out = text.substr(0, size);
    out.resize(size, '\0');
    return out;
}

TEST_F(PhonebookRead, ReadsEveryListedEntryIntoThePackedArea)
{
    openListing(250, 20, 14);
    h.lines({"+CPBR: 1,\"+491701234567\",145,\"Anna\"", "+CPBR: 2,\"0301234\",129,\"\"",
             "+CPBR: 7,\"12345678901234567890123\",129,\"Bartholomew Longname\"",
             "+CPBR: 300,\"5\",129,\"Zoe\""});
    EXPECT_TRUE(h.got().empty());
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_READ, RESULT_OK}));
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->count, 4);
    EXPECT_EQ(result()->textLength, 14);
    EXPECT_EQ(result()->numberLength, 20);
    EXPECT_EQ(result()->highestIndex, 250);
    EXPECT_EQ(entries(), (std::vector<Entry>{{1, padded("Anna", 14), padded("+491701234567", 20)},
                                             {2, padded("", 14), padded("0301234", 20)},
                                             {7, "Bartholomew Lo", "12345678901234567890"},
                                             {300, padded("Zoe", 14), padded("5", 20)}}));
}

// Lines that do not give index, a number of 1 to 40 characters and a type are not entries; a
// text longer than 50 characters is cut there.
TEST_F(PhonebookRead, OnlyCompleteEntriesAreStored)
{
    openListing(100, 60, 60);
    h.lines({"+CPBR: 1,\"\",129,\"empty number\"", "+CPBR: 2,\"123\"", "+CPBR: 3,\"123\",x,\"no type\"",
             "+CPBR: ,\"123\",129,\"no index\"", ("+CPBR: 4,\"" + std::string(41, '1') + "\",129,\"long\"").c_str(),
             "+CPBR: 5,\"123\",129", ("+CPBR: 6,\"" + std::string(40, '2') + "\",129,\"" + std::string(55, 't') +
                                      "\"").c_str(),
             "+CPBR 7,\"123\",129,\"no colon\"", "AT+CPBR=1,100"});
    h.line("OK");
    EXPECT_EQ(entries(), (std::vector<Entry>{{5, padded("", 60), padded("123", 60)},
                                             {6, padded(std::string(50, 't'), 60), padded(std::string(40, '2'), 60)}}));
}

struct AreaCase {
    int numberLength;
    int textLength;
    int fitting; // whole entries the 6000 bytes hold
};

class EntryArea : public PhonebookRead, public ::testing::WithParamInterface<AreaCase> {};

// However many entries the phone lists, the area takes whole entries while they fit and the
// count says how many; nothing is written past it.
TEST_P(EntryArea, TakesWholeEntriesWhileTheyFit)
{
    const AreaCase& c = GetParam();
    const PBWriteJob after = h.shared->pbWrite; // the record behind the area
    openListing(250, c.numberLength, c.textLength);
    for (int i = 1; i <= 250; ++i)
        h.exactLine("+CPBR: " + std::to_string(i) + ",\"" + std::string(std::size_t(c.numberLength), '9') +
                    "\",129,\"" + std::string(std::size_t(std::min(c.textLength, 50)), 'n') + "\"");
    h.line("OK");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_READ, RESULT_OK}));
    ASSERT_NE(result(), nullptr);
    EXPECT_EQ(result()->count, c.fitting);
    const auto read = entries();
    ASSERT_EQ(int(read.size()), c.fitting);
    if (c.fitting > 0) {
        EXPECT_EQ(read.back().index, c.fitting) << "the entries stored are the first ones";
    }
    EXPECT_EQ(std::memcmp(&after, &h.shared->pbWrite, sizeof after), 0);
}

INSTANTIATE_TEST_SUITE_P(PhonebookRead, EntryArea,
                         ::testing::Values(AreaCase{20, 14, 166},  // 36 bytes each
                                           AreaCase{40, 100, 42},  // 142 bytes: 5964 used
                                           AreaCase{1, 1, 250},    // all fit
                                           AreaCase{40, 5958, 1},  // one fills the area exactly
                                           AreaCase{40, 5959, 0},  // not even one
                                           AreaCase{40, 999999999, 0}));

TEST_F(PhonebookRead, RefusedStorageEndsWithStorageErrorAndKeepsTheLastResult)
{
    openListing(10, 20, 14);
    h.lines({"+CPBR: 1,\"123\",129,\"Anna\"", "OK"});
    const auto before = entries();
    for (const char* refusal : {"ERROR", "+CME ERROR: 4", "+CME ERROR: operation not supported"}) {
        request("XY");
        EXPECT_EQ(h.tick(), "AT^SPBS=\"XY\"\r");
        h.line(refusal);
        EXPECT_EQ(h.got().back(), (Answer{JOB_PHONEBOOK_READ, RESULT_STORAGE_ERROR})) << refusal;
        EXPECT_EQ(entries(), before);
    }
}

TEST_F(PhonebookRead, ErrorsAfterTheSelectionEndByTheDeadline)
{
    request();
    h.tick();
    h.line("OK");
    h.line("ERROR");
    EXPECT_TRUE(h.got().empty());
    h.after(3001);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_READ, RESULT_TIMEOUT}));
}

TEST_F(PhonebookRead, ListingHasTwentySecondsAfterEachEntry)
{
    openListing(10, 20, 14);
    EXPECT_EQ(h.after(19000), "");
    h.line("+CPBR: 1,\"123\",129,\"Anna\"");
    EXPECT_EQ(h.after(20000), "");
    EXPECT_TRUE(h.got().empty());
    EXPECT_NE(result(), nullptr) << "the entries so far are there during the listing";
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_READ, RESULT_TIMEOUT}));
    EXPECT_EQ(result(), nullptr);
}

TEST_F(PhonebookRead, RangeAnswerThatDoesNotParseIsWaitedOut)
{
    request();
    h.tick();
    h.line("OK");
    h.lines({"+CPBR: (1-250),20", "+CPBR: 1-250,20,14", "OK"});
    EXPECT_EQ(h.after(3000), "");
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_READ, RESULT_TIMEOUT}));
    EXPECT_EQ(result(), nullptr);
}

class PhonebookWrite : public ::testing::Test {
protected:
    JobHarness h;
};

struct WriteCase {
    const char* storage;
    const char* select;
    int index;
    const char* text;
    const char* number;
    const char* command;
};

class WriteCommands : public PhonebookWrite, public ::testing::WithParamInterface<WriteCase> {};

TEST_P(WriteCommands, SelectThenWrite)
{
    const WriteCase& c = GetParam();
    zel::requestPhonebookWrite(*h.shared, kRequester, kReplyMessage, c.storage, c.index, c.text, c.number);
    EXPECT_EQ(h.tick(), c.select);
    EXPECT_EQ(h.line("OK"), c.command);
    EXPECT_EQ(h.line("OK"), "");
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_WRITE, RESULT_OK}));
}

INSTANTIATE_TEST_SUITE_P(
    PhonebookWrite, WriteCommands,
    ::testing::Values(WriteCase{"SM", "AT^SPBS=\"SM\"\r", 5, "Anna", "+491701234567",
                                "AT+CPBW=5,\"+491701234567\",145,\"Anna\"\r"},
                      WriteCase{"ME", "AT^SPBS=\"ME\"\r", 12, "", "0301234", "AT+CPBW=12,\"0301234\",129,\"\"\r"},
                      WriteCase{"FD", "AT^SPBS=\"FD\"\r", 3, "gone", "", "AT+CPBW=3\r"},
                      // quotes, line ends, Ctrl-Z and ESC never reach the command
                      WriteCase{"SM", "AT^SPBS=\"SM\"\r", 8, "A\"n\rn\na\x1a\x1b", "+49\"17\r",
                                "AT+CPBW=8,\"+4917\",145,\"Anna\"\r"},
                      WriteCase{"S\"", "AT^SPBS=\"S\"\r", 9, "x", "1", "AT+CPBW=9,\"1\",129,\"x\"\r"}));

TEST_F(PhonebookWrite, ErrorIsNoAnswerOfItsOwn)
{
    zel::requestPhonebookWrite(*h.shared, kRequester, kReplyMessage, "LD", 1, "x", "1");
    h.tick();
    h.line("OK");
    h.line("+CME ERROR: 3");
    EXPECT_EQ(h.after(3000), "");
    EXPECT_TRUE(h.got().empty());
    h.after(1);
    EXPECT_EQ(onlyAnswer(h), (Answer{JOB_PHONEBOOK_WRITE, RESULT_TIMEOUT}));
}

} // namespace
