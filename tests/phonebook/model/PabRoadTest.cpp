// The road to the personal address book, over a card folder of the test's own: opening and
// closing the session, the folder table, reading a folder, index repairs, saving, new folders,
// unique names, and the report and end of the program for every step that fails.
#include "BrevikFakes.h"

#include "phonebook/model/BrevikStrings.h"
#include "platform/mapi/CardFields.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>

using namespace brevik;
using namespace brevik::test;
namespace mapi = torvane::mapi;
using mapi::Call;

namespace {

std::string card(const std::string& uid, const std::string& name, const std::string& tel, const std::string& note,
                 const std::vector<std::string>& members = {}, bool group = false)
{
    std::string text = "BEGIN:VCARD\r\nVERSION:4.0\r\nUID:urn:uuid:" + uid + "\r\n";
    if (group || !members.empty())
        text += "KIND:group\r\n";
    text += "FN:" + name + "\r\n";
    if (!tel.empty())
        text += "TEL:" + tel + "\r\n";
    if (!note.empty())
        text += "NOTE:" + note + "\r\n";
    for (const std::string& m : members)
        text += "MEMBER:urn:uuid:" + m + "\r\n";
    return text + "END:VCARD\r\n";
}

class PabRoad : public ::testing::Test {
protected:
    std::filesystem::path book() const { return h.folder.path() / "book"; }

    void put(const std::string& uid, const std::string& text)
    {
        std::filesystem::create_directories(book());
        std::ofstream(book() / (uid + ".vcf"), std::ios::binary) << text;
    }
    std::string file(const std::string& uid) const
    {
        std::ifstream in(book() / (uid + ".vcf"), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    std::map<std::string, mapi::CardFields> cards() const
    {
        std::map<std::string, mapi::CardFields> out;
        for (const auto& entry : std::filesystem::directory_iterator(book())) {
            std::ifstream in(entry.path(), std::ios::binary);
            const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
            if (auto parsed = mapi::vcard::Card::parse(text)) {
                const mapi::CardFields fields = mapi::readCardFields(*parsed);
                out[fields.displayName] = fields;
            }
        }
        return out;
    }

    // A book with two entries, a list holding Anna and a list inside it holding Bob.
    void standardBook()
    {
        put("anna", card("anna", "Anna", "0891", "VIP-Status - Index: 12 "));
        put("bob", card("bob", "Bob", "0892", "Kollege Standard-Status - Index: 7 "));
        put("team", card("team", "Team", "", "", {"anna", "sub"}));
        put("sub", card("sub", "Sub", "", "", {"bob"}));
    }

    bool start() { return h.model.Start(StartSettings{}); }

    std::vector<std::string> listNames()
    {
        std::vector<std::string> out;
        for (int i = 0; i < h.model.pabList().count; ++i)
            out.push_back(h.model.pabList().entries[std::size_t(i)].name);
        return out;
    }
    std::vector<std::string> folderRows()
    {
        std::vector<std::string> out;
        const PabFolderTable& t = h.model.folders();
        for (int i = 0; i < t.count; ++i)
            out.push_back(t.rows[std::size_t(i)].name + ":" + std::to_string(t.rows[std::size_t(i)].kind) + ":" +
                          std::to_string(t.rows[std::size_t(i)].depth));
        return out;
    }
    int slotOf(const std::string& name)
    {
        for (int i = 0; i < h.model.pabList().count; ++i)
            if (h.model.pabList().entries[std::size_t(i)].name == name)
                return i;
        return -1;
    }
    void openFolder(int row)
    {
        h.view.folderSelection = row;
        h.model.OnSelchangePabFolder();
    }

    ModelHarness h;
};

TEST_F(PabRoad, StartReadsTheRootAndWalksEveryList)
{
    standardBook();
    put("old", "BEGIN:VCARD\r\nVERSION:2.1\r\nFN:Old\r\nEND:VCARD\r\n");
    ASSERT_TRUE(start());
    EXPECT_EQ(folderRows(), (std::vector<std::string>{"Pers\xF6nliches Adressbuch:1:1", "Sub:2:2", "Team:2:2",
                                                      "Sub:2:3"}));
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Anna", "Bob"})) << "lists are no entries";
    const PhoneBookEntry& anna = h.model.pabList().entries[0];
    EXPECT_EQ(anna.status, "!");
    EXPECT_EQ(anna.index, 12);
    EXPECT_EQ(anna.number, "0891");
    EXPECT_EQ(anna.keptComment, "");
    const PhoneBookEntry& bob = h.model.pabList().entries[1];
    EXPECT_EQ(bob.status, " ");
    EXPECT_EQ(bob.index, 7);
    EXPECT_EQ(bob.keptComment, "Kollege");
    EXPECT_FALSE(bob.entryId.empty());
    EXPECT_FALSE(h.model.hasFlag(FLAG_PAB_CHANGED));
    EXPECT_EQ(h.view.folderTableFills, 1);
    EXPECT_TRUE(h.engine.reports.empty());
    ASSERT_EQ(h.engine.reads.size(), 1u);
    EXPECT_EQ(h.engine.reads[0].storage, "OW") << "without autoload the own numbers are read first";

    openFolder(2);
    EXPECT_EQ(listNames(), std::vector<std::string>{"Anna"});
    openFolder(3);
    EXPECT_EQ(listNames(), std::vector<std::string>{"Bob"});
}

TEST_F(PabRoad, EntriesWithoutAFreeIndexAreRepairedAndSavedAtOnce)
{
    const std::string anna = card("anna", "Anna", "1", "Standard-Status - Index: 3 ");
    put("anna", anna);
    put("bob", card("bob", "Bob", "2", "VIP-Status - Index: 3 "));
    put("carl", card("carl", "Carl", "3", ""));
    put("dora", card("dora", "Dora", "4", "Tennis"));
    ASSERT_TRUE(start());
    EXPECT_EQ(file("anna"), anna) << "an entry with its own index is not written";
    const auto saved = cards();
    EXPECT_EQ(saved.at("Bob").note, "VIP-Status - Index: 1 ");
    EXPECT_EQ(saved.at("Carl").note, "Standard-Status - Index: 2 ");
    EXPECT_EQ(saved.at("Dora").note, "Tennis Standard-Status - Index: 4 ");
    const PhoneDirectory& list = h.model.pabList();
    ASSERT_EQ(list.count, 4);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(list.entries[std::size_t(i)].state, ENTRY_UNCHANGED);
    EXPECT_EQ(list.entries[1].index, 1);
    EXPECT_FALSE(h.model.hasFlag(FLAG_PAB_CHANGED));
}

TEST_F(PabRoad, SavingWritesDeletionsNewAndChangedEntries)
{
    standardBook();
    ASSERT_TRUE(start());
    ASSERT_EQ(h.model.AddToPabList(2, entry(12, "Carla \xC4", "+49 30 1", "!")), 1);
    PhoneBookEntry bob = h.model.pabList().entries[std::size_t(slotOf("Bob"))];
    bob.number = "0899";
    bob.status = "!";
    ASSERT_TRUE(h.model.ChangePabListEntry(slotOf("Bob"), bob));
    ASSERT_EQ(h.model.DeletePabListEntry(slotOf("Anna")), 1);
    ASSERT_TRUE(h.model.hasFlag(FLAG_PAB_CHANGED));

    ASSERT_EQ(h.model.SavePabList(), mapi::S_OK);
    const auto saved = cards();
    EXPECT_EQ(saved.count("Anna"), 0u);
    EXPECT_FALSE(std::filesystem::exists(book() / "anna.vcf"));
    EXPECT_TRUE(saved.at("Team").members == std::vector<std::string>{"sub"}) << "the removed card left its list";
    const mapi::CardFields& carla = saved.at("Carla \xC4");
    EXPECT_EQ(carla.phone, "+49 30 1");
    EXPECT_EQ(carla.email, "- -");
    EXPECT_EQ(carla.note, "VIP-Status - Index: 1 ") << "12 was taken when Carla came";
    EXPECT_EQ(saved.at("Bob").note, "Kollege VIP-Status - Index: 7 ");
    EXPECT_EQ(saved.at("Bob").phone, "0899");

    EXPECT_FALSE(h.model.hasFlag(FLAG_PAB_CHANGED));
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Bob", "Carla \xC4"})) << "the folder is read again";
    EXPECT_FALSE(h.model.pabList().entries[1].entryId.empty()) << "the new entry has its identifier now";
    EXPECT_EQ(h.model.pabList().markCount(), 0);
    EXPECT_NE(std::find(h.view.statusTexts.begin(), h.view.statusTexts.end(), IDS_PAB_WRITING), h.view.statusTexts.end());
    EXPECT_EQ(h.view.lastStatus(), IDS_DONE);
    EXPECT_TRUE(h.engine.reports.empty());
    EXPECT_EQ(h.model.SavePabList(), mapi::S_OK) << "nothing changed: nothing to do";
}

TEST_F(PabRoad, ANameTheFolderHoldsCollidesAndTheSaveGoesOn)
{
    standardBook();
    ASSERT_TRUE(start());
    ASSERT_EQ(h.model.AddToPabList(0, entry(1, "Anna", "5")), 1);
    PhoneBookEntry bob = h.model.pabList().entries[std::size_t(slotOf("Bob"))];
    bob.number = "777";
    ASSERT_TRUE(h.model.ChangePabListEntry(slotOf("Bob"), bob));
    ASSERT_EQ(h.model.SavePabList(), mapi::S_OK);
    EXPECT_EQ(h.engine.reports, (std::vector<std::pair<int, int>>{{2, IDS_ERR_ENTRY_EXISTS}}));
    EXPECT_EQ(h.view.ends, 0);
    EXPECT_EQ(cards().at("Bob").phone, "777");
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Anna", "Bob"}));
}

TEST_F(PabRoad, InAListEntriesAreMadeAndRemovedAsMembers)
{
    standardBook();
    ASSERT_TRUE(start());
    openFolder(2); // Team
    ASSERT_EQ(h.model.AddToPabList(0, entry(3, "Eva", "9")), 1);
    ASSERT_EQ(h.model.DeletePabListEntry(slotOf("Anna")), 1);
    ASSERT_EQ(h.model.SavePabList(), mapi::S_OK);
    EXPECT_EQ(listNames(), std::vector<std::string>{"Eva"});
    const auto saved = cards();
    EXPECT_EQ(saved.count("Anna"), 1u) << "leaving a list keeps the card";
    const auto& members = saved.at("Team").members;
    EXPECT_EQ(members.size(), 2u);
    EXPECT_NE(std::find(members.begin(), members.end(), saved.at("Eva").uid), members.end());
}

// Each step of the start that fails is reported with its id, the session is closed and the
// program ends.
TEST_F(PabRoad, EveryFailureAtStartIsReportedWithItsIdAndEndsTheProgram)
{
    struct Case {
        Call call;
        int nth;
        mapi::HRESULT result;
        std::vector<int> ids;
    };
    const mapi::HRESULT fail = mapi::MAPI_E_CALL_FAILED;
    const Case cases[] = {
        {Call::Initialize, 1, fail, {IDS_ERR_MAPI_INIT}},
        {Call::LogonEx, 1, fail, {IDS_ERR_MAPI_LOGON}},
        {Call::OpenAddressBook, 1, fail, {IDS_ERR_OPEN_ADDRESS_BOOK}},
        {Call::GetPAB, 1, fail, {IDS_ERR_OPEN_PAB}},
        {Call::OpenEntry, 1, fail, {IDS_ERR_OPEN_ROOT}},
        {Call::GetContentsTable, 1, mapi::MAPI_E_NO_SUPPORT, {IDS_ERR_NO_ENTRIES}},
        {Call::GetContentsTable, 1, fail, {IDS_ERR_CONTENTS_TABLE}},
        {Call::QueryAllRows, 1, fail, {IDS_ERR_QUERY_ROWS}},
        {Call::OpenEntry, 2, fail, {IDS_ERR_OPEN_ROOT}},                                 // opening the first list
        {Call::GetContentsTable, 2, fail, {IDS_ERR_CONTENTS_TABLE, IDS_ERR_OPEN_ROOT}},  // walking into it
        {Call::GetContentsTable, 2, mapi::MAPI_E_NO_SUPPORT, {IDS_ERR_NO_ENTRIES, IDS_ERR_OPEN_ROOT}},
        {Call::QueryAllRows, 2, fail, {IDS_ERR_QUERY_ROWS, IDS_ERR_OPEN_ROOT}},
        {Call::GetContentsTable, 5, fail, {IDS_ERR_CONTENTS_TABLE}},                     // reading the root's entries
        {Call::QueryAllRows, 5, fail, {IDS_ERR_QUERY_ROWS}},
        {Call::OpenEntry, 5, fail, {IDS_ERR_OPEN_ROOT}},                                 // an entry of the root
        {Call::GetProps, 1, fail, {IDS_ERR_OPEN_ROOT}},
    };
    standardBook();
    for (const Case& c : cases) {
        ModelHarness run;
        std::filesystem::create_directories(run.folder.path() / "book");
        for (const auto& f : std::filesystem::directory_iterator(h.folder.path() / "book"))
            std::filesystem::copy(f.path(), run.folder.path() / "book" / f.path().filename());
        run.mapi.faults().failOn(c.call, c.result, c.nth);
        EXPECT_FALSE(run.model.Start(StartSettings{})) << int(c.call) << "/" << c.nth;
        EXPECT_EQ(run.engine.reportIds(), c.ids) << int(c.call) << "/" << c.nth;
        for (const auto& r : run.engine.reports)
            EXPECT_EQ(r.first, 2);
        EXPECT_EQ(run.view.ends, 1);
        EXPECT_TRUE(run.model.programEnded());
        EXPECT_TRUE(run.engine.reads.empty()) << "no phone job after the end";
        EXPECT_EQ(run.mapi.liveObjects(), 0) << "everything released";
        EXPECT_FALSE(run.mapi.initialized());
        EXPECT_LE(run.mapi.faults().calls(Call::Logoff), 1);
        EXPECT_EQ(run.mapi.faults().calls(Call::Uninitialize), c.call == Call::Initialize ? 0 : 1);
    }
}

TEST_F(PabRoad, AFolderWhoseEntriesCannotBeListedShowsEmpty)
{
    put("anna", card("anna", "Anna", "1", "Standard-Status - Index: 1 "));
    h.mapi.faults().failOn(Call::GetContentsTable, mapi::MAPI_E_NO_SUPPORT, 2);
    ASSERT_TRUE(start());
    EXPECT_EQ(h.engine.reportIds(), std::vector<int>{IDS_ERR_NO_ENTRIES});
    EXPECT_EQ(h.model.pabList().count, 0);
    EXPECT_EQ(h.view.ends, 0);
}

TEST_F(PabRoad, EveryFailureOfTheSaveIsReportedWithItsIdAndEndsTheProgram)
{
    struct Case {
        Call call;
        int nth;
        mapi::HRESULT result;
        bool create; // a new entry (else a changed one)
        std::vector<int> ids;
    };
    const mapi::HRESULT fail = mapi::MAPI_E_CALL_FAILED;
    const Case cases[] = {
        {Call::OpenProperty, 1, fail, true, {IDS_ERR_OPEN_PROPERTY}},
        {Call::SetColumns, 1, fail, true, {IDS_ERR_SET_COLUMNS}},
        {Call::Restrict, 1, fail, true, {IDS_ERR_RESTRICT}},
        {Call::GetRowCount, 1, fail, true, {IDS_ERR_ROW_COUNT}},
        {Call::CreateEntry, 1, fail, true, {IDS_ERR_CREATE_ENTRY}},
        {Call::SetProps, 1, fail, true, {IDS_ERR_SET_PROPS}},
        {Call::SaveChanges, 1, fail, true, {IDS_ERR_SAVE_CHANGES}},
        {Call::OpenEntry, 1, fail, false, {IDS_ERR_CREATE_ENTRY}},
        {Call::SetProps, 1, fail, false, {IDS_ERR_SET_PROPS}},
        {Call::SaveChanges, 1, mapi::MAPI_E_COLLISION, false, {IDS_ERR_ENTRY_EXISTS, IDS_ERR_SAVE_CHANGES}},
        {Call::SaveChanges, 1, fail, false, {IDS_ERR_SAVE_CHANGES}},
        // A failed deletion has no text of its own; the program ends all the same.
        {Call::DeleteEntries, 1, fail, false, {}},
        // The folder read again after the save cannot be.
        {Call::GetContentsTable, 1, fail, false, {IDS_ERR_CONTENTS_TABLE}},
    };
    for (const Case& c : cases) {
        ModelHarness run;
        std::filesystem::create_directories(run.folder.path() / "book");
        std::ofstream(run.folder.path() / "book" / "anna.vcf") << card("anna", "Anna", "1", "Standard-Status - Index: 1 ");
        std::ofstream(run.folder.path() / "book" / "bob.vcf") << card("bob", "Bob", "2", "Standard-Status - Index: 2 ");
        ASSERT_TRUE(run.model.Start(StartSettings{}));
        if (c.call == Call::DeleteEntries) {
            ASSERT_EQ(run.model.DeletePabListEntry(1), 1);
        } else if (c.create) {
            ASSERT_EQ(run.model.AddToPabList(0, entry(5, "Neu", "5")), 1);
        } else {
            PhoneBookEntry changed = run.model.pabList().entries[0];
            changed.number = "99";
            ASSERT_TRUE(run.model.ChangePabListEntry(0, changed));
        }
        run.mapi.faults().failOn(c.call, c.result, c.nth);
        EXPECT_TRUE(mapi::failed(run.model.SavePabList())) << int(c.call);
        EXPECT_EQ(run.engine.reportIds(), c.ids) << int(c.call);
        EXPECT_EQ(run.view.ends, 1) << int(c.call);
        EXPECT_EQ(run.mapi.liveObjects(), 0) << int(c.call);
        EXPECT_EQ(run.mapi.faults().calls(Call::Uninitialize), 1) << int(c.call);
    }
}

TEST_F(PabRoad, ClosingReleasesEachObjectOnceAndMayBeRepeated)
{
    standardBook();
    ASSERT_TRUE(start());
    EXPECT_GT(h.mapi.liveObjects(), 0);
    h.model.ClosePab();
    EXPECT_EQ(h.mapi.liveObjects(), 0);
    const int released = h.mapi.faults().calls(Call::Release);
    h.model.ClosePab();
    h.model.ClosePab();
    EXPECT_EQ(h.mapi.faults().calls(Call::Logoff), 1);
    EXPECT_EQ(h.mapi.faults().calls(Call::Uninitialize), 1);
    EXPECT_EQ(h.mapi.faults().calls(Call::Release), released);

    // A log-off that fails keeps the session; the next close tries again.
    ModelHarness other;
    ASSERT_TRUE(other.model.Start(StartSettings{}));
    other.mapi.faults().failOn(Call::Logoff, mapi::MAPI_E_CALL_FAILED);
    other.model.ClosePab();
    EXPECT_EQ(other.mapi.liveObjects(), 1);
    EXPECT_TRUE(other.mapi.initialized());
    other.model.ClosePab();
    EXPECT_EQ(other.mapi.liveObjects(), 0);
    EXPECT_FALSE(other.mapi.initialized());
}

TEST_F(PabRoad, ChangingTheFolderAsksToSaveFirst)
{
    standardBook();
    ASSERT_TRUE(start());
    ASSERT_EQ(h.model.AddToPabList(0, entry(1, "Neu", "1")), 1);
    h.dialogs.yesNo.push_back(true);
    openFolder(2);
    ASSERT_EQ(h.dialogs.questions.size(), 1u);
    EXPECT_EQ(h.dialogs.questions[0].id, IDS_ASK_SAVE_PAB_BEFORE_FOLDER);
    EXPECT_EQ(cards().count("Neu"), 1u) << "saved into the folder it was added to";
    EXPECT_EQ(cards().at("Team").members.size(), 2u) << "not into the list opened next";
    EXPECT_EQ(listNames(), std::vector<std::string>{"Anna"});

    ASSERT_EQ(h.model.AddToPabList(0, entry(2, "Verworfen", "1")), 1);
    h.dialogs.yesNo.push_back(false);
    openFolder(0);
    EXPECT_EQ(cards().count("Verworfen"), 0u);
    EXPECT_FALSE(h.model.hasFlag(FLAG_PAB_CHANGED));
    EXPECT_EQ(listNames(), (std::vector<std::string>{"Anna", "Bob", "Neu"}));
}

TEST_F(PabRoad, AFolderChangeThatCannotReadTheFolderEndsTheProgram)
{
    for (const Call call : {Call::OpenEntry, Call::GetContentsTable, Call::QueryAllRows}) {
        ModelHarness run;
        std::filesystem::create_directories(run.folder.path() / "book");
        std::ofstream(run.folder.path() / "book" / "team.vcf") << card("team", "Team", "", "", {}, true);
        ASSERT_TRUE(run.model.Start(StartSettings{}));
        run.mapi.faults().failOn(call, mapi::MAPI_E_CALL_FAILED);
        run.view.folderSelection = 1;
        run.model.OnSelchangePabFolder();
        EXPECT_EQ(run.view.ends, 1) << int(call);
        EXPECT_EQ(run.engine.reports.size(), 1u) << int(call);
        EXPECT_EQ(run.mapi.liveObjects(), 0);
    }
}

TEST_F(PabRoad, ANewFolderIsCheckedAgainstEveryFolderName)
{
    standardBook();
    ASSERT_TRUE(start());
    h.dialogs.names = {std::string("Team"), std::string("Sub"), std::string("Neu")};
    h.dialogs.yesNo = {true, true};
    h.model.OnNewPabFolder();
    ASSERT_EQ(h.dialogs.questions.size(), 2u) << "'Sub' stands before 'Team' and is asked about too";
    EXPECT_EQ(h.dialogs.questions[0].id, IDS_ERR_NAME_EXISTS);
    EXPECT_EQ(h.dialogs.questions[0].argument, "Team");
    EXPECT_EQ(h.dialogs.questions[1].argument, "Sub");
    ASSERT_EQ(h.dialogs.nameQuestions.size(), 3u);
    EXPECT_EQ(h.dialogs.nameQuestions[0].title, IDS_NEW_FOLDER_TITLE);
    EXPECT_EQ(h.dialogs.nameQuestions[0].prompt, IDS_NEW_FOLDER_PROMPT);
    EXPECT_EQ(h.dialogs.nameQuestions[1].initial, "Team");
    const auto saved = cards();
    ASSERT_EQ(saved.count("Neu"), 1u);
    EXPECT_TRUE(saved.at("Neu").group);
    EXPECT_EQ(folderRows(), (std::vector<std::string>{"Pers\xF6nliches Adressbuch:1:1", "Neu:2:2", "Sub:2:2",
                                                      "Team:2:2", "Sub:2:3"}));
    EXPECT_EQ(h.view.folderSelection, 1) << "the new folder is opened";
    EXPECT_EQ(h.model.pabList().count, 0);
    EXPECT_EQ(h.view.folderClears, 1);

    // Inside a list the new one becomes its member; a refused name makes none.
    openFolder(3); // Team
    h.dialogs.names = {std::string("Innen")};
    h.model.OnNewPabFolder();
    EXPECT_EQ(folderRows(), (std::vector<std::string>{"Pers\xF6nliches Adressbuch:1:1", "Innen:2:2", "Neu:2:2",
                                                      "Sub:2:2", "Team:2:2", "Innen:2:3", "Sub:2:3"}))
        << "the root lists every list, a list its own";
    h.dialogs.names = {std::string("Team")};
    h.dialogs.yesNo = {false};
    const auto before = cards().size();
    h.model.OnNewPabFolder();
    EXPECT_EQ(cards().size(), before);
    h.dialogs.names = {std::nullopt};
    h.model.OnNewPabFolder();
    EXPECT_EQ(cards().size(), before);
    EXPECT_TRUE(h.engine.reports.empty());
}

TEST_F(PabRoad, ANewFolderThatCollidesLeavesTheShownFolderOpen)
{
    standardBook();
    ASSERT_TRUE(start());
    openFolder(2); // Team, which holds the entry Anna
    h.dialogs.names = {std::string("Anna")};
    h.model.OnNewPabFolder();
    EXPECT_EQ(h.engine.reports, (std::vector<std::pair<int, int>>{{2, IDS_ERR_ENTRY_EXISTS}}));
    EXPECT_EQ(h.view.ends, 0);
    EXPECT_EQ(h.view.folderSelection, 2) << "no new folder: the one shown before is shown again";
    EXPECT_EQ(listNames(), std::vector<std::string>{"Anna"});
    EXPECT_EQ(cards().size(), 4u);
}

TEST_F(PabRoad, AnotherNameIsCheckedAgainstEveryEntryFromTheStart)
{
    standardBook();
    ASSERT_TRUE(start());
    std::string name = "Bob";
    h.dialogs.yesNo = {true, true};
    h.dialogs.names = {std::string("Anna"), std::string("Carla")};
    EXPECT_EQ(h.model.AskOtherPabName(name), 1);
    EXPECT_EQ(name, "Carla");
    ASSERT_EQ(h.dialogs.questions.size(), 2u);
    EXPECT_EQ(h.dialogs.questions[1].argument, "Anna") << "Anna stands before Bob and is found all the same";
    EXPECT_EQ(h.dialogs.nameQuestions[0].title, IDS_OTHER_NAME_TITLE);
    EXPECT_EQ(h.dialogs.nameQuestions[0].prompt, IDS_OTHER_NAME_PROMPT);
    EXPECT_EQ(h.dialogs.nameQuestions[0].initial, "Bob");

    name = "Anna";
    h.dialogs.yesNo = {false};
    EXPECT_EQ(h.model.AskOtherPabName(name), 0);
    name = "Anna";
    h.dialogs.yesNo = {true};
    h.dialogs.names = {std::nullopt};
    EXPECT_EQ(h.model.AskOtherPabName(name), 0);
    name = "Neu";
    EXPECT_EQ(h.model.AskOtherPabName(name), 1);
    name = "";
    EXPECT_EQ(h.model.AskOtherPabName(name), 0);
}

TEST_F(PabRoad, OpeningAChosenFolder)
{
    standardBook();
    ASSERT_TRUE(start());
    h.dialogs.folderChoices = {3};
    h.model.OnOpenPabFolder();
    EXPECT_EQ(h.view.folderSelection, 3);
    EXPECT_EQ(listNames(), std::vector<std::string>{"Bob"});
    h.dialogs.folderChoices = {std::nullopt};
    h.model.OnOpenPabFolder();
    EXPECT_EQ(h.view.folderSelection, 3);
}

TEST_F(PabRoad, TheWalkEndsAtFiftyRows)
{
    // A list that holds itself, and more lists than the table has rows.
    put("loop", card("loop", "A loop", "", "", {"loop"}));
    for (int i = 0; i < 60; ++i)
        put("l" + std::to_string(i), card("l" + std::to_string(i), "List " + std::to_string(100 + i), "", "", {}, true));
    ASSERT_TRUE(start());
    ASSERT_EQ(h.model.folders().count, kFolderRows);
    EXPECT_EQ(h.model.folders().rows[1].name, "A loop");
    EXPECT_EQ(h.model.folders().rows[49].depth, 50) << "the list inside itself, 48 times";
    EXPECT_TRUE(h.engine.reports.empty());
}

TEST_F(PabRoad, TheReadEndsAtAThousandEntries)
{
    for (int i = 1; i <= 1003; ++i)
        put("e" + std::to_string(i), card("e" + std::to_string(i), "E" + std::to_string(10000 + i), "1",
                                          "Standard-Status - Index: " + std::to_string(i) + " "));
    ASSERT_TRUE(start());
    EXPECT_EQ(h.model.pabList().count, 1000);
    EXPECT_EQ(h.model.pabList().entries[999].index, 1000);
    EXPECT_TRUE(h.engine.reports.empty());
    EXPECT_FALSE(h.model.hasFlag(FLAG_PAB_CHANGED));
}

} // namespace
