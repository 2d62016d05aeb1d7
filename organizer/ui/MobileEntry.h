// The entry editor's window: the widgets that show MobileEntryForm's controls (its menu and
// toolbar above, the kind frame, text, alarm and the pop-up date picker below) and its opening
// modal over the main window.
//
// The main window opens it for CurrentEntry with MobileEntryFormShow(mainWindow, commandRunning)
// from its grid click or new-entry command: the editor is loaded at once and shown modal as soon
// as that command has ended.
#pragma once

#include "organizer/entryeditor/MobileEntryForm.h"

#include <QDialog>

#include <functional>
#include <memory>

class QTimer;

namespace torvane::controls {
class CommandBarWidget;
class MonthCalendarWidget;
} // namespace torvane::controls

namespace tessaro {

class MobileEntry : public QDialog {
    Q_OBJECT
public:
    // Builds the window over `owner` and runs its load step.
    explicit MobileEntry(QWidget* owner);
    ~MobileEntry() override;

    MobileEntryForm& form() const { return *m_form; }
    torvane::controls::CommandBarWidget* bar() const { return m_bar; }
    // Where the form's controls stand, below the bars; its origin is their (0, 0).
    QWidget* clientArea() const { return m_client; }
    torvane::controls::MonthCalendarWidget* calendar() const { return m_calendar; }

    // The deferred display: fires once per arming, then shows the window modal.
    QTimer* EntryFormTimer = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    friend void MobileEntryFormShow(QWidget*, std::function<bool()>);

    void buildWidgets();
    void fitToolWidths();
    void followForm();
    void setTabOrder();
    // Shows the window modal over its owner unless the owner's command still runs.
    void display();

    std::unique_ptr<MobileEntryForm> m_form;
    torvane::controls::CommandBarWidget* m_bar = nullptr;
    torvane::controls::MonthCalendarWidget* m_calendar = nullptr;
    QWidget* m_client = nullptr;
    std::function<bool()> m_ownerBusy;
    bool m_keysForwarded = false;
};

// Opens the editor for CurrentEntry modal over `owner`: loads it now (when it is not loaded yet),
// shows the busy pointer on `owner`, and once control is back in the event loop and
// `ownerCommandRunning` (when given) says the owner's command has ended, resets the pointer and
// shows the editor modal. Returns at once.
void MobileEntryFormShow(QWidget* owner, std::function<bool()> ownerCommandRunning = {});

// The editor while it exists (loaded or shown), else null.
MobileEntry* LoadedMobileEntry();

} // namespace tessaro
