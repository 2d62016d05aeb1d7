// The object store's answers: block reads, upload states and block counts.
#include "organizer/link/ObjectTransfer.h"
#include "organizer/link/OrgError.h"
#include "organizer/link/PublicVar.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

const QByteArray kType("\"vcs\"");

int readError(const QByteArray& answer, int index = 7)
{
    try {
        ParseSbnrAnswer(answer, kType, index);
    } catch (const OrgError& err) {
        if (err.number() != 13) {
            EXPECT_EQ(err.source(), QStringLiteral("EmpfangeDatenobjektVonMs"));
        }
        return err.number();
    }
    return 0;
}

TEST(BlockRead, TwoBlocksJoinInOrder)
{
    const QByteArray answer = "\r\n^SBNR: \"vcs\",7,1,2\r\n0A1B\r\n^SBNR: \"vcs\",7,2,2\r\nFF\r\n\r\nOK\r\n";
    int between = 0;
    EXPECT_EQ(ParseSbnrAnswer(answer, kType, 7, [&] { ++between; }), QByteArray("\x0a\x1b\xff", 3));
    EXPECT_EQ(between, 2);
}

TEST(BlockRead, SingleBlockAndEmptyLocation)
{
    EXPECT_EQ(ParseSbnrAnswer("\r\n^SBNR: \"vcs\",7,1,1\r\n4F4B\r\n\r\nOK\r\n", kType, 7), QByteArray("OK"));
    EXPECT_EQ(ParseSbnrAnswer("\r\nOK\r\n", kType, 7), QByteArray("E\0M\0P\0T\0Y\0", 10));
    EXPECT_EQ(ParseSbnrAnswer("", kType, 7), EmptyObjectBytes());
}

TEST(BlockRead, HeaderChecks)
{
    struct Case {
        const char* answer;
        int number;
    };
    const Case cases[] = {
        {"\r\n^SBNR: \"vcs\",7,1,2\r\n00\r\n^SBNR: \"vcs\",7,3,2\r\n00\r\nOK\r\n", -1994},
        {"\r\n^SBNR: \"vcs\",7,1,3\r\n00\r\n^SBNR: \"vcs\",7,2,3\r\n00\r\nOK\r\n", -1994},
        {"\r\n^SBNR: \"vcs\",7,2,2\r\n00\r\nOK\r\n", -1994},
        {"\r\n^SBNR: \"vcs\",7,1,2\r\n00\r\n^SBNR: \"vcs\",8,2,2\r\n00\r\nOK\r\n", -1995},
        {"\r\n^SBNR: \"vcs\",8,1,1\r\n00\r\nOK\r\n", -1995},
        {"\r\n^SBNR: \"vcs\",7,1,2\r\n00\r\n^SBNR: \"mid\",7,2,2\r\n00\r\nOK\r\n", -1996},
        {"\r\n^SBNR: vcs,7,1,1\r\n00\r\nOK\r\n", -1996},
        {"\r\nX^SBNR\r\nOK\r\n", -1996},
        {"\r\nfoo: ^SBNR \"vcs\",7,1,1\r\n", -1996},
        {"\r\n^SBNR: \"vcs\",7,1,1\r\nZZ\r\nOK\r\n", 13},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readError(c.answer), c.number) << c.answer;
}

TEST(BlockRead, DescriptionsFollowTheLanguage)
{
    const std::int16_t old = LanguageBase;
    for (std::int16_t base : {std::int16_t(10000), std::int16_t(20000)}) {
        LanguageBase = base;
        const std::pair<const char*, QString> cases[] = {
            {"\r\n^SBNR: \"x\",7,1,1\r\n00\r\nOK\r\n",
             base == 10000 ? QStringLiteral("Error reading from mobile: wrong type!")
                           : QStringLiteral("Fehler beim Lesen der Telefondaten: falscher Typ!")},
            {"\r\n^SBNR: \"vcs\",6,1,1\r\n00\r\nOK\r\n",
             base == 10000 ? QStringLiteral("Error reading from mobile: wrong subtype!")
                           : QStringLiteral("Fehler beim Lesen der Telefondaten: falscher Subtyp!")},
            {"\r\n^SBNR: \"vcs\",7,2,1\r\n00\r\nOK\r\n",
             base == 10000 ? QStringLiteral("Error reading from mobile: wrong block number!")
                           : QStringLiteral("Fehler beim Lesen der Telefondaten: falsche Blocknummer!")},
        };
        for (const auto& [answer, text] : cases) {
            try {
                ParseSbnrAnswer(answer, kType, 7);
                ADD_FAILURE() << answer;
            } catch (const OrgError& err) {
                EXPECT_EQ(err.description(), text);
            }
        }
    }
    LanguageBase = old;
}

TEST(UploadState, IdleAndResetCommand)
{
    EXPECT_TRUE(UploadIdle("\r\n^SBNW: \"\",0,0,0\r\n\r\nOK\r\n"));
    EXPECT_FALSE(UploadIdle("\r\n^SBNW: \"vcs\",5,2,3\r\n\r\nOK\r\n"));
    EXPECT_EQ(UploadResetCommand("\r\n^SBNW: \"vcs\",5,2,3\r\n\r\nOK\r\n"), QByteArray("AT^SBNW=\"vcs\",5"));
    EXPECT_EQ(UploadResetCommand("\r\n^SBNW: \"mid\",12,1,2\r\nOK\r\n"), QByteArray("AT^SBNW=\"mid\",12"));
    EXPECT_EQ(UploadResetCommand("\r\nOK\r\n"), QByteArray());
}

TEST(UploadState, BlockCounts)
{
    EXPECT_EQ(BlockCount(0), 0);
    EXPECT_EQ(BlockCount(1), 1);
    EXPECT_EQ(BlockCount(150), 1);
    EXPECT_EQ(BlockCount(151), 2);
    EXPECT_EQ(BlockCount(300), 2);
    EXPECT_EQ(BlockCount(301), 3);
}

} // namespace
} // namespace tessaro
