// The phonebook editor's frame ("Telefonbuch"): a fixed window around the form with the tool
// bar above it and the status bar below (message pane and the three lock-key panes), the
// accelerators, help and the about box. Every way of closing it (the close box, Alt+F4,
// "Beenden", the exit accelerator, a WM_CLOSE from the main program) goes through the form's
// quit road, which asks about unsaved changes.
//
// The frame is a window of the suite's messaging layer, found by its title. A WM_COMMAND
// posted or sent to it runs the command, or clicks the form's button of that id, when it is
// enabled, as the framework's frames do. WM_CLICK_LIST_ROW clicks a row of one of the form's
// lists as the user's left button would (Ctrl held when asked); that is how the suite's
// end-to-end tests drive the editor from another process.
#pragma once

#include "phonebook/ui/CDlgView.h"

#include <QMainWindow>

#include <functional>
#include <map>

class QAction;
class QLabel;

namespace messaging {
class WidgetWindow;
}

namespace brevik {

// wParam: the list's control id (1006 or 1007), with MK_CONTROL for a click with Ctrl held;
// lParam: the row as the list shows it. The answer is the number of rows selected in that list
// afterwards, or -1 when the click was dropped because the editor is busy.
constexpr UINT WM_CLICK_LIST_ROW = WM_USER + 300;
constexpr WPARAM MK_CONTROL = 0x0008 << 16;

class CMainFrame : public QMainWindow, public FormOwner {
    Q_OBJECT

public:
    struct Hooks {
        std::function<void(bool)> setBusy;   // the application's busy flag
        std::function<bool()> busy;
        std::function<void()> endProgram;    // a failure ends the program (-1)
    };

    CMainFrame(PhoneEngine& engine, torvane::mapi::Mapi& mapi, Hooks hooks);
    ~CMainFrame() override;

    CDlgView& form() { return *form_; }
    HWND hwnd() const;

    // Runs a command of the tool bar, the accelerators or a posted WM_COMMAND; false when it
    // is unknown or disabled.
    bool RunCommand(int id);
    QAction* commandAction(int id) const;
    // The tool bar's commands enabled as the form's state allows (the framework does this
    // whenever the program is idle).
    void UpdateCommands();
    QString statusText() const;

    // FormOwner.
    void SetFormStatus(const QString& text) override;
    void SetFormBusy(bool busy) override;
    void CloseForReal() override;
    void EndProgram() override;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void createToolBar();
    void createStatusBar();
    void createAccelerators();
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    int clickListRow(int listId, int row, bool withControl);
    void showHelp();

    Hooks hooks_;
    CDlgView* form_ = nullptr;
    QLabel* pane0_ = nullptr;
    std::map<int, QAction*> actions_;
    messaging::WidgetWindow* window_ = nullptr;
    bool closing_ = false;
};

} // namespace brevik
