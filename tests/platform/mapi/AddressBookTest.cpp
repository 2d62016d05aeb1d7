// The address book objects over the card folder: entries and distribution lists round trip
// through the files, duplicate names collide, other programs' cards and changes survive our
// saves, and every call can be made to fail.
#include "MapiTestSupport.h"

#include "platform/mapi/AddressBook.h"
#include "platform/mapi/CardFields.h"

#include <gtest/gtest.h>

#include <functional>

using namespace torvane::mapi;
using torvane::mapi::test::folderContents;
using torvane::mapi::test::readFile;
using torvane::mapi::test::TempFolder;
using torvane::mapi::test::writeFile;

namespace {

constexpr ULONG kOpen = MAPI_MODIFY | MAPI_BEST_ACCESS;

// One session on a folder, opened as the phonebook editor opens it.
class Book {
public:
    explicit Book(const std::filesystem::path& folder) : mapi(folder) {}

    void open()
    {
        ASSERT_EQ(mapi.MAPIInitialize(), S_OK);
        ASSERT_EQ(mapi.MAPILogonEx(MAPI_NO_MAIL | MAPI_EXTENDED | MAPI_LOGON_UI, session), S_OK);
        ASSERT_EQ(session->OpenAddressBook(0, addressBook), S_OK);
        ASSERT_EQ(addressBook->GetPAB(pabId), S_OK);
        root = container(pabId);
        ASSERT_TRUE(root);
    }

    std::shared_ptr<Container> container(const EntryId& id)
    {
        ULONG type = 0;
        std::shared_ptr<Prop> object;
        EXPECT_EQ(addressBook->OpenEntry(id, kOpen, type, object), S_OK);
        return std::dynamic_pointer_cast<Container>(object);
    }

    RowSet contents(Container& c)
    {
        std::shared_ptr<Table> table;
        EXPECT_EQ(c.GetContentsTable(0, table), S_OK);
        RowSet rows;
        if (table) {
            EXPECT_EQ(HrQueryAllRows(*table, rows), S_OK);
        }
        return rows;
    }

    std::vector<std::string> names(Container& c)
    {
        std::vector<std::string> out;
        for (const Row& row : contents(c)) {
            const PropValue* name = findProp(row, PR_DISPLAY_NAME_A);
            const PropValue* type = findProp(row, PR_OBJECT_TYPE);
            out.push_back((name ? name->str : "?") + (type && type->l == MAPI_DISTLIST ? "/" : ""));
        }
        return out;
    }

    EntryId templateId(Container& c, const std::string& addressType)
    {
        std::shared_ptr<Table> table;
        EXPECT_EQ(c.OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table), S_OK);
        EXPECT_EQ(table->SetColumns({PR_ADDRTYPE_A, PR_ENTRYID}), S_OK);
        EXPECT_EQ(table->Restrict({RELOP_EQ, PR_ADDRTYPE_A, PropValue::string(PR_ADDRTYPE_A, addressType)}), S_OK);
        RowSet rows;
        EXPECT_EQ(table->QueryRows(10, rows), S_OK);
        return rows.empty() ? pabId : findProp(rows[0], PR_ENTRYID)->bin;
    }

    HRESULT create(Container& c, const EntryId& templ, const std::string& name, const std::string& number = {},
                   const std::string& comment = {}, ULONG flags = CREATE_CHECK_DUP_LOOSE)
    {
        std::shared_ptr<Prop> entry;
        HRESULT hr = c.CreateEntry(templ, flags, entry);
        if (failed(hr))
            return hr;
        std::vector<PropProblem> problems;
        hr = entry->SetProps({PropValue::string(PR_DISPLAY_NAME_A, name),
                              PropValue::string(PR_PRIMARY_TELEPHONE_NUMBER_A, number),
                              PropValue::string(PR_ADDRTYPE_A, "SMTP"), PropValue::string(PR_EMAIL_ADDRESS_A, "- -"),
                              PropValue::string(PR_COMMENT_A, comment)},
                             &problems);
        if (failed(hr))
            return hr;
        return entry->SaveChanges(0);
    }

    EntryId idOf(Container& c, const std::string& name)
    {
        for (const Row& row : contents(c))
            if (findProp(row, PR_DISPLAY_NAME_A)->str == name)
                return findProp(row, PR_ENTRYID)->bin;
        ADD_FAILURE() << "no entry " << name;
        return {};
    }

    std::vector<PropValue> props(const EntryId& id)
    {
        ULONG type = 0;
        std::shared_ptr<Prop> object;
        EXPECT_EQ(addressBook->OpenEntry(id, kOpen, type, object), S_OK);
        std::vector<PropValue> values;
        if (object) {
            EXPECT_EQ(object->GetProps(nullptr, values), S_OK);
        }
        return values;
    }

    Mapi mapi;
    std::shared_ptr<Session> session;
    std::shared_ptr<AddrBook> addressBook;
    std::shared_ptr<Container> root;
    EntryId pabId;
    int made = 0;
};

std::string text(const std::vector<PropValue>& values, ULONG tag)
{
    for (const PropValue& v : values)
        if (v.tag == tag)
            return v.str;
    return "<none>";
}

TEST(AddressBook, EntriesAndListsRoundTripThroughTheCards)
{
    TempFolder tmp;
    {
        Book book(tmp.path());
        book.open();
        const EntryId mail = book.templateId(*book.root, "SMTP");
        const EntryId list = book.templateId(*book.root, "MAPIPDL");
        ASSERT_EQ(book.create(*book.root, book.pabId, "Anna B\xE4" "cker", "+49 89 1234", "VIP-Status - Index: 1 "), S_OK);
        ASSERT_EQ(book.create(*book.root, list, "Team"), S_OK);
        auto team = book.container(book.idOf(*book.root, "Team"));
        ASSERT_TRUE(team);
        ASSERT_EQ(book.create(*team, mail, "Bernd", "0171", "Standard-Status - Index: 2 "), S_OK);
        ASSERT_EQ(book.create(*team, list, "Inner"), S_OK);
    }

    Book again(tmp.path());
    again.open();
    EXPECT_EQ(again.names(*again.root), (std::vector<std::string>{"Anna B\xE4" "cker", "Bernd", "Inner/", "Team/"}));
    auto team = again.container(again.idOf(*again.root, "Team"));
    ASSERT_TRUE(team);
    EXPECT_EQ(again.names(*team), (std::vector<std::string>{"Bernd", "Inner/"}));
    auto inner = again.container(again.idOf(*team, "Inner"));
    ASSERT_TRUE(inner);
    EXPECT_TRUE(again.names(*inner).empty());

    const auto anna = again.props(again.idOf(*again.root, "Anna B\xE4" "cker"));
    EXPECT_EQ(text(anna, PR_PRIMARY_TELEPHONE_NUMBER_A), "+49 89 1234");
    EXPECT_EQ(text(anna, PR_COMMENT_A), "VIP-Status - Index: 1 ");
    EXPECT_EQ(text(anna, PR_ADDRTYPE_A), "SMTP");
    EXPECT_EQ(text(anna, PR_EMAIL_ADDRESS_A), "- -");
    const auto teamProps = again.props(again.idOf(*again.root, "Team"));
    EXPECT_EQ(text(teamProps, PR_ADDRTYPE_A), "MAPIPDL");
    EXPECT_EQ(text(teamProps, PR_EMAIL_ADDRESS_A), "<none>") << "a list has no address of its own";

    // The files are plain cards any address book program reads: the list a group card naming
    // its members, the comment the card's note.
    std::string teamFile, berndUid;
    for (const auto& [name, contents] : folderContents(tmp.path())) {
        auto card = vcard::Card::parse(contents);
        ASSERT_TRUE(card) << name;
        const CardFields fields = readCardFields(*card);
        EXPECT_EQ(name, fields.uid + ".vcf");
        EXPECT_EQ(card->version(), "4.0");
        if (fields.displayName == "Team")
            teamFile = contents;
        if (fields.displayName == "Bernd") {
            berndUid = fields.uid;
            EXPECT_NE(contents.find("\r\nNOTE:Standard-Status - Index: 2 \r\n"), std::string::npos) << contents;
        }
    }
    EXPECT_NE(teamFile.find("\r\nKIND:group\r\n"), std::string::npos) << teamFile;
    EXPECT_NE(teamFile.find("\r\nMEMBER:urn:uuid:" + berndUid + "\r\n"), std::string::npos) << teamFile;
}

TEST(AddressBook, ADuplicateDisplayNameCollidesWithinItsContainer)
{
    TempFolder tmp;
    Book book(tmp.path());
    book.open();
    ASSERT_EQ(book.create(*book.root, book.pabId, "Anna"), S_OK);
    EXPECT_EQ(book.create(*book.root, book.pabId, "Anna"), MAPI_E_COLLISION);
    EXPECT_EQ(folderContents(tmp.path()).size(), 1u) << "a collision writes nothing";
    EXPECT_EQ(book.create(*book.root, book.pabId, "anna"), S_OK) << "names compare exactly";

    ASSERT_EQ(book.create(*book.root, book.templateId(*book.root, "MAPIPDL"), "Team"), S_OK);
    auto team = book.container(book.idOf(*book.root, "Team"));
    ASSERT_TRUE(team);
    const EntryId teamId = book.idOf(*book.root, "Team");
    EXPECT_EQ(book.create(*team, teamId, "Anna"), S_OK) << "the root's Anna is no member of the list";
    EXPECT_EQ(book.create(*team, teamId, "Anna"), MAPI_E_COLLISION);
    EXPECT_EQ(book.create(*book.root, book.pabId, "Anna", {}, {}, 0), S_OK) << "without a check, no collision";
}

// A card another program wrote, with much the address book does not use.
const std::string kForeign =
    "BEGIN:VCARD\r\nVERSION:3.0\r\nPRODID:-//Other//EN\r\nN:Z;Zoe;;;\r\nFN:Zoe\r\n"
    "item1.ADR;type=HOME:;;Weg 1;Ulm;;89073;\r\nitem1.X-ABLabel:_$!<Home>!$_\r\n"
    "TEL;type=CELL;type=pref:0170 555\r\nBDAY:1980-02-03\r\nX-CUSTOM;x-param=\"a:b\":value\\, more\r\n"
    "NOTE:Tennis\r\nUID:zoe-1\r\nEND:VCARD\r\n";

TEST(AddressBook, ACardOfAnotherProgramIsKeptIntact)
{
    TempFolder tmp;
    writeFile(tmp.path() / "zoe.vcf", kForeign);
    writeFile(tmp.path() / "old.vcf", "BEGIN:VCARD\nVERSION:2.1\nN:Old;Card\nEND:VCARD\n");
    Book book(tmp.path());
    book.open();
    ASSERT_EQ(book.create(*book.root, book.pabId, "Neu", "1"), S_OK);
    ASSERT_EQ(book.root->DeleteEntries({book.idOf(*book.root, "Neu")}, 0), S_OK);
    EXPECT_EQ(readFile(tmp.path() / "zoe.vcf"), kForeign) << "saves of other entries leave it as it was";
    EXPECT_EQ(book.names(*book.root), std::vector<std::string>{"Zoe"}) << "a card of version 2.1 is not ours to list";

    ULONG type = 0;
    std::shared_ptr<Prop> zoe;
    ASSERT_EQ(book.addressBook->OpenEntry(book.idOf(*book.root, "Zoe"), kOpen, type, zoe), S_OK);
    ASSERT_EQ(zoe->SetProps({PropValue::string(PR_DISPLAY_NAME_A, "Zoe Z"),
                             PropValue::string(PR_PRIMARY_TELEPHONE_NUMBER_A, "0170 555"),
                             PropValue::string(PR_COMMENT_A, "Tennis Standard-Status - Index: 4 ")}),
              S_OK);
    ASSERT_EQ(zoe->SaveChanges(0), S_OK);
    const std::string written = readFile(tmp.path() / "zoe.vcf");
    std::string expected = kForeign;
    expected.replace(expected.find("FN:Zoe\r\n"), 8, "FN:Zoe Z\r\n");
    expected.replace(expected.find("NOTE:Tennis\r\n"), 13, "NOTE:Tennis Standard-Status - Index: 4 \r\n");
    EXPECT_EQ(written, expected) << "only the changed lines differ";
    EXPECT_EQ(readFile(tmp.path() / "old.vcf"), "BEGIN:VCARD\nVERSION:2.1\nN:Old;Card\nEND:VCARD\n");
}

TEST(AddressBook, WhatAnotherProgramChangesMeanwhileIsKept)
{
    TempFolder tmp;
    writeFile(tmp.path() / "zoe.vcf", kForeign);
    Book book(tmp.path());
    book.open();
    ULONG type = 0;
    std::shared_ptr<Prop> zoe;
    ASSERT_EQ(book.addressBook->OpenEntry(book.idOf(*book.root, "Zoe"), kOpen, type, zoe), S_OK);
    std::string changed = kForeign;
    changed.replace(changed.find("BDAY:1980-02-03"), 15, "BDAY:1981-02-03\r\nTITLE:Chefin");
    writeFile(tmp.path() / "zoe.vcf", changed);
    ASSERT_EQ(zoe->SetProps({PropValue::string(PR_COMMENT_A, "VIP-Status - Index: 9 ")}), S_OK);
    ASSERT_EQ(zoe->SaveChanges(0), S_OK);
    const std::string written = readFile(tmp.path() / "zoe.vcf");
    EXPECT_NE(written.find("\r\nBDAY:1981-02-03\r\nTITLE:Chefin\r\n"), std::string::npos) << written;
    EXPECT_NE(written.find("\r\nNOTE:VIP-Status - Index: 9 \r\n"), std::string::npos) << written;

    std::filesystem::remove(tmp.path() / "zoe.vcf");
    ASSERT_EQ(zoe->SetProps({PropValue::string(PR_COMMENT_A, "x")}), S_OK);
    EXPECT_EQ(zoe->SaveChanges(0), MAPI_E_NOT_FOUND) << "a card removed meanwhile is not brought back";
}

TEST(AddressBook, DeletingFromTheRootRemovesTheCardFromAListOnlyTheMembership)
{
    TempFolder tmp;
    Book book(tmp.path());
    book.open();
    ASSERT_EQ(book.create(*book.root, book.templateId(*book.root, "MAPIPDL"), "Team"), S_OK);
    auto team = book.container(book.idOf(*book.root, "Team"));
    ASSERT_EQ(book.create(*team, book.idOf(*book.root, "Team"), "Anna"), S_OK);
    ASSERT_EQ(book.create(*team, book.idOf(*book.root, "Team"), "Bernd"), S_OK);

    ASSERT_EQ(team->DeleteEntries({book.idOf(*team, "Anna")}, 0), S_OK);
    EXPECT_EQ(book.names(*team), std::vector<std::string>{"Bernd"});
    EXPECT_EQ(book.names(*book.root), (std::vector<std::string>{"Anna", "Bernd", "Team/"}));

    ASSERT_EQ(book.root->DeleteEntries({book.idOf(*book.root, "Bernd")}, 0), S_OK);
    EXPECT_TRUE(book.names(*team).empty()) << "a removed card leaves every list";
    EXPECT_EQ(book.names(*book.root), (std::vector<std::string>{"Anna", "Team/"}));
    EXPECT_EQ(book.root->DeleteEntries({entryids::card("nobody.vcf")}, 0), MAPI_W_PARTIAL_COMPLETION);
}

TEST(AddressBook, TemplatesAndIdentifiers)
{
    TempFolder tmp;
    Book book(tmp.path());
    book.open();
    std::shared_ptr<Table> table;
    ASSERT_EQ(book.root->OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table), S_OK);
    ASSERT_EQ(table->SetColumns({PR_ADDRTYPE_A, PR_ENTRYID}), S_OK);
    for (const auto& [type, rows] : std::vector<std::pair<std::string, ULONG>>{{"", 0}, {"MAPIPDL", 1}, {"SMTP", 1}, {"X400", 0}}) {
        ASSERT_EQ(table->Restrict({RELOP_EQ, PR_ADDRTYPE_A, PropValue::string(PR_ADDRTYPE_A, type)}), S_OK);
        ULONG count = 99;
        ASSERT_EQ(table->GetRowCount(count), S_OK);
        EXPECT_EQ(count, rows) << "address type '" << type << "'";
    }
    std::shared_ptr<Table> none;
    EXPECT_EQ(book.root->OpenProperty(PR_COMMENT_A, IID_IMAPITable, none), MAPI_E_NO_SUPPORT);

    std::shared_ptr<Prop> entry;
    EXPECT_EQ(book.root->CreateEntry({1, 2, 3}, 0, entry), MAPI_E_INVALID_ENTRYID);
    ULONG type = 0;
    std::shared_ptr<Prop> object;
    EXPECT_EQ(book.addressBook->OpenEntry({9, 9, 9, 9, 9, 9}, kOpen, type, object), MAPI_E_INVALID_ENTRYID);
    EXPECT_EQ(book.addressBook->OpenEntry(entryids::card("gone.vcf"), kOpen, type, object), MAPI_E_NOT_FOUND);
    EXPECT_EQ(book.addressBook->OpenEntry(book.pabId, kOpen, type, object), S_OK);
    EXPECT_EQ(type, ULONG(MAPI_ABCONT));

    ASSERT_EQ(book.create(*book.root, book.pabId, "Anna"), S_OK);
    ASSERT_EQ(book.addressBook->OpenEntry(book.idOf(*book.root, "Anna"), kOpen, type, object), S_OK);
    std::vector<PropValue> values;
    const std::vector<ULONG> tags = {PR_DISPLAY_NAME_A, PR_PRIMARY_TELEPHONE_NUMBER_A};
    EXPECT_EQ(object->GetProps(&tags, values), MAPI_W_ERRORS_RETURNED);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0].str, "Anna");
    EXPECT_EQ(values[1].tag, changePropType(PR_PRIMARY_TELEPHONE_NUMBER_A, PT_ERROR));
    EXPECT_EQ(values[1].l, MAPI_E_NOT_FOUND);
}

TEST(AddressBook, SessionRules)
{
    TempFolder tmp;
    Mapi mapi(tmp.path());
    std::shared_ptr<Session> session;
    EXPECT_EQ(mapi.MAPILogonEx(0, session), MAPI_E_NOT_INITIALIZED);
    writeFile(tmp.path() / "file", "x");
    Mapi onFile(tmp.path() / "file");
    ASSERT_EQ(onFile.MAPIInitialize(), S_OK);
    EXPECT_EQ(onFile.MAPILogonEx(0, session), MAPI_E_LOGON_FAILED);

    Book book(tmp.path() / "book");
    book.open();
    EXPECT_EQ(book.mapi.liveObjects(), 3) << "session, address book, root";
    const int released = book.mapi.faults().calls(Call::Release);
    book.root.reset();
    book.addressBook.reset();
    book.session.reset();
    EXPECT_EQ(book.mapi.liveObjects(), 0);
    EXPECT_EQ(book.mapi.faults().calls(Call::Release), released + 3);
}

// Every call of the layer fails when told to, with the code it was given, and only then.
TEST(AddressBook, EveryCallCanBeMadeToFail)
{
    constexpr HRESULT kInjected = HRESULT(0x80040999u);
    struct Step {
        Call call;
        std::function<HRESULT(Book&)> run;
    };
    const std::vector<Step> steps = {
        {Call::Initialize, [](Book& b) { return b.mapi.MAPIInitialize(); }},
        {Call::LogonEx, [](Book& b) { return b.mapi.MAPILogonEx(0, b.session); }},
        {Call::OpenAddressBook, [](Book& b) { return b.session->OpenAddressBook(0, b.addressBook); }},
        {Call::GetPAB, [](Book& b) { return b.addressBook->GetPAB(b.pabId); }},
        {Call::OpenEntry, [](Book& b) {
             ULONG type = 0;
             std::shared_ptr<Prop> object;
             return b.addressBook->OpenEntry(b.pabId, kOpen, type, object);
         }},
        {Call::GetContentsTable, [](Book& b) {
             std::shared_ptr<Table> table;
             return b.root->GetContentsTable(0, table);
         }},
        {Call::QueryAllRows, [](Book& b) {
             std::shared_ptr<Table> table;
             b.root->GetContentsTable(0, table);
             RowSet rows;
             return HrQueryAllRows(*table, rows);
         }},
        {Call::OpenProperty, [](Book& b) {
             std::shared_ptr<Table> table;
             return b.root->OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table);
         }},
        {Call::SetColumns, [](Book& b) {
             std::shared_ptr<Table> table;
             b.root->OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table);
             return table->SetColumns({PR_ENTRYID});
         }},
        {Call::Restrict, [](Book& b) {
             std::shared_ptr<Table> table;
             b.root->OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table);
             return table->Restrict({RELOP_EQ, PR_ADDRTYPE_A, PropValue::string(PR_ADDRTYPE_A, "SMTP")});
         }},
        {Call::GetRowCount, [](Book& b) {
             std::shared_ptr<Table> table;
             b.root->OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table);
             ULONG count = 0;
             return table->GetRowCount(count);
         }},
        {Call::QueryRows, [](Book& b) {
             std::shared_ptr<Table> table;
             b.root->OpenProperty(PR_CREATE_TEMPLATES, IID_IMAPITable, table);
             RowSet rows;
             return table->QueryRows(1, rows);
         }},
        {Call::CreateEntry, [](Book& b) {
             std::shared_ptr<Prop> entry;
             return b.root->CreateEntry(b.pabId, 0, entry);
         }},
        {Call::SetProps, [](Book& b) { return b.create(*b.root, b.pabId, "S" + std::to_string(++b.made)); }},
        {Call::SaveChanges, [](Book& b) { return b.create(*b.root, b.pabId, "T" + std::to_string(++b.made)); }},
        {Call::GetProps, [](Book& b) {
             std::vector<PropValue> values;
             return b.root->GetProps(nullptr, values);
         }},
        {Call::DeleteEntries, [](Book& b) { return b.root->DeleteEntries({}, 0); }},
        {Call::Logoff, [](Book& b) { return b.session->Logoff(0); }},
    };
    for (const Step& step : steps) {
        TempFolder tmp;
        Book book(tmp.path());
        book.open();
        EXPECT_FALSE(failed(step.run(book))) << int(step.call) << " fails without being told to";
        book.mapi.faults().failOn(step.call, kInjected);
        EXPECT_EQ(step.run(book), kInjected) << int(step.call);
        EXPECT_FALSE(failed(step.run(book))) << int(step.call) << ": one failure only";
        book.mapi.faults().failOn(step.call, kInjected, 2, 2);
        EXPECT_FALSE(failed(step.run(book))) << "the second call from now fails, not the first";
        EXPECT_EQ(step.run(book), kInjected);
        EXPECT_EQ(step.run(book), kInjected);
        EXPECT_FALSE(failed(step.run(book)));
    }
}

} // namespace
