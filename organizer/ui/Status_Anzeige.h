// The organizer's status window: a small modeless window over the main window with a line of
// status text and a cancel button, which long operations start, write to, poll for a cancel
// between their steps and close. The program keeps one for its whole run; its two flags outlive
// the window itself, which is built anew from its design at each first use after a Quit.
#pragma once

#include "organizer/link/StatusDisplay.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <vector>

class QLabel;
class QProgressBar;
class QPushButton;
class QWidget;

namespace tessaro {

class Status_Anzeige : public QObject, public StatusDisplay {
    Q_OBJECT

public:
    Status_Anzeige();
    ~Status_Anzeige() override;
    Status_Anzeige(const Status_Anzeige&) = delete;
    Status_Anzeige& operator=(const Status_Anzeige&) = delete;

    // Silent: remembers it and nothing else. Otherwise centres the window over `Parent`, shows
    // it with `Parent` as owner, arms the cancel, sets the caption and clears the text.
    void Start(const QString& Caption, QWidget* Parent, bool SilenceMode);
    // The same over the owner window (the main window).
    void Start(const QString& caption, bool silent) override;
    void SetText(const QString& Text) override;
    // After a cancel gesture asks text 111 (Yes/No); Yes answers false, and so does every later
    // call, which asks again.
    bool GetState() override;
    // Back to silent, OK hidden, Abbrechen shown, and the window goes.
    void Quit() override;

    // The window that Start(caption, silent) centres over and owns to.
    void setOwnerWindow(QWidget* owner) { m_owner = owner; }

    // The window while it is loaded, else null.
    QWidget* window() const { return m_form; }
    bool isLoaded() const { return m_form != nullptr; }

    // The controls. Using one loads the window without showing it: callers hide Abbrechen or
    // show OK before Start, and that lasts until the window goes.
    QLabel* Text();
    QPushButton* Abbrechen();
    QPushButton* OK();
    QProgressBar* ProgressBar();

    bool SilenceMode() const { return m_silenceMode; }
    bool ContinueFlag() const { return m_continueFlag; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void load();
    void unload();
    void placeOnTop();
    static void letEventsRun();

    QPointer<QWidget> m_form;
    QPointer<QWidget> m_owner;
    // Windows unloaded but not yet deleted.
    std::vector<QPointer<QWidget>> m_unloaded;
    QLabel* m_text = nullptr;
    QPushButton* m_abbrechen = nullptr;
    QPushButton* m_ok = nullptr;
    QProgressBar* m_progress = nullptr;
    // Position of the window in twips, kept from Start.
    double m_leftTwips = 0;
    double m_topTwips = 0;
    // Until the first Start the window behaves as after a Quit.
    bool m_silenceMode = true;
    bool m_continueFlag = true;
};

} // namespace tessaro
