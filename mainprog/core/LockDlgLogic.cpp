#include "mainprog/core/LockDlgLogic.h"

#include "mainprog/core/CorvantStrings.h"
#include "platform/registry/WriteFailures.h"

namespace corvant {

const std::array<LockRowSpec, LOCK_ROW_COUNT> kBarringFacilities = {{
    {"AO", "all outgoing connections", 1002, 1028, 1029, "Lock_AllOutgoing"},
    {"OI", "outgoing international connections", 1003, 1030, 1031, "Lock_OutgoingInt"},
    {"OX", "outgoing  international connections except to the own country", 1004, 1032, 1033,
     "Lock_OutgoingExHC"},
    {"AI", "all incoming connections", 1005, 1034, 1035, "Lock_AllIncoming"},
    {"IR", "incoming connections in a foreign country", 1006, 1036, 1037, "Lock_IncomingRoam"},
}};

LockDlgLogic::LockDlgLogic(CallServiceEngine& engine, torvane::registry::AppProfile& profile, Hooks hooks)
    : engine_(engine)
    , profile_(profile)
    , hooks_(std::move(hooks))
{
}

void LockDlgLogic::OnInitDialog()
{
    for (int row = 0; row < LOCK_ROW_COUNT; ++row) {
        // An index the list does not hold (a hand-edited or stale profile) selects "not barred".
        int stored = static_cast<int>(profile_.GetProfileInt(LOCK_SECTION, kBarringFacilities[row].name, 0));
        if (stored < 0 || stored >= LOCK_CLASS_COUNT)
            stored = 0;
        selection_[row] = stored;
        saved_[row] = stored;
        lastKnown_[row] = -1;
        if (hooks_.rowChanged)
            hooks_.rowChanged(row);
    }
}

bool LockDlgLogic::OnOK()
{
    if (busy_)
        return false;
    const torvane::registry::ConfirmedChange change;
    for (int row = 0; row < LOCK_ROW_COUNT; ++row)
        profile_.WriteProfileInt(LOCK_SECTION, kBarringFacilities[row].name,
                                 selection_[row] >= 0 ? selection_[row] : saved_[row]);
    return true;
}

void LockDlgLogic::OnCheckFacility(int row)
{
    if (busy_ || row < 0 || row >= LOCK_ROW_COUNT)
        return;
    BeginBusy();
    facility_ = row;
    QueryBarring(row);
}

void LockDlgLogic::OnSetFacility(int row)
{
    if (busy_ || row < 0 || row >= LOCK_ROW_COUNT)
        return;
    // A set that does not start ends a "delete all" before it began.
    if (!AskPassword() || selection_[row] < 0) {
        all_ = false;
        return;
    }
    BeginBusy();
    facility_ = row;
    classIndex_ = selection_[row];
    step_ = 0;
    SetBarring(row, classIndex_, 0);
}

void LockDlgLogic::OnCheckAll()
{
    if (busy_)
        return;
    all_ = true;
    OnCheckFacility(0);
}

void LockDlgLogic::OnSetAll()
{
    if (busy_)
        return;
    all_ = true;
    OnSetFacility(0);
}

void LockDlgLogic::OnRowSelChange(int row, int index)
{
    if (index < 0 || index >= LOCK_CLASS_COUNT)
        return;
    selection_[row] = index;
    if (index != lastKnown_[row]) {
        enable(kBarringFacilities[row].checkId, true);
        enable(kBarringFacilities[row].setId, true);
    }
}

bool LockDlgLogic::AskPassword()
{
    if (!password_.empty())
        return true;
    if (!hooks_.askPassword)
        return false;
    const std::optional<std::string> entered = hooks_.askPassword();
    if (!entered)
        return false;
    password_ = *entered;
    return true;
}

int LockDlgLogic::QueryBarring(int row)
{
    if (engine_.ATLockGet(window_, WM_LOCK_QUERY_DONE, kBarringFacilities[row].facility) != 0) {
        engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, IDS_LOCK_CHECK_ERROR);
        finish(IDS_LOCK_CHECK_ERROR);
        return 0;
    }
    status(IDS_CHECK_IN_PROGRESS);
    return 1;
}

void LockDlgLogic::OnBarringQueried(WPARAM wParam, LPARAM lParam)
{
    if (wParam != static_cast<WPARAM>(JOB_LOCK_QUERY) || !busy_)
        return;
    if (lParam < 0) {
        engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, IDS_LOCK_CHECK_ERROR);
        finish(IDS_LOCK_CHECK_ERROR);
        return;
    }
    const int mask = static_cast<int>(lParam & 7);
    int index = 0;
    for (int i = 0; i < LOCK_CLASS_COUNT; ++i) {
        if (kBarringClasses[i] == mask) {
            index = i;
            break;
        }
    }
    selection_[facility_] = index;
    lastKnown_[facility_] = index;
    if (hooks_.rowChanged)
        hooks_.rowChanged(facility_);
    enable(kBarringFacilities[facility_].checkId, false);
    if (all_ && facility_ < LOCK_ROW_COUNT - 1) {
        QueryBarring(++facility_);
        return;
    }
    finish(IDS_ACTION_SUCCESSFUL);
}

int LockDlgLogic::SetBarring(int row, int classIndex, int step)
{
    const int classBit = 1 << step;
    const int mode = (kBarringClasses[classIndex] & classBit) != 0 ? LOCK_MODE_LOCK : LOCK_MODE_UNLOCK;
    if (engine_.ATLockSet(window_, WM_LOCK_SET_DONE, kBarringFacilities[row].facility, password_.c_str(), mode,
                          classBit) != 0) {
        engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, IDS_LOCK_SET_ERROR);
        finish(IDS_LOCK_SET_ERROR);
        return 0;
    }
    status(IDS_CHECK_IN_PROGRESS);
    return 1;
}

void LockDlgLogic::OnBarringSet(LPARAM lParam)
{
    if (!busy_)
        return;
    if (lParam == RESULT_WRONG_PASSWORD) {
        // Sending the same wrong password again would only use up the network's attempts.
        password_.clear();
        engine_.Fehler_Melden(ERROR_CLASS_OPERATING, IDS_PASSWORD_ERROR);
        finish(IDS_PASSWORD_ERROR);
        return;
    }
    if (lParam < 0) {
        engine_.Fehler_Melden(ERROR_CLASS_EXCEPTIONAL, IDS_LOCK_SET_ERROR);
        finish(IDS_LOCK_SET_ERROR);
        return;
    }
    lastKnown_[facility_] = classIndex_;
    enable(kBarringFacilities[facility_].checkId, false);
    enable(kBarringFacilities[facility_].setId, false);
    if (step_ < 2) {
        SetBarring(facility_, classIndex_, ++step_);
        return;
    }
    if (all_ && facility_ < LOCK_ROW_COUNT - 1) {
        ++facility_;
        if (selection_[facility_] < 0) {
            // Nothing chosen to write: the walk ends here rather than leaving the program busy.
            all_ = false;
            EndBusy();
            return;
        }
        classIndex_ = selection_[facility_];
        step_ = 0;
        SetBarring(facility_, classIndex_, 0);
        return;
    }
    finish(IDS_ACTION_SUCCESSFUL);
}

void LockDlgLogic::BeginBusy()
{
    busy_ = true;
    enable(IDC_LOCK_CLOSE, false);
    enable(IDC_LOCK_HELP, false);
    if (hooks_.appBusy)
        hooks_.appBusy(true);
}

void LockDlgLogic::EndBusy()
{
    busy_ = false;
    enable(IDC_LOCK_CLOSE, true);
    enable(IDC_LOCK_HELP, true);
    if (hooks_.appBusy)
        hooks_.appBusy(false);
}

void LockDlgLogic::finish(int stringId)
{
    // Every end of a request, good or bad, ends the walk: a later single check or set must
    // not walk on to the last row.
    all_ = false;
    status(stringId);
    EndBusy();
}

void LockDlgLogic::status(int stringId)
{
    if (hooks_.status)
        hooks_.status(loadString(stringId));
}

void LockDlgLogic::enable(int id, bool on)
{
    if (hooks_.enable)
        hooks_.enable(id, on);
}

} // namespace corvant
