// The call barring dialog (template 133): LockDlgLogic's five rows as drop-down lists with their
// check and set buttons. Progress shows in the main frame's status pane; the password is asked
// through CPasswordDlg.
#pragma once

#include "mainprog/core/LockDlgLogic.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QComboBox;

namespace messaging {
class MessageWindow;
}

namespace corvant {

class CLockDlg : public QDialog {
    Q_OBJECT

public:
    // appBusy sets the application's busy flag; status shows a text in the frame's pane 0.
    CLockDlg(CallServiceEngine& engine, torvane::registry::AppProfile& profile, std::function<void(bool)> appBusy,
             std::function<void(const QString&)> status, QWidget* parent = nullptr);
    ~CLockDlg() override;

    LockDlgLogic& logic() { return *logic_; }
    HWND hwnd() const;

    void accept() override;
    void reject() override;

private:
    void showRow(int row);
    void enableControl(int id, bool on);
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(bool)> appBusy_;
    std::function<void(const QString&)> status_;
    std::unique_ptr<LockDlgLogic> logic_;
    std::array<QComboBox*, LOCK_ROW_COUNT> combos_{};
    messaging::MessageWindow* window_ = nullptr;
};

} // namespace corvant
