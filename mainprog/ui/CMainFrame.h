// The main window: a small fixed frame whose client area is the 400 x 320 launcher view, with
// the menu of the same commands and a four-pane status bar. It creates the hidden engine host.
#pragma once

#include "mainprog/core/Launcher.h"
#include "mainprog/ui/CDebugDlg.h"

#include <QMainWindow>

#include <functional>
#include <map>
#include <memory>

class QAction;
class QLabel;

namespace messaging {
class WidgetWindow;
}

namespace corvant {

class CCorvantView;

class CMainFrame : public QMainWindow {
    Q_OBJECT

public:
    // A modal dialog that a command opens (the forwarding and barring dialogs).
    using DialogEntry = std::function<void(QWidget* parent)>;

    CMainFrame(EngineApi& engine, torvane::registry::AppProfile& profile, std::unique_ptr<HostPort> port,
               HostTimers timers = {}, Launcher::Start start = {});
    ~CMainFrame() override;

    CDebugDlg& debugDlg() { return *debugDlg_; }
    CCorvantView& view() { return *view_; }
    Launcher& launcher() { return launcher_; }
    HWND hwnd() const;

    // Runs a command of the menu or the buttons.
    void OnCommand(int command);
    QAction* commandAction(int command) const;

    // The forwarding (ID_CALL_FORWARDING) and barring (ID_BARRING) dialogs. Until one is given
    // its menu item is disabled and its button opens nothing.
    void setDialogEntry(int command, DialogEntry entry);

    // Where the SMS manager is found; the settings sheet lets it configure itself again.
    void setSmsManager(std::function<SmsManagerHooks*()> manager);

    // Pane 0 of the status bar.
    void setStatusText(const QString& text);
    QString statusText() const;

private:
    void buildMenu();
    void buildStatusBar();
    QAction* addCommand(QMenu* menu, int command, const QString& text);
    void showHelpContents();
    void openSettings();

    EngineApi& engine_;
    torvane::registry::AppProfile& profile_;
    std::unique_ptr<CDebugDlg> debugDlg_;
    CCorvantView* view_ = nullptr;
    Launcher launcher_;
    std::map<int, QAction*> actions_;
    std::map<int, DialogEntry> dialogs_;
    std::function<SmsManagerHooks*()> smsManager_;
    QLabel* pane0_ = nullptr;
    messaging::WidgetWindow* window_ = nullptr;
};

} // namespace corvant
