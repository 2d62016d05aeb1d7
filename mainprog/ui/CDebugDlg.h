// The engine host (dialog template 1002, "Mobile phone connection"): the engine's owner window.
// It owns the port and pumps the engine (PortHost), turns status answers into the phone state
// and the PIN dialog, and shows the suite's error reports. The frame keeps it hidden unless the
// setting DebugDlg is nonzero; then its controls show the port's diagnostics and a trace.
#pragma once

#include "mainprog/core/EngineApi.h"
#include "mainprog/core/HostMessages.h"
#include "mainprog/core/HostPort.h"
#include "mainprog/core/PhoneStatusAnswer.h"
#include "mainprog/core/PortHost.h"
#include "mainprog/core/SmsManagerHooks.h"
#include "platform/registry/AppProfile.h"

#include <QDialog>

#include <functional>
#include <memory>

class QCheckBox;
class QLineEdit;
class QListWidget;

namespace messaging {
class WidgetWindow;
}

namespace corvant {

// The periods of the pump and poll timers. The product runs with the defaults; tests may
// shorten them.
struct HostTimers {
    UINT pumpMs = PUMP_PERIOD_MS;
    UINT pollMs = POLL_PERIOD_MS;
};

class CDebugDlg : public QDialog, private StatusAnswerUi {
    Q_OBJECT

public:
    CDebugDlg(EngineApi& engine, std::unique_ptr<HostPort> port, torvane::registry::AppProfile& profile,
              HostTimers timers = {});
    ~CDebugDlg() override;

    // The engine's owner window.
    HWND hwnd() const;

    // Where the SMS manager is found (none until it exists).
    void setSmsManager(std::function<SmsManagerHooks*()> manager) { smsManager_ = std::move(manager); }

    void setTracing(bool on);
    PortHost& host() { return *host_; }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void OnSend();
    void OnOpen();
    void OnClose();
    void OnStatusCheck();
    void OnTimer(UINT_PTR id);
    void OnEngineError(int errorClass, int stringId);
    void refreshDiagnostics();
    void appendTrace(const std::string& text);

    void showPhoneStatus(int phoneStatus) override;
    void showPinRejected() override;
    void runPinDialog() override;

    EngineApi& engine_;
    std::unique_ptr<HostPort> port_;
    torvane::registry::AppProfile& profile_;
    std::unique_ptr<PortHost> host_;
    PhoneStatusAnswer statusAnswer_;
    std::function<SmsManagerHooks*()> smsManager_;
    messaging::WidgetWindow* window_ = nullptr;
    bool closing_ = false;

    QLineEdit* messageNumber_ = nullptr; // 1001
    QLineEdit* sendText_ = nullptr;      // 1009
    QLineEdit* portName_ = nullptr;      // 1010
    QLineEdit* phoneStatus_ = nullptr;   // 1015
    QCheckBox* trace_ = nullptr;         // 1016
    QLineEdit* openError_ = nullptr;     // 1017
    QLineEdit* writeErrors_ = nullptr;   // 1018
    QLineEdit* readErrors_ = nullptr;    // 1019
    QLineEdit* modem_ = nullptr;         // 1020
    QLineEdit* handle_ = nullptr;        // 1021
    QCheckBox* polling_ = nullptr;       // 1022
    QListWidget* traceList_ = nullptr;   // 1000
};

} // namespace corvant
