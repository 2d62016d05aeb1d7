// The phonebook editor's form without its widgets: the seven phone directories and the road to
// the phone through the engine, the address book list with its folders and the road to the
// personal address book, and the insertion, removal and change of entries in both lists. The
// form (CDlgView) owns one and hands it its window, its widgets (FormView) and its questions
// (FormDialogs); the engine's answers to the form's window come back to OnPhonebookRead and
// OnPhonebookEntryWritten.
//
// Names and numbers are Latin-1 bytes throughout. Every member runs on the form's thread.
#pragma once

#include "phonebook/model/FormDialogs.h"
#include "phonebook/model/FormView.h"
#include "phonebook/model/PhoneDirectory.h"
#include "phonebook/model/PhoneEngine.h"
#include "phonebook/model/StartSettings.h"
#include "phonebook/model/ViewFlags.h"
#include "platform/mapi/AddressBook.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace brevik {

using torvane::mapi::HRESULT;

class DlgViewModel {
public:
    DlgViewModel(PhoneEngine& engine, FormView& view, FormDialogs& dialogs, torvane::mapi::Mapi& mapi);
    ~DlgViewModel();
    DlgViewModel(const DlgViewModel&) = delete;
    DlgViewModel& operator=(const DlgViewModel&) = delete;

    // The window the engine answers to (WM_PHONEBOOK_READ_DONE, WM_PHONEBOOK_WRITE_DONE).
    void setWindow(HWND window) { window_ = window; }
    HWND window() const { return window_; }

    // The form's start: flags, empty directories, the address book opened and its root folder
    // read (a failure ends the program), the start settings applied, then the first directory
    // read (the own numbers, or the autoload chain). False when the program was ended.
    bool Start(const StartSettings& settings);

    // Reports a user-visible error through the engine (the main program shows it).
    void ReportError(int errorClass, int stringId) { report(errorClass, stringId); }

    // Hands an engine answer to its handler; false for other messages.
    bool OnEngineMessage(UINT message, WPARAM wParam, LPARAM lParam);

    // ---- Phone directories -------------------------------------------------------------
    // Shows directory index, reading it from the phone when its block is empty; also the
    // step of the autoload chain (while the chain runs, its next directory is read instead).
    // While a phone job waits for its answer nothing changes: the combo box shows the job's
    // directory again.
    void SelectDirectory(int index);
    void OnPhonebookRead(WPARAM wParam, LPARAM result);
    // Starts writing the shown directory; true when a phone job was started.
    bool WritePhonebook();
    void OnPhonebookEntryWritten(WPARAM wParam, LPARAM result);
    // Whether a phone job waits for its answer; no second one starts meanwhile.
    bool jobPending() const { return pendingJob_ != Job::None; }
    // A job waiting while no program drives the engine gets no answer: it ends as one the
    // engine timed out (reported, "Aktion wurde abgebrochen."). The form asks this while busy.
    void CheckEngineHost();

    // Insert into the shown directory / the address book list at position; 1 inserted, 0 not.
    int AddToDirectory(int position, const PhoneBookEntry& source);
    int AddToPabList(int position, const PhoneBookEntry& source);
    // Remove the live entry at slot; 0 when nothing was removed.
    int DeleteDirectoryEntry(int slot);
    int DeletePabListEntry(int slot);
    // Give the live entry at slot the name, number, index and status of edited (the form's
    // entry dialog checked them); it becomes ENTRY_CHANGED unless it is ENTRY_NEW. False when
    // nothing was changed.
    bool ChangeDirectoryEntry(int slot, const PhoneBookEntry& edited);
    bool ChangePabListEntry(int slot, const PhoneBookEntry& edited);

    // The lists shown anew; with clearStates every entry becomes ENTRY_UNCHANGED. The address
    // book list also mends indices outside 1..1000 and statuses other than " " and "!".
    void FillPhoneList(bool clearStates);
    void FillPabList(bool clearStates);
    // Shows the preview row when show is set and the settings allow it; hides it otherwise.
    void ShowPreviewRow(bool show);

    // ---- Form commands -----------------------------------------------------------------
    // "Auf Telefon speichern": writes the shown directory; true when a phone job was started.
    bool OnSaveToPhone();
    // "Adressbuch speichern".
    void OnSaveAddressBook();
    // "Beenden" (and every other way of closing the frame): asks about unsaved changes, then
    // has the frame closed at once or when the phone write has ended. A write that ends
    // without writing or fails leaves the form open with its address book.
    void OnButtonQuit();
    // The user chose another directory in the combo box (-1: none); refused, as SelectDirectory
    // is, while a phone job waits.
    void OnSelchangeDirectory(int selection);

    // ---- Edit commands (the lists are the form's; it hands over what they show) ----------
    // The block behind a list (LIST_PHONE the shown directory, LIST_PAB the address book list).
    PhoneDirectory& listBlock(int list);
    // Copies the preview's entries behind the directory's entries, asking for an index where
    // one is taken; stops at the first that cannot go in. How many went in.
    int CopyIntoDirectory(const std::vector<PhoneBookEntry>& items);
    // The same into the address book list; an entry whose name the user gives up is left out.
    int CopyIntoPabList(const std::vector<PhoneBookEntry>& items);
    // Removes from the list, for each index, the first live entry that has it. How many went.
    int DeleteByIndex(int list, const std::vector<int>& indices);
    // The internal clipboard takes copies of these live slots of the list, in this order.
    void CopyToClipboard(int list, const std::vector<int>& slots);
    const PhoneDirectory& clipboard() const { return clipboard_; }
    // Inserts the clipboard into the list from position on, once: the clipboard is empty for
    // pasting afterwards. How many went in.
    int Paste(int list, int position);
    // A new entry from the entry dialog into the list at position; its index once inserted.
    std::optional<int> NewEntry(int list, int position);
    // The live entry at slot of the list changed in the entry dialog; false when the user
    // cancelled or gave up a name.
    bool ChangeEntry(int list, int slot);

    // ---- Personal address book ---------------------------------------------------------
    HRESULT OpenPab();
    // Releases every object of the session, each once; safe to call again.
    void ClosePab();
    HRESULT ReopenPab();
    // Fills the folder table from firstRow on with the lists of container, walking into each.
    HRESULT ReadPabFolders(torvane::mapi::Container& container, int firstRow, int level);
    // Reads the container's entries into the address book list.
    HRESULT ReadPabFolder(torvane::mapi::Container& container);
    HRESULT FindCreateTemplate(const std::string& addressType, torvane::mapi::EntryId& templateId);
    HRESULT CreatePabEntry(const std::string& name, const std::string& number, int index, const std::string& status,
                           const torvane::mapi::EntryId& templateId);
    HRESULT UpdatePabEntry(const std::string& name, const std::string& number, int index, const std::string& status,
                           const torvane::mapi::EntryId& id, const std::string& keptComment);
    HRESULT DeletePabEntry(const torvane::mapi::EntryId& id);
    // Saves the address book list into the open folder, then reads the folder again. A
    // failure ends the program.
    HRESULT SavePabList();
    // The folder selected in the folder combo box is opened and read. A failure ends the program.
    void OnSelchangePabFolder();
    // Asks for a name and creates a distribution list in the open folder.
    void OnNewPabFolder();
    // Lets the user choose a folder and opens it.
    void OnOpenPabFolder();
    // Before an entry with this name enters the address book list: 1 with a name no entry of
    // the list has (name may have been changed), 0 when the user gives up.
    int AskOtherPabName(std::string& name);

    // ---- State -------------------------------------------------------------------------
    int flags() const { return flags_; }
    bool hasFlag(int flag) const { return (flags_ & flag) != 0; }
    void setFlag(int flag, bool on) { flags_ = on ? (flags_ | flag) : (flags_ & ~flag); }

    const PhoneDirectorySet& directories() const { return directories_; }
    PhoneDirectory& shownDirectory() { return directories_.blocks[std::size_t(directories_.current)]; }
    const PhoneDirectory& shownDirectory() const { return directories_.blocks[std::size_t(directories_.current)]; }
    PhoneDirectory& pabList() { return pabList_; }
    const PhoneDirectory& pabList() const { return pabList_; }
    const PabFolderTable& folders() const { return folders_; }

    // Limits of the directory shown (0 until the first read).
    int nameLength() const { return nameLength_; }
    int numberLength() const { return numberLength_; }
    int previousDirectory() const { return previousDirectory_; }
    int writeCursor() const { return writeCursor_; }
    int autoloadMask() const { return autoloadMask_; }
    void setAutoloadMask(int mask) { autoloadMask_ = mask; }
    // Whether a failure has ended the program (EndProgram was called).
    bool programEnded() const { return ended_; }

private:
    // Phone road.
    void readDirectory(int directory);
    void failRead(int reportId);
    // The slot of the next entry to write from slot from on, or of the next deletion mark to
    // erase; -1 when nothing is left.
    int nextToWrite(int from);
    void writeSlot(int slot);
    void reselectAfterWrite();
    static void removeMark(PhoneDirectory& block, int slot);

    // Lists.
    int insertSlots(PhoneDirectory& block, int position, bool dropSameIndexMark, int index);
    bool askIndex(PhoneDirectory& block, PhoneBookEntry& entry, bool checkMaxIndex);
    void reportFull();
    // The entry dialog until it ends with OK and a name and a number, or with cancel.
    std::optional<EntryDialogData> askCompleteEntry(EntryDialogData data);
    int insertInto(int list, int position, const PhoneBookEntry& entry);
    int copyInto(int list, const std::vector<PhoneBookEntry>& items);

    // Address book road.
    void report(int errorClass, int stringId);
    // Closes the address book and has the form end the program.
    void endProgram();
    HRESULT openContainerOf(const torvane::mapi::EntryId& id, std::shared_ptr<torvane::mapi::Container>& container);

    PhoneEngine& engine_;
    FormView& view_;
    FormDialogs& dialogs_;
    torvane::mapi::Mapi& mapi_;
    HWND window_ = 0;

    int flags_ = 0;
    PhoneDirectorySet directories_;
    PhoneDirectory pabList_;
    PabFolderTable folders_;
    int nameLength_ = 0;
    int numberLength_ = 0;
    int previousDirectory_ = 0;
    int writeCursor_ = 0;
    int autoloadMask_ = 0;
    enum class Job { None, Read, Write };
    Job pendingJob_ = Job::None;
    int jobDirectory_ = 0; // the directory the pending job reads or writes
    bool ended_ = false;
    int pabRepairDepth_ = 0;
    PhoneDirectory clipboard_;

    bool mapiInitialized_ = false;
    std::shared_ptr<torvane::mapi::Session> session_;
    std::shared_ptr<torvane::mapi::AddrBook> addrBook_;
    std::shared_ptr<torvane::mapi::Container> openContainer_;
    torvane::mapi::EntryId pabEntryId_;
};

} // namespace brevik
