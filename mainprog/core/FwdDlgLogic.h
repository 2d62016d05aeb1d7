// What the call forwarding dialog does, without its widgets: the 15 rows (twelve number combos
// for four reasons and three classes, three delay combos), their histories in the profile
// section FwdDlg, and the walk of engine requests, one at a time, each made from the answer of
// the one before. The dialog mirrors the rows into its combos and feeds user actions back.
#pragma once

#include "mainprog/core/CallServiceEngine.h"
#include "mainprog/core/CorvantStrings.h"
#include "platform/registry/AppProfile.h"

#include <array>
#include <functional>
#include <string>
#include <vector>

namespace corvant {

constexpr char FWD_SECTION[] = "FwdDlg";
constexpr int FWD_ROW_COUNT = 15;
constexpr int FWD_NUMBER_ROWS = 12;
constexpr int FWD_DELAY_FIRST_ROW = 12;
constexpr int FWD_REASON_NO_REPLY = 2;
constexpr int FWD_MODE_REGISTRATION = 3;
constexpr int FWD_MODE_ERASURE = 4;

constexpr int IDC_FWD_STATUS = 1041;
constexpr int IDC_FWD_CHECK_ALL = 1036;
constexpr int IDC_FWD_SET_ALL = 1037;
constexpr int IDC_FWD_CLOSE = 1040;
constexpr int IDC_HELP_BUTTON = 57670;

constexpr int IDS_NO_FORWARDING = 61244;
constexpr int IDS_AS_VOICE = 61245;
constexpr int IDS_SETTING_FORWARDINGS = 61249;
constexpr int IDS_FWD_CHECK_ERROR = 41507;
constexpr int IDS_FWD_SET_ERROR = 41508;

struct FwdRowSpec {
    int reason;     // for the delay rows: the no-reply reason their buttons belong to
    int classBits;  // 0 for the delay rows
    int comboId;
    int fixedEntries;
    const char* name; // registry value and history prefix; null for the delay rows
};

extern const std::array<FwdRowSpec, FWD_ROW_COUNT> kForwardingRows;
// The voice row of reason 0, 1, 2, 3; data and fax follow it.
constexpr std::array<int, 4> REASON_FIRST_ROW = {9, 6, 3, 0};
// The texts of the delay combos' lists, in seconds.
extern const std::array<const char*, 6> kDelayChoices;
// The registry values of the three delay texts.
extern const std::array<const char*, 3> kDelayValueNames;

constexpr int fwdCheckButton(int reason) { return 1028 + 2 * (3 - reason); }
constexpr int fwdSetButton(int reason) { return 1029 + 2 * (3 - reason); }

class FwdDlgLogic {
public:
    struct Row {
        std::vector<std::string> entries;
        int selection = -1;     // -1 when the text was typed or read from the phone
        std::string text;       // what the combo shows
        std::string currentText; // last read from the phone or typed; the history keeps it
        int loadedSelection = 0;
    };

    struct Hooks {
        std::function<void(const std::string& text)> status;  // static 1041
        std::function<void(bool busy)> appBusy;                // the application's busy flag
        std::function<void(int controlId, bool enabled)> enable;
        std::function<void(int row)> rowChanged;              // the combo must show the row again
    };

    FwdDlgLogic(CallServiceEngine& engine, torvane::registry::AppProfile& profile, Hooks hooks);

    void setWindow(HWND window) { window_ = window; }

    // Opening: the histories and the delay texts.
    void OnInitDialog();
    // The Close button: histories and delays saved.
    void OnCloseButton();

    void LoadNumberHistory(int row);
    void SaveNumberHistory(int row);

    void OnCheckReason(int reason);
    void OnSetReason(int reason);
    void OnCheckAll();
    void OnSetAll();
    void OnForwardingRead(LPARAM lParam);
    void OnForwardingWritten(LPARAM lParam);

    // Combo editing, as the dialog reports it.
    void OnRowSetFocus(int row);
    void OnRowEditUpdate(int row, const std::string& text);
    void OnRowSelChange(int row, int index);
    void OnRowKillFocus(int row);
    // Enter: the row whose combo gets the focus next.
    int OnEnter();
    // A left mouse button down on the dialog itself (true) or on one of its controls.
    void OnMouseDown(bool onDialog);

    static bool IsValidNumberText(const std::string& text);
    static std::string NormalizeNumber(const std::string& text);
    // The leading decimal number of a delay text (blanks and a sign may precede it); 0 when none.
    static int leadingNumber(const std::string& text);

    const Row& row(int index) const { return rows_[index]; }
    bool busy() const { return busy_; }
    bool walking() const { return all_; }
    int currentReason() const { return reason_; }

private:
    int ReadForwarding(int reason);
    int WriteForwarding(int classIndex);
    void BeginBusy();
    void EndBusy();
    void fail(int stringId);
    void status(int stringId);
    void enableReason(int reason, bool check, bool set);
    void changed(int row);
    void selectEntry(int row, int index);

    CallServiceEngine& engine_;
    torvane::registry::AppProfile& profile_;
    Hooks hooks_;
    HWND window_ = 0;
    std::array<Row, FWD_ROW_COUNT> rows_;
    int reason_ = 0;
    int classIndex_ = 0;
    bool all_ = false;
    bool busy_ = false;
    int focusRow_ = -1;
    int focusSelection_ = -1;
    std::string focusText_;
    bool committed_ = true;
};

} // namespace corvant
