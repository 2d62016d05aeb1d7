// The road to the personal address book: the session, the folder table (the root and every
// distribution list, walked recursively) and reading a folder's entries into the list.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/DlgViewModel.h"
#include "phonebook/model/PabComment.h"

namespace brevik {

namespace mapi = torvane::mapi;
using mapi::failed;

namespace {

constexpr mapi::ULONG kLogonFlags = mapi::MAPI_NO_MAIL | mapi::MAPI_EXTENDED | mapi::MAPI_LOGON_UI;
constexpr mapi::ULONG kOpenFlags = mapi::MAPI_MODIFY | mapi::MAPI_BEST_ACCESS;
constexpr mapi::ULONG kLogoffFlags = 2;
constexpr mapi::ULONG kFolderWalkTable = 0;
constexpr mapi::ULONG kFolderEntriesTable = 0x40;

} // namespace

void DlgViewModel::report(int errorClass, int stringId)
{
    engine_.Fehler_Melden(errorClass, stringId);
}

void DlgViewModel::endProgram()
{
    ClosePab();
    if (!ended_) {
        ended_ = true;
        view_.EndProgram();
    }
}

HRESULT DlgViewModel::OpenPab()
{
    HRESULT hr = mapi_.MAPIInitialize();
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_MAPI_INIT);
        return hr;
    }
    mapiInitialized_ = true;
    const auto fail = [&](int id, HRESULT result) {
        report(ERROR_CLASS_SOFTWARE, id);
        ClosePab();
        return result;
    };
    hr = mapi_.MAPILogonEx(kLogonFlags, session_);
    if (failed(hr))
        return fail(IDS_ERR_MAPI_LOGON, hr);
    hr = session_->OpenAddressBook(0, addrBook_);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_ADDRESS_BOOK, hr);
    hr = addrBook_->GetPAB(pabEntryId_);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_PAB, hr);
    hr = openContainerOf(pabEntryId_, openContainer_);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_ROOT, hr);
    return hr;
}

HRESULT DlgViewModel::openContainerOf(const mapi::EntryId& id, std::shared_ptr<mapi::Container>& container)
{
    container.reset();
    if (!addrBook_)
        return mapi::MAPI_E_NOT_INITIALIZED;
    mapi::ULONG type = 0;
    std::shared_ptr<mapi::Prop> object;
    const HRESULT hr = addrBook_->OpenEntry(id, kOpenFlags, type, object);
    if (failed(hr))
        return hr;
    container = std::dynamic_pointer_cast<mapi::Container>(object);
    return container ? hr : mapi::MAPI_E_NO_SUPPORT;
}

void DlgViewModel::ClosePab()
{
    // Each object is let go once: a pointer that is empty already has nothing to release, so
    // a second call (after a failure closed the session, at quit, at the end) does nothing.
    for (PabFolder& row : folders_.rows)
        row.entryId.clear();
    openContainer_.reset();
    addrBook_.reset();
    if (session_) {
        if (session_->Logoff(kLogoffFlags) != mapi::S_OK)
            return;
        session_.reset();
    }
    if (mapiInitialized_) {
        mapi_.MAPIUninitialize();
        mapiInitialized_ = false;
    }
}

HRESULT DlgViewModel::ReopenPab()
{
    openContainer_.reset();
    addrBook_.reset();
    const auto fail = [&](int id, HRESULT result) {
        report(ERROR_CLASS_SOFTWARE, id);
        ClosePab();
        return result;
    };
    if (!session_)
        return fail(IDS_ERR_OPEN_ADDRESS_BOOK, mapi::MAPI_E_NOT_INITIALIZED);
    HRESULT hr = session_->OpenAddressBook(0, addrBook_);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_ADDRESS_BOOK, hr);
    hr = addrBook_->GetPAB(pabEntryId_);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_PAB, hr);
    hr = openContainerOf(pabEntryId_, openContainer_);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_ROOT, hr);
    return hr;
}

HRESULT DlgViewModel::ReadPabFolders(mapi::Container& container, int firstRow, int level)
{
    std::shared_ptr<mapi::Table> table;
    HRESULT hr = container.GetContentsTable(kFolderWalkTable, table);
    if (hr == mapi::MAPI_E_NO_SUPPORT) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_NO_ENTRIES);
        return hr;
    }
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_CONTENTS_TABLE);
        ClosePab();
        return hr;
    }
    mapi::RowSet rows;
    hr = mapi::HrQueryAllRows(*table, rows);
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_QUERY_ROWS);
        ClosePab();
        return hr;
    }
    int r = firstRow;
    if (firstRow == 0) {
        PabFolder& root = folders_.rows[0];
        root.kind = FOLDER_ROOT;
        root.depth = 1;
        root.name = brevikStringLatin1(IDS_PAB_ROOT);
        root.entryId = pabEntryId_;
        r = 1;
    }
    for (const mapi::Row& row : rows) {
        // The table has no room for more lists: the walk ends here.
        if (r >= kFolderRows)
            break;
        const mapi::PropValue* id = mapi::findProp(row, mapi::PR_ENTRYID);
        const mapi::PropValue* name = mapi::findProp(row, mapi::PR_DISPLAY_NAME_A);
        const mapi::PropValue* type = mapi::findProp(row, mapi::PR_OBJECT_TYPE);
        PabFolder& folder = folders_.rows[std::size_t(r)];
        folder.entryId = id ? id->bin : mapi::EntryId{};
        folder.name = name ? name->str : std::string();
        if (!type || type->l != mapi::MAPI_DISTLIST)
            continue;
        folder.kind = FOLDER_LIST;
        folder.depth = level + 2;
        std::shared_ptr<mapi::Container> list;
        hr = openContainerOf(folder.entryId, list);
        if (!failed(hr)) {
            folders_.count = r + 1;
            hr = ReadPabFolders(*list, r + 1, level + 1);
        }
        if (failed(hr)) {
            report(ERROR_CLASS_SOFTWARE, IDS_ERR_OPEN_ROOT);
            ClosePab();
            return hr;
        }
        r = folders_.count;
    }
    folders_.count = std::min(r, kFolderRows);
    return mapi::S_OK;
}

HRESULT DlgViewModel::ReadPabFolder(mapi::Container& container)
{
    std::shared_ptr<mapi::Table> table;
    HRESULT hr = container.GetContentsTable(kFolderEntriesTable, table);
    if (hr == mapi::MAPI_E_NO_SUPPORT) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_NO_ENTRIES);
        pabList_.clearSlots();
        pabList_.maxIndex = kPabMaxIndex;
        return mapi::S_OK;
    }
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_CONTENTS_TABLE);
        ClosePab();
        return hr;
    }
    mapi::RowSet rows;
    hr = mapi::HrQueryAllRows(*table, rows);
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_QUERY_ROWS);
        ClosePab();
        return hr;
    }
    pabList_.clearSlots();
    pabList_.maxIndex = kPabMaxIndex;

    int kept = 0;
    for (const mapi::Row& row : rows) {
        // The list has 1000 slots; a folder holding more shows its first 1000.
        if (kept >= kBlockSlots)
            break;
        const mapi::PropValue* id = mapi::findProp(row, mapi::PR_ENTRYID);
        const mapi::EntryId entryId = id ? id->bin : mapi::EntryId{};
        std::shared_ptr<mapi::Prop> object;
        mapi::ULONG type = 0;
        std::vector<mapi::PropValue> values;
        hr = addrBook_ ? addrBook_->OpenEntry(entryId, kOpenFlags, type, object) : mapi::MAPI_E_NOT_INITIALIZED;
        if (!failed(hr))
            hr = object->GetProps(nullptr, values);
        if (failed(hr)) {
            report(ERROR_CLASS_SOFTWARE, IDS_ERR_OPEN_ROOT);
            ClosePab();
            return hr;
        }
        PhoneBookEntry entry;
        entry.status = " ";
        bool isEntry = false;
        const std::string* comment = nullptr;
        for (const mapi::PropValue& value : values) {
            switch (value.tag) {
            case mapi::PR_DISPLAY_NAME_A:
                entry.name = value.str;
                break;
            case mapi::PR_PRIMARY_TELEPHONE_NUMBER_A:
                entry.number = value.str;
                break;
            case mapi::PR_OBJECT_TYPE:
                isEntry = value.l != mapi::MAPI_DISTLIST;
                break;
            case mapi::PR_COMMENT_A:
                comment = &value.str;
                break;
            default:
                break;
            }
        }
        if (!isEntry)
            continue;
        pabList_.count = kept;
        if (comment) {
            ParsedComment parsed = ParsePabComment(*comment, pabList_);
            entry.status = parsed.status;
            entry.index = parsed.index;
            entry.keptComment = std::move(parsed.keptComment);
        }
        entry.entryId = entryId;
        entry.state = ENTRY_UNCHANGED;
        pabList_.entries[std::size_t(kept)] = std::move(entry);
        ++kept;
    }
    pabList_.count = kept;

    // Entries without an index (or with one taken already) get the lowest free one, and the
    // folder is saved at once so their comments carry it.
    bool repaired = false;
    for (int slot = 0; slot < pabList_.count; ++slot) {
        PhoneBookEntry& entry = pabList_.entries[std::size_t(slot)];
        if (entry.index != 0)
            continue;
        entry.index = LowestFreeIndex(pabList_);
        entry.state = ENTRY_CHANGED;
        repaired = true;
    }
    // The save reads the folder again; should that read still find entries to repair, the
    // store did not keep what was written, and saving again would not end.
    if (repaired && pabRepairDepth_ == 0) {
        setFlag(FLAG_PAB_CHANGED, true);
        ++pabRepairDepth_;
        hr = SavePabList();
        --pabRepairDepth_;
        if (failed(hr))
            return hr;
    }
    return mapi::S_OK;
}

} // namespace brevik
