// Stand-ins for what the phonebook editor's model talks to: an engine that records requests and
// hands out a hand-packed read result, a form that records what it was told to show, and
// scripted answers to the form's questions.
#pragma once

#include "phonebook/model/DlgViewModel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace brevik::test {

// One entry as the engine packs it: the index (bits above 14 are the phone's business), the
// name in the phone's codes and the number.
struct Packed {
    std::uint16_t index;
    std::string text;
    std::string number;
};

class FakeEngine : public PhoneEngine {
public:
    struct Read {
        HWND window;
        UINT message;
        std::string storage;
    };
    struct Write {
        HWND window;
        UINT message;
        std::string storage;
        int index;
        std::string text;
        std::string number;
        bool operator==(const Write&) const = default;
    };

    std::vector<Read> reads;
    std::vector<Write> writes;
    std::vector<std::pair<int, int>> reports; // (class, id)

    // The result ATPBGet hands out: an area exactly as large as the engine's, so that a read
    // beyond it is caught.
    void setResult(int textLength, int numberLength, int highestIndex, const std::vector<Packed>& entries,
                   int count = -1)
    {
        area_.assign(ZEL_PB_AREA_SIZE, 0);
        const std::size_t stride = std::size_t(2 + textLength + numberLength);
        std::size_t offset = 0;
        for (const Packed& e : entries) {
            if (offset + stride > area_.size())
                break;
            area_[offset] = std::uint8_t(e.index & 0xFF);
            area_[offset + 1] = std::uint8_t(e.index >> 8);
            std::copy_n(e.text.begin(), std::min(e.text.size(), std::size_t(textLength)), area_.begin() + long(offset) + 2);
            std::copy_n(e.number.begin(), std::min(e.number.size(), std::size_t(numberLength)),
                        area_.begin() + long(offset) + 2 + textLength);
            offset += stride;
        }
        result_ = PBResult{count < 0 ? int(entries.size()) : count, textLength, numberLength, area_.data(),
                           highestIndex};
        hasResult_ = true;
    }
    void clearResult() { hasResult_ = false; }

    int ATPBRead(HWND window, UINT message, const char* storage) override
    {
        reads.push_back({window, message, storage});
        return 0;
    }
    const PBResult* ATPBGet() override { return hasResult_ ? &result_ : nullptr; }
    int ATPBWrite(HWND window, UINT message, const char* storage, int index, const char* text,
                  const char* number) override
    {
        writes.push_back({window, message, storage, index, text, number});
        return 0;
    }
    BOOL Fehler_Melden(int errorClass, int stringId) override
    {
        reports.emplace_back(errorClass, stringId);
        return TRUE;
    }
    BOOL ZelDllHostAlive() override { return TRUE; }
    int ATWithdraw(HWND) override { return 0; }

    std::vector<int> reportIds() const
    {
        std::vector<int> ids;
        for (const auto& r : reports)
            ids.push_back(r.second);
        return ids;
    }

private:
    std::vector<std::uint8_t> area_;
    PBResult result_{};
    bool hasResult_ = false;
};

class FakeView : public FormView {
public:
    std::vector<int> statusTexts;
    std::vector<bool> busy;
    std::vector<int> directoryCombo; // every selection made
    int directorySelection = -1;
    int phoneFills = 0;
    int pabFills = 0;
    int folderTableFills = 0;
    int folderClears = 0;
    int folderSelection = -1;
    std::vector<bool> preview;
    int closes = 0;
    int ends = 0;

    void SetStatusText(int stringId) override { statusTexts.push_back(stringId); }
    void SetBusy(bool on) override { busy.push_back(on); }
    void SelectDirectoryInCombo(int directory) override
    {
        directoryCombo.push_back(directory);
        directorySelection = directory;
    }
    int DirectoryComboSelection() const override { return directorySelection; }
    void PhoneListFilled() override { ++phoneFills; }
    void PabListFilled() override { ++pabFills; }
    void FolderComboCleared() override
    {
        ++folderClears;
        folderSelection = -1;
    }
    void FolderTableFilled() override
    {
        ++folderTableFills;
        folderSelection = 0;
    }
    void SelectFolderInCombo(int row) override { folderSelection = row; }
    int FolderComboSelection() const override { return folderSelection; }
    void SetPreviewRowVisible(bool visible) override { preview.push_back(visible); }
    void PostCloseToOwner() override { ++closes; }
    void EndProgram() override { ++ends; }

    int lastStatus() const { return statusTexts.empty() ? 0 : statusTexts.back(); }
};

// Questions are answered from queues filled by the test; a question nobody expected fails the
// test and is answered with No or Cancel.
class FakeDialogs : public FormDialogs {
public:
    std::deque<bool> yesNo;
    std::deque<IndexAnswer> indexAnswers;
    std::deque<std::optional<std::string>> names;
    std::deque<std::optional<int>> folderChoices;
    std::deque<std::optional<EntryDialogData>> entryAnswers;
    std::vector<EntryDialogData> entryQuestions;

    struct Asked {
        int id;
        std::string argument;
    };
    std::vector<Asked> questions;
    struct IndexAsked {
        int offered;
        bool several;
    };
    std::vector<IndexAsked> indexQuestions;
    struct NameAsked {
        int title;
        int prompt;
        std::string initial;
    };
    std::vector<NameAsked> nameQuestions;

    bool AskYesNo(int stringId, const std::string& argument) override
    {
        questions.push_back({stringId, argument});
        if (yesNo.empty()) {
            ADD_FAILURE() << "unexpected question " << stringId << " (" << argument << ")";
            return false;
        }
        const bool answer = yesNo.front();
        yesNo.pop_front();
        return answer;
    }
    IndexAnswer AskIndex(int offeredIndex, bool severalAllowed) override
    {
        indexQuestions.push_back({offeredIndex, severalAllowed});
        if (indexAnswers.empty()) {
            ADD_FAILURE() << "unexpected index question " << offeredIndex;
            return {};
        }
        IndexAnswer answer = indexAnswers.front();
        indexAnswers.pop_front();
        return answer;
    }
    std::optional<std::string> AskFolderName(int titleId, int promptId, const std::string& initialName) override
    {
        nameQuestions.push_back({titleId, promptId, initialName});
        if (names.empty()) {
            ADD_FAILURE() << "unexpected name question " << titleId;
            return std::nullopt;
        }
        auto answer = names.front();
        names.pop_front();
        return answer;
    }
    std::optional<EntryDialogData> AskEntry(const EntryDialogData& input) override
    {
        entryQuestions.push_back(input);
        if (entryAnswers.empty()) {
            ADD_FAILURE() << "unexpected entry dialog " << input.titleId;
            return std::nullopt;
        }
        auto answer = entryAnswers.front();
        entryAnswers.pop_front();
        return answer;
    }
    std::optional<int> ChooseFolder(const PabFolderTable&) override
    {
        if (folderChoices.empty()) {
            ADD_FAILURE() << "unexpected folder choice";
            return std::nullopt;
        }
        auto answer = folderChoices.front();
        folderChoices.pop_front();
        return answer;
    }
};

// A private folder for the address book of one test.
class TempFolder {
public:
    TempFolder()
    {
        const char* base = std::getenv("TORVANE_TEST_TMP");
        std::string pattern = std::string(base ? base : "/tmp") + "/pbXXXXXX";
        EXPECT_NE(::mkdtemp(pattern.data()), nullptr);
        path_ = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

constexpr HWND kFormWindow = 0x0000123400000007ull;

// The model with its stand-ins, on an address book of its own.
struct ModelHarness {
    TempFolder folder;
    FakeEngine engine;
    FakeView view;
    FakeDialogs dialogs;
    torvane::mapi::Mapi mapi{folder.path() / "book"};
    DlgViewModel model{engine, view, dialogs, mapi};

    ModelHarness() { model.setWindow(kFormWindow); }

    // Selects directory and answers its read with the packed entries.
    void read(int directory, int textLength, int numberLength, int highestIndex, const std::vector<Packed>& entries)
    {
        engine.setResult(textLength, numberLength, highestIndex, entries);
        model.SelectDirectory(directory);
        model.OnPhonebookRead(JOB_PHONEBOOK_READ, RESULT_OK);
    }

    // Answers every write of the road with OK until it ends; the writes made.
    std::vector<FakeEngine::Write> writeAll()
    {
        const std::size_t before = engine.writes.size();
        if (!model.WritePhonebook())
            return {};
        // Each answer starts the next write; the road has ended when one starts none.
        for (std::size_t made = engine.writes.size(); model.hasFlag(FLAG_BUSY);) {
            model.OnPhonebookEntryWritten(JOB_PHONEBOOK_WRITE, RESULT_OK);
            if (engine.writes.size() == made)
                break;
            made = engine.writes.size();
        }
        return {engine.writes.begin() + long(before), engine.writes.end()};
    }

    const PhoneBookEntry& shown(int slot) { return model.shownDirectory().entries[std::size_t(slot)]; }
};

inline PhoneBookEntry entry(int index, std::string name, std::string number, std::string status = " ")
{
    PhoneBookEntry e;
    e.index = index;
    e.name = std::move(name);
    e.number = std::move(number);
    e.status = std::move(status);
    return e;
}

} // namespace brevik::test
