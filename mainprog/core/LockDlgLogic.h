// What the call barring dialog does, without its widgets: five facilities, each with a combo of
// the eight class choices, the profile section CLockDlg, the password asked once per dialog run,
// and the walk of lock queries and lock writes, one engine request at a time.
#pragma once

#include "mainprog/core/CallServiceEngine.h"
#include "mainprog/core/CorvantStrings.h"
#include "platform/registry/AppProfile.h"

#include <array>
#include <functional>
#include <optional>
#include <string>

namespace corvant {

constexpr char LOCK_SECTION[] = "CLockDlg";
constexpr int LOCK_ROW_COUNT = 5;
constexpr int LOCK_CLASS_COUNT = 8;
constexpr int LOCK_MODE_LOCK = 1;
constexpr int LOCK_MODE_UNLOCK = 0;

constexpr int IDC_LOCK_CHECK_ALL = 1038;
constexpr int IDC_LOCK_DELETE_ALL = 1039;
constexpr int IDC_LOCK_CLOSE = 1; // IDOK
constexpr int IDC_LOCK_HELP = 57670;

constexpr int IDS_LOCK_CLASS_FIRST = 61231; // to 61238, in the order of kBarringClasses
constexpr int IDS_LOCK_CHECK_ERROR = 41504;
constexpr int IDS_LOCK_SET_ERROR = 41505;
constexpr int IDS_PASSWORD_ERROR = 41509;

struct LockRowSpec {
    const char* facility;
    const char* label;
    int comboId;
    int checkId;
    int setId;
    const char* name; // the registry value
};

extern const std::array<LockRowSpec, LOCK_ROW_COUNT> kBarringFacilities;
// The class bits (1 voice, 2 data, 4 fax) of each combo entry.
constexpr std::array<int, LOCK_CLASS_COUNT> kBarringClasses = {0, 7, 1, 2, 4, 6, 3, 5};

class LockDlgLogic {
public:
    struct Hooks {
        std::function<void(const std::string& text)> status; // pane 0 of the main frame
        std::function<void(bool busy)> appBusy;
        std::function<void(int controlId, bool enabled)> enable;
        std::function<void(int row)> rowChanged;
        // The password dialog: the entered text, or nullopt when it was cancelled.
        std::function<std::optional<std::string>()> askPassword;
    };

    LockDlgLogic(CallServiceEngine& engine, torvane::registry::AppProfile& profile, Hooks hooks);

    void setWindow(HWND window) { window_ = window; }

    void OnInitDialog();
    // The Close button: false while busy (the dialog stays); else the selections are saved.
    bool OnOK();

    void OnCheckFacility(int row);
    void OnSetFacility(int row);
    void OnCheckAll();
    void OnSetAll();
    void OnRowSelChange(int row, int index);
    void OnBarringQueried(WPARAM wParam, LPARAM lParam);
    void OnBarringSet(LPARAM lParam);

    int selection(int row) const { return selection_[row]; }
    int lastKnown(int row) const { return lastKnown_[row]; }
    bool busy() const { return busy_; }
    bool walking() const { return all_; }
    bool holdsPassword() const { return !password_.empty(); }

private:
    bool AskPassword();
    int QueryBarring(int row);
    int SetBarring(int row, int classIndex, int step);
    void BeginBusy();
    void EndBusy();
    void finish(int stringId);
    void status(int stringId);
    void enable(int id, bool on);

    CallServiceEngine& engine_;
    torvane::registry::AppProfile& profile_;
    Hooks hooks_;
    HWND window_ = 0;
    std::array<int, LOCK_ROW_COUNT> selection_{};
    std::array<int, LOCK_ROW_COUNT> saved_{};
    std::array<int, LOCK_ROW_COUNT> lastKnown_{-1, -1, -1, -1, -1};
    int facility_ = 0;
    int classIndex_ = 0;
    int step_ = 0;
    bool all_ = false;
    bool busy_ = false;
    std::string password_;
};

} // namespace corvant
