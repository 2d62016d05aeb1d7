// The call forwarding dialog (template 132): the combos and buttons of FwdDlgLogic's rows. The
// engine's answers reach it through its own message window.
#pragma once

#include "mainprog/core/FwdDlgLogic.h"

#include <QDialog>

#include <array>
#include <functional>
#include <memory>

class QComboBox;
class QLabel;

namespace messaging {
class MessageWindow;
}

namespace corvant {

class CFwdDlg : public QDialog {
    Q_OBJECT

public:
    // appBusy sets the application's busy flag.
    CFwdDlg(CallServiceEngine& engine, torvane::registry::AppProfile& profile, std::function<void(bool)> appBusy,
            QWidget* parent = nullptr);
    ~CFwdDlg() override;

    FwdDlgLogic& logic() { return *logic_; }
    HWND hwnd() const;

    // Escape and the close box end the dialog without saving, but not while a request is out.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void showRow(int row);
    void enableControl(int id, bool on);
    void updateCursor();
    void focusChanged(QWidget* old, QWidget* now);
    int rowOf(const QWidget* widget) const;
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

    std::function<void(bool)> appBusy_;
    std::unique_ptr<FwdDlgLogic> logic_;
    std::array<QComboBox*, FWD_ROW_COUNT> combos_{};
    QLabel* status_ = nullptr;
    messaging::MessageWindow* window_ = nullptr;
};

} // namespace corvant
