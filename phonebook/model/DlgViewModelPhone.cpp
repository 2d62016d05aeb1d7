// The form's start and the road to the phone: reading a directory (alone or as a step of the
// autoload chain) and writing the shown one, one engine job at a time, each started from the
// answer to the previous.
#include "phonebook/model/BrevikStrings.h"
#include "phonebook/model/DlgViewModel.h"
#include "phonebook/model/GsmName.h"
#include "phonebook/model/PhonebookResult.h"

#include <bit>

namespace brevik {

DlgViewModel::DlgViewModel(PhoneEngine& engine, FormView& view, FormDialogs& dialogs, torvane::mapi::Mapi& mapi)
    : engine_(engine), view_(view), dialogs_(dialogs), mapi_(mapi)
{
    pabList_.maxIndex = kPabMaxIndex;
}

DlgViewModel::~DlgViewModel()
{
    ClosePab();
}

bool DlgViewModel::Start(const StartSettings& settings)
{
    flags_ = FLAG_PREVIEW_ROW;
    nameLength_ = 0;
    numberLength_ = 0;
    directories_.usedCount = 0;
    directories_.current = 0;
    for (PhoneDirectory& block : directories_.blocks) {
        block.clearSlots();
        block.maxIndex = 0;
        block.nameLength = 0;
        block.numberLength = 0;
    }
    pabList_.clearSlots();
    pabList_.maxIndex = kPabMaxIndex;
    folders_ = PabFolderTable{};

    if (torvane::mapi::failed(OpenPab())) {
        endProgram();
        return false;
    }
    const std::shared_ptr<torvane::mapi::Container> root = openContainer_;
    if (torvane::mapi::failed(ReadPabFolders(*root, 0, 0)) || torvane::mapi::failed(ReadPabFolder(*root)) ||
        ended_) {
        endProgram();
        return false;
    }
    FillPabList(true);
    view_.FolderTableFilled();

    setFlag(FLAG_PREVIEW_ROW, settings.showPreviewRow);
    view_.SetPreviewRowVisible(settings.showPreviewRow);
    autoloadMask_ = settings.autoloadMask;
    SelectDirectory(DIRECTORY_OWN);
    return true;
}

bool DlgViewModel::OnEngineMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PHONEBOOK_READ_DONE) {
        OnPhonebookRead(wParam, lParam);
        return true;
    }
    if (message == WM_PHONEBOOK_WRITE_DONE) {
        OnPhonebookEntryWritten(wParam, lParam);
        return true;
    }
    return false;
}

// ---------------------------------------------------------------------------------------------
// Reading

void DlgViewModel::SelectDirectory(int index)
{
    // The answer of the job that waits belongs to its directory; another read would overwrite
    // the engine's result before it is fetched, and show one directory's entries as another's.
    if (jobPending()) {
        view_.SelectDirectoryInCombo(directories_.current);
        return;
    }
    if (autoloadMask_ != 0) {
        const int pending = autoloadMask_ & AUTOLOAD_DIRECTORIES;
        if (pending == 0) {
            autoloadMask_ = 0;
        } else {
            const int next = std::countr_zero(unsigned(pending));
            autoloadMask_ &= ~(1 << next);
            if (autoloadMask_ & AUTOLOAD_FIRST) {
                directories_.current = next;
                autoloadMask_ &= ~AUTOLOAD_FIRST;
            }
            view_.SelectDirectoryInCombo(directories_.current);
            index = next;
        }
    }
    if (index < 0 || index >= kDirectoryCount)
        return;
    previousDirectory_ = directories_.current;
    directories_.current = index;
    const PhoneDirectory& block = directories_.blocks[std::size_t(index)];
    if (block.count != 0) {
        nameLength_ = block.nameLength;
        numberLength_ = block.numberLength;
        FillPhoneList(false);
        return;
    }
    readDirectory(index);
}

void DlgViewModel::readDirectory(int directory)
{
    if (jobPending())
        return;
    view_.SetStatusText(IDS_READING);
    pendingJob_ = Job::Read;
    jobDirectory_ = directory;
    engine_.ATPBRead(window_, WM_PHONEBOOK_READ_DONE, DirectoryTable[std::size_t(directory)].storageCode);
    setFlag(FLAG_BUSY, true);
    view_.SetBusy(true);
}

void DlgViewModel::OnPhonebookRead(WPARAM /*wParam*/, LPARAM result)
{
    // An answer nobody here waits for (a job another copy of the form started) is not ours.
    if (pendingJob_ != Job::Read)
        return;
    pendingJob_ = Job::None;
    if (result == RESULT_STORAGE_ERROR) {
        failRead(IDS_ERR_NO_DIRECTORY);
        if (autoloadMask_ != 0)
            SelectDirectory(DIRECTORY_OWN);
        if (directories_.usedCount == 0)
            ShowPreviewRow(false);
        return;
    }
    const PBResult* packed = result == RESULT_OK ? engine_.ATPBGet() : nullptr;
    if (!packed) {
        failRead(IDS_ERR_NO_DATA);
        // The chain ends here: what is still queued must not replace the user's next choice.
        autoloadMask_ = 0;
        if (directories_.usedCount == 0)
            ShowPreviewRow(false);
        return;
    }

    view_.SetStatusText(IDS_DONE);
    ShowPreviewRow(true);
    directories_.usedCount = kDirectoryCount;
    const int justRead = jobDirectory_;
    PhoneDirectory& block = directories_.blocks[std::size_t(justRead)];
    DecodePhonebookResult(*packed, block);
    block.readOnly = DirectoryTable[std::size_t(justRead)].writeCode[0] == '\0' ? 1 : 0;
    nameLength_ = block.nameLength;
    numberLength_ = block.numberLength;
    FillPhoneList(true);
    setFlag(FLAG_BUSY, false);
    view_.SetBusy(false);
    if (autoloadMask_ != 0)
        SelectDirectory(DIRECTORY_OWN);
    view_.SelectDirectoryInCombo(justRead);
}

void DlgViewModel::CheckEngineHost()
{
    if (!jobPending() || engine_.ZelDllHostAlive())
        return;
    // Given up, the job must not be carried out later by an owner that starts then. Nothing to
    // take back while an owner runs again: it has just taken the job, and its answer comes.
    if (engine_.ATWithdraw(window_) == 0 && engine_.ZelDllHostAlive())
        return;
    if (pendingJob_ == Job::Read)
        OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_TIMEOUT);
    else
        OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_TIMEOUT);
}

void DlgViewModel::failRead(int reportId)
{
    report(ERROR_CLASS_PHONE, reportId);
    view_.SetStatusText(IDS_ABORTED);
    setFlag(FLAG_BUSY, false);
    view_.SetBusy(false);
    directories_.current = previousDirectory_;
    view_.SelectDirectoryInCombo(directories_.current);
}

// ---------------------------------------------------------------------------------------------
// Writing

bool DlgViewModel::WritePhonebook()
{
    if (pendingJob_ != Job::None)
        return false;
    const int directory = directories_.current;
    if (DirectoryTable[std::size_t(directory)].writeCode[0] == '\0') {
        report(ERROR_CLASS_OPERATING, IDS_ERR_READ_ONLY);
        view_.SetStatusText(IDS_ABORTED);
        setFlag(FLAG_PHONE_CHANGED, false);
        reselectAfterWrite();
        return false;
    }
    view_.SetStatusText(IDS_WRITING);
    setFlag(FLAG_BUSY, true);
    view_.SetBusy(true);
    jobDirectory_ = directory;
    const int slot = nextToWrite(0);
    if (slot < 0) {
        view_.SetStatusText(IDS_NOTHING_TO_WRITE);
        setFlag(FLAG_BUSY, false);
        setFlag(FLAG_PHONE_CHANGED, false);
        view_.SetBusy(false);
        reselectAfterWrite();
        return false;
    }
    pendingJob_ = Job::Write;
    writeSlot(slot);
    return true;
}

int DlgViewModel::nextToWrite(int from)
{
    PhoneDirectory& block = directories_.blocks[std::size_t(jobDirectory_)];
    for (int slot = std::max(from, 0); slot < block.count; ++slot) {
        const int state = block.entries[std::size_t(slot)].state;
        if (state == ENTRY_NEW || state == ENTRY_CHANGED)
            return slot;
    }
    // A mark whose index a live entry holds now was overwritten on the phone by that entry's
    // write; erasing it would erase the new entry.
    while (block.markCount() > 0 && !IsIndexFree(block.entries[std::size_t(block.count)].index, block) &&
           block.entries[std::size_t(block.count)].index >= 1 &&
           block.entries[std::size_t(block.count)].index <= block.maxIndex)
        removeMark(block, block.count);
    return block.markCount() > 0 ? int(block.count) : -1;
}

void DlgViewModel::writeSlot(int slot)
{
    writeCursor_ = slot;
    PhoneDirectory& block = directories_.blocks[std::size_t(jobDirectory_)];
    PhoneBookEntry& entry = block.entries[std::size_t(slot)];
    const char* writeCode = DirectoryTable[std::size_t(jobDirectory_)].writeCode;
    if (entry.state == ENTRY_DELETED) {
        // An empty number makes the engine erase the index.
        entry.name.clear();
        entry.number.clear();
        entry.status.clear();
        engine_.ATPBWrite(window_, WM_PHONEBOOK_WRITE_DONE, writeCode, entry.index, "", "");
        return;
    }
    std::string text = entry.name;
    if (entry.status == "!")
        text = entry.name.substr(0, std::size_t(std::max(block.nameLength - 1, 0))) + "!";
    const std::string gsm = PhonebookNameToGsm(text);
    engine_.ATPBWrite(window_, WM_PHONEBOOK_WRITE_DONE, writeCode, entry.index, gsm.c_str(), entry.number.c_str());
}

void DlgViewModel::OnPhonebookEntryWritten(WPARAM /*wParam*/, LPARAM result)
{
    if (pendingJob_ != Job::Write)
        return;
    PhoneDirectory& block = directories_.blocks[std::size_t(jobDirectory_)];
    if (result != RESULT_OK) {
        pendingJob_ = Job::None;
        setFlag(FLAG_BUSY, false);
        view_.SetBusy(false);
        report(ERROR_CLASS_EXCEPTIONAL, IDS_ERR_WRITE);
        view_.SetStatusText(IDS_ABORTED);
        // The unwritten changes stay; closing now would lose them, and showing another
        // directory would hide them behind the user's back.
        setFlag(FLAG_QUIT_AFTER_WRITE, false);
        if (hasFlag(FLAG_RESELECT_AFTER_WRITE)) {
            setFlag(FLAG_RESELECT_AFTER_WRITE, false);
            view_.SelectDirectoryInCombo(directories_.current);
        }
        return;
    }
    const int slot = writeCursor_;
    int next = -1;
    if (slot < block.count) {
        block.entries[std::size_t(slot)].state = ENTRY_UNCHANGED;
        next = nextToWrite(slot + 1);
    } else {
        // The erased mark goes; the next mark moves into its slot.
        removeMark(block, slot);
        next = nextToWrite(block.count);
    }
    if (next >= 0) {
        writeSlot(next);
        return;
    }
    pendingJob_ = Job::None;
    setFlag(FLAG_BUSY, false);
    setFlag(FLAG_PHONE_CHANGED, false);
    view_.SetBusy(false);
    view_.SetStatusText(IDS_DONE);
    if (hasFlag(FLAG_QUIT_AFTER_WRITE))
        view_.PostCloseToOwner();
    reselectAfterWrite();
}

void DlgViewModel::reselectAfterWrite()
{
    if (!hasFlag(FLAG_RESELECT_AFTER_WRITE))
        return;
    setFlag(FLAG_RESELECT_AFTER_WRITE, false);
    const int selection = view_.DirectoryComboSelection();
    if (selection >= 0)
        SelectDirectory(selection);
}

void DlgViewModel::removeMark(PhoneDirectory& block, int slot)
{
    const int end = block.count + block.markCount();
    if (slot < block.count || slot >= end)
        return;
    for (int s = slot; s + 1 < end; ++s)
        block.entries[std::size_t(s)] = std::move(block.entries[std::size_t(s + 1)]);
    block.entries[std::size_t(end - 1)] = PhoneBookEntry{};
}

} // namespace brevik
