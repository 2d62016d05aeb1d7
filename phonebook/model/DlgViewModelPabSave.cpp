// Saving the address book list into the open folder (deletions, new entries, changed entries),
// the creation templates, new folders, opening another folder, and the check that keeps names
// unique within the list.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/DlgViewModel.h"
#include "phonebook/model/PabComment.h"

namespace brevik {

namespace mapi = torvane::mapi;
using mapi::failed;

namespace {

constexpr const char* kMailAddressType = "SMTP";
constexpr const char* kNoAddress = "- -";
constexpr const char* kListTemplate = "MAPIPDL";
// No template row has an empty address type: new entries are made from the root's own id.
constexpr const char* kEntryTemplate = "";

} // namespace

HRESULT DlgViewModel::FindCreateTemplate(const std::string& addressType, mapi::EntryId& templateId)
{
    templateId.clear();
    if (!openContainer_) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_OPEN_PROPERTY);
        return mapi::MAPI_E_NOT_INITIALIZED;
    }
    std::shared_ptr<mapi::Table> table;
    const auto fail = [&](int id, HRESULT result) {
        report(ERROR_CLASS_SOFTWARE, id);
        table.reset();
        ClosePab();
        return result;
    };
    HRESULT hr = openContainer_->OpenProperty(mapi::PR_CREATE_TEMPLATES, mapi::IID_IMAPITable, table);
    if (failed(hr))
        return fail(IDS_ERR_OPEN_PROPERTY, hr);
    hr = table->SetColumns({mapi::PR_ADDRTYPE_A, mapi::PR_ENTRYID});
    if (failed(hr))
        return fail(IDS_ERR_SET_COLUMNS, hr);
    mapi::PropertyRestriction restriction;
    restriction.relop = mapi::RELOP_EQ;
    restriction.tag = mapi::PR_ADDRTYPE_A;
    restriction.value = mapi::PropValue::string(mapi::PR_ADDRTYPE_A, addressType);
    hr = table->Restrict(restriction);
    if (failed(hr))
        return fail(IDS_ERR_RESTRICT, hr);
    mapi::ULONG count = 0;
    hr = table->GetRowCount(count);
    if (failed(hr))
        return fail(IDS_ERR_ROW_COUNT, hr);
    if (count == 0) {
        templateId = pabEntryId_;
        return mapi::S_OK;
    }
    mapi::RowSet rows;
    hr = table->QueryRows(LONG(count), rows);
    // Rows that were counted but cannot be read leave the road without a template: that is the
    // row query of the template table failing.
    if (failed(hr) || rows.empty())
        return fail(IDS_ERR_ROW_COUNT, failed(hr) ? hr : mapi::MAPI_E_NOT_FOUND);
    const mapi::PropValue* id = mapi::findProp(rows.front(), mapi::PR_ENTRYID);
    templateId = id ? id->bin : pabEntryId_;
    return mapi::S_OK;
}

HRESULT DlgViewModel::CreatePabEntry(const std::string& name, const std::string& number, int index,
                                     const std::string& status, const mapi::EntryId& templateId)
{
    std::shared_ptr<mapi::Prop> entry;
    HRESULT hr = openContainer_ ? openContainer_->CreateEntry(templateId, mapi::CREATE_CHECK_DUP_LOOSE, entry)
                                : mapi::MAPI_E_NOT_INITIALIZED;
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_CREATE_ENTRY);
        entry.reset();
        ClosePab();
        return hr;
    }
    if (hr != mapi::S_OK)
        return hr;
    const std::vector<mapi::PropValue> values = {
        mapi::PropValue::string(mapi::PR_DISPLAY_NAME_A, name),
        mapi::PropValue::string(mapi::PR_PRIMARY_TELEPHONE_NUMBER_A, number),
        mapi::PropValue::string(mapi::PR_ADDRTYPE_A, kMailAddressType),
        mapi::PropValue::string(mapi::PR_EMAIL_ADDRESS_A, kNoAddress),
        mapi::PropValue::string(mapi::PR_COMMENT_A, CreatePabComment(status, index)),
    };
    std::vector<mapi::PropProblem> problems;
    hr = entry->SetProps(values, &problems);
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_SET_PROPS);
        entry.reset();
        ClosePab();
        return hr;
    }
    hr = entry->SaveChanges(0);
    if (hr == mapi::MAPI_E_COLLISION) {
        // The one failure the road tolerates: the entry is not made, the save goes on.
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_ENTRY_EXISTS);
        return mapi::S_OK;
    }
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_SAVE_CHANGES);
        entry.reset();
        ClosePab();
        return hr;
    }
    view_.SetStatusText(IDS_DONE);
    return hr;
}

HRESULT DlgViewModel::UpdatePabEntry(const std::string& name, const std::string& number, int index,
                                     const std::string& status, const mapi::EntryId& id,
                                     const std::string& keptComment)
{
    std::shared_ptr<mapi::Prop> entry;
    mapi::ULONG type = 0;
    HRESULT hr = addrBook_ ? addrBook_->OpenEntry(id, mapi::MAPI_MODIFY | mapi::MAPI_BEST_ACCESS, type, entry)
                           : mapi::MAPI_E_NOT_INITIALIZED;
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_CREATE_ENTRY);
        ClosePab();
        return hr;
    }
    const std::vector<mapi::PropValue> values = {
        mapi::PropValue::string(mapi::PR_DISPLAY_NAME_A, name),
        mapi::PropValue::string(mapi::PR_PRIMARY_TELEPHONE_NUMBER_A, number),
        mapi::PropValue::string(mapi::PR_COMMENT_A, ChangePabComment(keptComment, status, index)),
    };
    std::vector<mapi::PropProblem> problems;
    hr = entry->SetProps(values, &problems);
    if (failed(hr)) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_SET_PROPS);
        entry.reset();
        ClosePab();
        return hr;
    }
    hr = entry->SaveChanges(0);
    if (failed(hr)) {
        if (hr == mapi::MAPI_E_COLLISION)
            report(ERROR_CLASS_SOFTWARE, IDS_ERR_ENTRY_EXISTS);
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_SAVE_CHANGES);
        entry.reset();
        ClosePab();
        return hr;
    }
    view_.SetStatusText(IDS_DONE);
    return hr;
}

HRESULT DlgViewModel::DeletePabEntry(const mapi::EntryId& id)
{
    const HRESULT hr = openContainer_ ? openContainer_->DeleteEntries({id}, 0) : mapi::MAPI_E_NOT_INITIALIZED;
    if (failed(hr)) {
        ClosePab();
        return hr;
    }
    return mapi::S_OK;
}

HRESULT DlgViewModel::SavePabList()
{
    if (!hasFlag(FLAG_PAB_CHANGED))
        return mapi::S_OK;
    const auto fail = [&](HRESULT hr) {
        endProgram();
        return hr;
    };
    for (int slot = pabList_.count; slot < kBlockSlots && pabList_.entries[std::size_t(slot)].state == ENTRY_DELETED;
         ++slot) {
        PhoneBookEntry& mark = pabList_.entries[std::size_t(slot)];
        if (const HRESULT hr = DeletePabEntry(mark.entryId); failed(hr))
            return fail(hr);
        mark.state = ENTRY_UNCHANGED;
    }
    for (int slot = 0; slot < pabList_.count; ++slot) {
        PhoneBookEntry& entry = pabList_.entries[std::size_t(slot)];
        if (entry.state == ENTRY_NEW) {
            view_.SetStatusText(IDS_PAB_WRITING);
            mapi::EntryId templateId;
            HRESULT hr = FindCreateTemplate(kEntryTemplate, templateId);
            if (!failed(hr))
                hr = CreatePabEntry(entry.name, entry.number, entry.index, entry.status, templateId);
            if (failed(hr))
                return fail(hr);
            entry.state = ENTRY_UNCHANGED;
        } else if (entry.state == ENTRY_CHANGED) {
            view_.SetStatusText(IDS_PAB_WRITING);
            const HRESULT hr =
                UpdatePabEntry(entry.name, entry.number, entry.index, entry.status, entry.entryId, entry.keptComment);
            if (failed(hr))
                return fail(hr);
            entry.state = ENTRY_UNCHANGED;
        }
    }
    setFlag(FLAG_PAB_CHANGED, false);
    OnSelchangePabFolder();
    return ended_ ? mapi::MAPI_E_CALL_FAILED : mapi::S_OK;
}

void DlgViewModel::OnSelchangePabFolder()
{
    if (hasFlag(FLAG_PAB_CHANGED)) {
        if (dialogs_.AskYesNo(IDS_ASK_SAVE_PAB_BEFORE_FOLDER))
            SavePabList();
        setFlag(FLAG_PAB_CHANGED, false);
        if (ended_)
            return;
    }
    const int selection = view_.FolderComboSelection();
    if (selection < 0 || selection >= folders_.count)
        return;
    openContainer_.reset();
    std::shared_ptr<mapi::Container> container;
    if (failed(openContainerOf(folders_.rows[std::size_t(selection)].entryId, container))) {
        report(ERROR_CLASS_SOFTWARE, IDS_ERR_OPEN_ROOT);
        endProgram();
        return;
    }
    openContainer_ = container;
    // A folder that cannot be read again ends the program like every other failure here.
    if (failed(ReadPabFolder(*container)) || ended_) {
        endProgram();
        return;
    }
    FillPabList(false);
}

void DlgViewModel::OnNewPabFolder()
{
    if (hasFlag(FLAG_PAB_CHANGED) && dialogs_.AskYesNo(IDS_ASK_SAVE_PAB_BEFORE_FOLDER)) {
        SavePabList();
        if (ended_)
            return;
    }
    std::optional<std::string> asked = dialogs_.AskFolderName(IDS_NEW_FOLDER_TITLE, IDS_NEW_FOLDER_PROMPT, {});
    if (!asked)
        return;
    std::string name = *asked;
    // A new name is checked against every folder again, from the first.
    for (int row = 0; row < folders_.count && !name.empty();) {
        const std::string& existing = folders_.rows[std::size_t(row)].name;
        if (name != existing) {
            ++row;
            continue;
        }
        if (!dialogs_.AskYesNo(IDS_ERR_NAME_EXISTS, name)) {
            name.clear();
            break;
        }
        name = dialogs_.AskFolderName(IDS_NEW_FOLDER_TITLE, IDS_NEW_FOLDER_PROMPT, existing).value_or(std::string());
        row = 0;
    }
    if (name.empty())
        return;

    const int shown = view_.FolderComboSelection();
    const mapi::EntryId shownId =
        shown >= 0 && shown < folders_.count ? folders_.rows[std::size_t(shown)].entryId : mapi::EntryId{};
    view_.FolderComboCleared();
    view_.SetStatusText(IDS_PAB_WRITING);
    mapi::EntryId templateId;
    HRESULT hr = FindCreateTemplate(kListTemplate, templateId);
    if (!failed(hr))
        hr = CreatePabEntry(name, "", 0, "", templateId);
    if (!failed(hr))
        hr = ReopenPab();
    if (!failed(hr)) {
        folders_ = PabFolderTable{};
        const std::shared_ptr<mapi::Container> root = openContainer_;
        hr = ReadPabFolders(*root, 0, 0);
    }
    if (failed(hr)) {
        endProgram();
        return;
    }
    view_.FolderTableFilled();
    // The new list when it is there (a collision did not make it), else the folder shown before.
    int select = -1;
    for (int row = 0; row < folders_.count && select < 0; ++row)
        if (folders_.rows[std::size_t(row)].name == name)
            select = row;
    for (int row = 0; row < folders_.count && select < 0; ++row)
        if (folders_.rows[std::size_t(row)].entryId == shownId)
            select = row;
    view_.SelectFolderInCombo(select < 0 ? 0 : select);
    OnSelchangePabFolder();
}

void DlgViewModel::OnOpenPabFolder()
{
    const std::optional<int> row = dialogs_.ChooseFolder(folders_);
    if (!row || *row < 0 || *row >= folders_.count)
        return;
    view_.SelectFolderInCombo(*row);
    OnSelchangePabFolder();
}

int DlgViewModel::AskOtherPabName(std::string& name)
{
    // Every entry is compared again, from the first, after each new name.
    for (int slot = 0; slot < pabList_.count && !name.empty();) {
        if (pabList_.entries[std::size_t(slot)].name != name) {
            ++slot;
            continue;
        }
        if (!dialogs_.AskYesNo(IDS_ERR_NAME_EXISTS, name))
            return 0;
        const std::optional<std::string> other = dialogs_.AskFolderName(IDS_OTHER_NAME_TITLE, IDS_OTHER_NAME_PROMPT, name);
        if (!other)
            return 0;
        name = *other;
        slot = 0;
    }
    return name.empty() ? 0 : 1;
}

} // namespace brevik
