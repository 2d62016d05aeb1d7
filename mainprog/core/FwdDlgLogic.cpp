#include "mainprog/core/FwdDlgLogic.h"

#include "mainprog/core/CorvantStrings.h"
#include "platform/registry/WriteFailures.h"

#include <cctype>
#include <climits>
#include <string_view>

namespace corvant {

const std::array<FwdRowSpec, FWD_ROW_COUNT> kForwardingRows = {{
    {3, 1, 1002, 1, "NoreachVoice"},
    {3, 2, 1003, 2, "NoreachData"},
    {3, 4, 1004, 2, "NoreachFax"},
    {2, 1, 1005, 1, "NoRespVoice"},
    {2, 2, 1022, 2, "NoRespData"},
    {2, 4, 1019, 2, "NoRespFax"},
    {1, 1, 1006, 1, "BusyVoice"},
    {1, 2, 1008, 2, "BusyData"},
    {1, 4, 1020, 2, "BusyFax"},
    {0, 1, 1007, 1, "AllVoice"},
    {0, 2, 1012, 2, "AllData"},
    {0, 4, 1010, 2, "AllFax"},
    {2, 0, 1015, 0, nullptr},
    {2, 0, 1016, 0, nullptr},
    {2, 0, 1017, 0, nullptr},
}};

const std::array<const char*, 6> kDelayChoices = {"5", "10", "15", "20", "25", "30"};
const std::array<const char*, 3> kDelayValueNames = {"NoRespVoiceTimeVal", "NoRespDataTimeVal",
                                                     "NoRespFaxTimeVal"};

namespace {

constexpr int LIST_SIZE = 7;
constexpr char DEFAULT_DELAY[] = "15";
constexpr std::size_t DELAY_TEXT_MAX = 8;
constexpr int FWD_STATUS_ACTIVE = 1;

std::string historyName(const char* rowName, int number)
{
    return std::string(rowName) + "Num" + std::to_string(number);
}

bool isNumberRow(int row)
{
    return row >= 0 && row < FWD_NUMBER_ROWS;
}

} // namespace

FwdDlgLogic::FwdDlgLogic(CallServiceEngine& engine, torvane::registry::AppProfile& profile, Hooks hooks)
    : engine_(engine)
    , profile_(profile)
    , hooks_(std::move(hooks))
{
    for (int row = FWD_DELAY_FIRST_ROW; row < FWD_ROW_COUNT; ++row)
        rows_[row].entries.assign(kDelayChoices.begin(), kDelayChoices.end());
}

void FwdDlgLogic::OnInitDialog()
{
    for (int row = 0; row < FWD_ROW_COUNT; ++row)
        LoadNumberHistory(row);
    for (int k = 0; k < 3; ++k) {
        Row& delay = rows_[FWD_DELAY_FIRST_ROW + k];
        delay.text = profile_.GetProfileString(FWD_SECTION, kDelayValueNames[k], DEFAULT_DELAY);
        delay.selection = -1;
        changed(FWD_DELAY_FIRST_ROW + k);
    }
}

void FwdDlgLogic::OnCloseButton()
{
    const torvane::registry::ConfirmedChange change;
    for (int row = 0; row < FWD_ROW_COUNT; ++row)
        SaveNumberHistory(row);
    for (int k = 0; k < 3; ++k)
        profile_.WriteProfileString(FWD_SECTION, kDelayValueNames[k],
                                    rows_[FWD_DELAY_FIRST_ROW + k].text.substr(0, DELAY_TEXT_MAX));
}

void FwdDlgLogic::LoadNumberHistory(int index)
{
    if (!isNumberRow(index))
        return;
    const FwdRowSpec& spec = kForwardingRows[index];
    Row& row = rows_[index];
    row.entries.clear();
    for (int i = 0; i < LIST_SIZE; ++i) {
        std::string text;
        if (i == 0)
            text = loadString(IDS_NO_FORWARDING);
        else if (i < spec.fixedEntries)
            text = loadString(IDS_AS_VOICE);
        else
            text = profile_.GetProfileString(FWD_SECTION, historyName(spec.name, i - spec.fixedEntries + 1), "");
        if (!text.empty())
            row.entries.push_back(text);
    }
    // An index the list does not hold (a hand-edited or stale profile) selects "No forwarding".
    int stored = static_cast<int>(profile_.GetProfileInt(FWD_SECTION, spec.name, 0));
    if (stored < 0 || stored >= static_cast<int>(row.entries.size()))
        stored = 0;
    row.loadedSelection = stored;
    selectEntry(index, stored);
}

void FwdDlgLogic::SaveNumberHistory(int index)
{
    if (!isNumberRow(index))
        return;
    const FwdRowSpec& spec = kForwardingRows[index];
    Row& row = rows_[index];
    int n = static_cast<int>(row.entries.size());
    const int f = spec.fixedEntries;
    int k = 1;
    bool added = false;
    if (!row.currentText.empty()) {
        int found = -1;
        for (int i = f; i < n; ++i) {
            if (row.entries[i] == row.currentText) {
                found = i;
                break;
            }
        }
        if (found >= 0) {
            selectEntry(index, found);
        } else {
            profile_.WriteProfileString(FWD_SECTION, historyName(spec.name, 1), row.currentText);
            k = 2;
            added = true;
            if (n >= f + 5)
                --n;
        }
    }
    for (int i = f; i < n; ++i)
        profile_.WriteProfileString(FWD_SECTION, historyName(spec.name, k++), row.entries[i]);
    int selection = f;
    if (!added)
        selection = row.selection >= 0 ? row.selection : row.loadedSelection;
    profile_.WriteProfileInt(FWD_SECTION, spec.name, selection);
}

void FwdDlgLogic::OnCheckReason(int reason)
{
    if (busy_ || reason < 0 || reason > 3)
        return;
    BeginBusy();
    reason_ = reason;
    ReadForwarding(reason);
}

void FwdDlgLogic::OnSetReason(int reason)
{
    if (busy_ || reason < 0 || reason > 3)
        return;
    BeginBusy();
    reason_ = reason;
    classIndex_ = 0;
    WriteForwarding(0);
}

void FwdDlgLogic::OnCheckAll()
{
    if (busy_)
        return;
    all_ = true;
    OnCheckReason(3);
}

void FwdDlgLogic::OnSetAll()
{
    if (busy_)
        return;
    all_ = true;
    OnSetReason(3);
}

int FwdDlgLogic::ReadForwarding(int reason)
{
    if (engine_.ATFwdRead(window_, WM_FORWARD_QUERY_DONE, reason) != 0) {
        fail(IDS_FWD_CHECK_ERROR);
        return 0;
    }
    status(IDS_CHECK_IN_PROGRESS);
    return 1;
}

void FwdDlgLogic::OnForwardingRead(LPARAM lParam)
{
    if (!busy_)
        return;
    const FwdResult* result = engine_.ATFwdGet();
    if (lParam != 0 || result == nullptr) {
        fail(IDS_FWD_CHECK_ERROR);
        return;
    }
    const int f = REASON_FIRST_ROW[reason_];
    if (hooks_.enable)
        hooks_.enable(fwdCheckButton(reason_), false);
    for (int k = 0; k < 3; ++k) {
        const FwdClassEntry& entry = result->entry[k];
        Row& row = rows_[f + k];
        if (entry.status == FWD_STATUS_ACTIVE) {
            // The phone's number, not "as voice": the data and fax rows show what is forwarded.
            row.text = entry.number != nullptr ? std::string(entry.number) : std::string();
            row.currentText = row.text;
            row.selection = -1;
            changed(f + k);
            if (reason_ == FWD_REASON_NO_REPLY) {
                Row& delay = rows_[FWD_DELAY_FIRST_ROW + k];
                delay.text = std::to_string(entry.time);
                delay.currentText = delay.text;
                delay.selection = -1;
                changed(FWD_DELAY_FIRST_ROW + k);
            }
        } else {
            selectEntry(f + k, 0);
        }
    }
    if (all_ && reason_ > 0) {
        ReadForwarding(--reason_);
        return;
    }
    all_ = false;
    status(IDS_ACTION_SUCCESSFUL);
    EndBusy();
}

int FwdDlgLogic::WriteForwarding(int classIndex)
{
    const int classBits = 1 << classIndex;
    const int f = REASON_FIRST_ROW[reason_];
    const Row& row = rows_[f + classIndex];
    const Row& voice = rows_[f];
    const int time = reason_ == FWD_REASON_NO_REPLY ? leadingNumber(rows_[FWD_DELAY_FIRST_ROW + classIndex].text) : 0;
    int result = 0;
    const int s = row.selection;
    const std::string* number = &row.text;
    bool erase = s == 0;
    if (classIndex > 0 && s == 1) {
        erase = voice.selection == 0;
        number = &voice.text;
    }
    if (erase)
        result = engine_.ATFwdWrite(window_, WM_FORWARD_SET_DONE, reason_, FWD_MODE_ERASURE, "", 0, classBits);
    else
        result = engine_.ATFwdWrite(window_, WM_FORWARD_SET_DONE, reason_, FWD_MODE_REGISTRATION,
                                    NormalizeNumber(*number).c_str(), time, classBits);
    if (result != 0) {
        fail(IDS_FWD_SET_ERROR);
        return 0;
    }
    status(IDS_SETTING_FORWARDINGS);
    return 1;
}

void FwdDlgLogic::OnForwardingWritten(LPARAM lParam)
{
    if (!busy_)
        return;
    if (lParam < 0) {
        fail(IDS_FWD_SET_ERROR);
        return;
    }
    const int f = REASON_FIRST_ROW[reason_];
    SaveNumberHistory(f);
    LoadNumberHistory(f);
    if (classIndex_ < 2) {
        WriteForwarding(++classIndex_);
        return;
    }
    if (all_ && reason_ > 0) {
        --reason_;
        classIndex_ = 0;
        WriteForwarding(0);
        return;
    }
    all_ = false;
    status(IDS_ACTION_SUCCESSFUL);
    enableReason(reason_, false, false);
    EndBusy();
}

void FwdDlgLogic::OnRowSetFocus(int row)
{
    focusRow_ = row;
    focusSelection_ = rows_[row].selection;
    focusText_ = rows_[row].text;
    committed_ = false;
}

void FwdDlgLogic::OnRowEditUpdate(int index, const std::string& text)
{
    Row& row = rows_[index];
    row.text = text;
    row.currentText = text;
    row.selection = -1;
    if (isNumberRow(index) && !IsValidNumberText(text)) {
        row.text.clear();
        row.currentText.clear();
        changed(index);
    }
}

void FwdDlgLogic::OnRowSelChange(int index, int selection)
{
    if (selection < 0 || selection >= static_cast<int>(rows_[index].entries.size()))
        return;
    selectEntry(index, selection);
    enableReason(kForwardingRows[index].reason, true, true);
    committed_ = true;
}

void FwdDlgLogic::OnRowKillFocus(int index)
{
    if (committed_ || index != focusRow_)
        return;
    rows_[index].selection = focusSelection_;
    rows_[index].text = focusText_;
    changed(index);
}

int FwdDlgLogic::OnEnter()
{
    committed_ = true;
    return focusRow_ < 0 ? 0 : (focusRow_ + 1) % FWD_ROW_COUNT;
}

void FwdDlgLogic::OnMouseDown(bool onDialog)
{
    if (onDialog && !committed_ && focusRow_ >= 0) {
        rows_[focusRow_].selection = focusSelection_;
        rows_[focusRow_].text = focusText_;
        changed(focusRow_);
    }
    committed_ = true;
}

bool FwdDlgLogic::IsValidNumberText(const std::string& text)
{
    for (const char c : text) {
        if (!std::isdigit(static_cast<unsigned char>(c)) && std::string_view("#*+-/?").find(c) == std::string_view::npos)
            return false;
    }
    return true;
}

std::string FwdDlgLogic::NormalizeNumber(const std::string& text)
{
    std::string out;
    for (const char c : text) {
        if (std::isdigit(static_cast<unsigned char>(c)) || std::string_view("#*+?").find(c) != std::string_view::npos)
            out.push_back(c);
    }
    return out;
}

int FwdDlgLogic::leadingNumber(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX)
            value = INT_MAX;
    }
    return static_cast<int>(negative ? -value : value);
}

void FwdDlgLogic::BeginBusy()
{
    busy_ = true;
    if (hooks_.enable) {
        hooks_.enable(IDC_FWD_CLOSE, false);
        hooks_.enable(IDC_FWD_CHECK_ALL, false);
        hooks_.enable(IDC_FWD_SET_ALL, false);
    }
    if (hooks_.appBusy)
        hooks_.appBusy(true);
}

void FwdDlgLogic::EndBusy()
{
    busy_ = false;
    if (hooks_.enable) {
        hooks_.enable(IDC_FWD_CLOSE, true);
        hooks_.enable(IDC_FWD_CHECK_ALL, true);
        hooks_.enable(IDC_FWD_SET_ALL, true);
    }
    if (hooks_.appBusy)
        hooks_.appBusy(false);
}

void FwdDlgLogic::fail(int stringId)
{
    // A failure ends the walk too: the next single check or set must not walk on.
    all_ = false;
    engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, stringId);
    status(stringId);
    EndBusy();
}

void FwdDlgLogic::status(int stringId)
{
    if (hooks_.status)
        hooks_.status(loadString(stringId));
}

void FwdDlgLogic::enableReason(int reason, bool check, bool set)
{
    if (!hooks_.enable)
        return;
    hooks_.enable(fwdCheckButton(reason), check);
    hooks_.enable(fwdSetButton(reason), set);
}

void FwdDlgLogic::changed(int row)
{
    if (hooks_.rowChanged)
        hooks_.rowChanged(row);
}

void FwdDlgLogic::selectEntry(int index, int selection)
{
    Row& row = rows_[index];
    row.selection = selection;
    row.text = selection >= 0 && selection < static_cast<int>(row.entries.size()) ? row.entries[selection] : std::string();
    changed(index);
}

} // namespace corvant
