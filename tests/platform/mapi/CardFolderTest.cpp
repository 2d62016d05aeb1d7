// The folder of cards: what it lists, what it leaves alone, how it writes.
#include "MapiTestSupport.h"

#include "platform/mapi/CardFields.h"
#include "platform/mapi/CardFolder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sys/stat.h>

using namespace torvane::mapi;
using torvane::mapi::test::folderContents;
using torvane::mapi::test::readFile;
using torvane::mapi::test::TempFolder;
using torvane::mapi::test::writeFile;

namespace {

const std::string kCard = "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:c1\r\nFN:Carla\r\nEND:VCARD\r\n";

TEST(CardFolder, ListsOnlySingleCardsOfItsVersionsAndNothingElse)
{
    TempFolder tmp;
    CardFolder folder(tmp.path() / "book");
    auto none = folder.loadAll();
    ASSERT_TRUE(none) << "a folder that does not exist yet is an empty book";
    EXPECT_TRUE(none->empty());

    writeFile(folder.path() / "b.vcf", kCard);
    writeFile(folder.path() / "a.VCF", "BEGIN:VCARD\r\nVERSION:3.0\r\nFN:Anton\r\nEND:VCARD\r\n");
    writeFile(folder.path() / "old.vcf", "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Old\r\nEND:VCARD\r\n");
    writeFile(folder.path() / "export.vcf", kCard + kCard);
    writeFile(folder.path() / "notes.txt", kCard);
    writeFile(folder.path() / ".hidden.vcf", kCard);
    std::filesystem::create_directories(folder.path() / "sub.vcf");

    auto cards = folder.loadAll();
    ASSERT_TRUE(cards);
    ASSERT_EQ(cards->size(), 2u);
    EXPECT_EQ((*cards)[0].fileName, "a.VCF");
    EXPECT_EQ((*cards)[1].fileName, "b.vcf");
    EXPECT_EQ(readCardFields((*cards)[1].card).displayName, "Carla");

    vcard::Card card;
    EXPECT_EQ(folder.load("old.vcf", &card), CardFolder::Load::NotUnderstood);
    EXPECT_EQ(folder.load("gone.vcf", &card), CardFolder::Load::Missing);
    EXPECT_EQ(folder.load("../b.vcf", &card), CardFolder::Load::Missing) << "no way out of the folder";
}

TEST(CardFolder, EveryLookSeesWhatAnotherProgramWroteMeanwhile)
{
    TempFolder tmp;
    CardFolder folder(tmp.path() / "book");
    const std::filesystem::path file = folder.path() / "c.vcf";
    const auto name = [&] {
        vcard::Card card;
        EXPECT_EQ(folder.load("c.vcf", &card), CardFolder::Load::Ok);
        return readCardFields(card).displayName;
    };
    const auto age = [&] {
        std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - std::chrono::hours(1));
    };
    // Written in place with the same size, right after it was read (the same clock tick).
    writeFile(file, kCard);
    EXPECT_EQ(name(), "Carla");
    writeFile(file, "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:c1\r\nFN:Marla\r\nEND:VCARD\r\n");
    EXPECT_EQ(name(), "Marla");
    // A settled card that changes later: its change time tells.
    age();
    EXPECT_EQ(name(), "Marla");
    writeFile(file, kCard);
    EXPECT_EQ(name(), "Carla");
    age();
    EXPECT_EQ(name(), "Carla");
    std::filesystem::remove(file);
    vcard::Card card;
    EXPECT_EQ(folder.load("c.vcf", &card), CardFolder::Load::Missing);
}

TEST(CardFolder, WritesAtomicallyKeepingPermissionsAndLeavesNoTemporaryFile)
{
    TempFolder tmp;
    CardFolder folder(tmp.path() / "book");
    auto card = vcard::Card::parse(kCard);
    ASSERT_TRUE(card);
    const mode_t before = ::umask(022);
    ASSERT_TRUE(folder.write("c1.vcf", *card));
    ::umask(077);
    ASSERT_TRUE(folder.write("c2.vcf", *card));
    ::umask(before);
    struct stat st {};
    ASSERT_EQ(::stat((folder.path() / "c1.vcf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0644u) << "a new card gets the mode the user's umask gives";
    ASSERT_EQ(::stat((folder.path() / "c2.vcf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_TRUE(folder.remove("c2.vcf"));

    ASSERT_EQ(::chmod((folder.path() / "c1.vcf").c_str(), 0640), 0);
    setDisplayName(*card, "Carla Neu");
    ASSERT_TRUE(folder.write("c1.vcf", *card));
    ASSERT_EQ(::stat((folder.path() / "c1.vcf").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0640u) << "a replaced card keeps what the user set";
    const auto files = folderContents(folder.path());
    ASSERT_EQ(files.size(), 1u);
    EXPECT_NE(files.begin()->second.find("FN:Carla Neu\r\n"), std::string::npos);

    // A card kept as a link into a folder of the user's own stays a link; the file it names
    // gets the new text.
    const auto kept = tmp.path() / "dotfiles" / "carla.vcf";
    writeFile(kept, kCard);
    std::filesystem::create_symlink(kept, folder.path() / "c3.vcf");
    ASSERT_TRUE(folder.write("c3.vcf", *card));
    EXPECT_TRUE(std::filesystem::is_symlink(folder.path() / "c3.vcf"));
    EXPECT_NE(readFile(kept).find("FN:Carla Neu\r\n"), std::string::npos);
    ASSERT_TRUE(folder.remove("c3.vcf"));

    EXPECT_FALSE(folder.write("../escape.vcf", *card));
    EXPECT_TRUE(folder.remove("c1.vcf"));
    EXPECT_TRUE(folder.remove("c1.vcf")) << "a card already gone counts as removed";
}

TEST(CardFolder, AFolderThatIsAFileCannotHoldABook)
{
    TempFolder tmp;
    writeFile(tmp.path() / "book", "not a folder");
    CardFolder folder(tmp.path() / "book");
    std::string why;
    EXPECT_FALSE(folder.usable(&why));
    EXPECT_FALSE(why.empty());
    EXPECT_FALSE(folder.loadAll());
}

TEST(CardFolder, NewUidsAreVersion4AndDistinct)
{
    const std::string a = CardFolder::newUid();
    const std::string b = CardFolder::newUid();
    EXPECT_NE(a, b);
    ASSERT_EQ(a.size(), 36u);
    EXPECT_EQ(a[14], '4');
    EXPECT_NE(std::string("89ab").find(a[19]), std::string::npos);
    EXPECT_EQ(CardFolder::fileNameFor(a), a + ".vcf");
}

} // namespace
