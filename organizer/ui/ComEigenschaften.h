// The port properties window: the port among those the machine has, speed, data bits, parity,
// stop bits, handshaking, the link time-out and whether the port is an infrared one with its
// start-up delay. OK applies the choice to the link's serial control and saves all settings;
// Cancel changes nothing. The rules live in organizer/link/PortProperties.h.
#pragma once

#include "organizer/link/PortProperties.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;

namespace tessaro {

class ComEigenschaften : public QDialog {
    Q_OBJECT

public:
    // Loading the window probes the machine's ports and shows the current settings.
    explicit ComEigenschaften(QWidget* parent = nullptr);

    // Fills the lists and shows the serial control's and the globals' current settings.
    void LoadPropertySettings();
    // Applies and saves; the window closes only when the save succeeded.
    void cmdOK_Click();

    // The handshaking index last chosen with an optFlow button.
    int chosenHandshaking() const { return m_chosenFlow; }

    QTabWidget* tabSettings = nullptr;
    QGroupBox* fraSettings = nullptr;
    QComboBox* cboPort = nullptr;
    QComboBox* cboSpeed = nullptr;
    QComboBox* cboDataBits = nullptr;
    QComboBox* cboParity = nullptr;
    QComboBox* cboStopBits = nullptr;
    QGroupBox* fraFlow = nullptr;
    std::array<QRadioButton*, 4> optFlow{}; // None, Xon/Xoff, RTS, Xon/RTS
    QLineEdit* GlobalTimeOut = nullptr;
    QCheckBox* IrDaCheck = nullptr;
    QLineEdit* IrDADelay = nullptr;
    QPushButton* cmdOK = nullptr;
    QPushButton* cmdCancel = nullptr;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    PortWindowFields shownFields() const;
    void showFields(const PortWindowFields& fields);
    void filterNumber(QLineEdit* box, const QString& fallback);

    int m_chosenFlow = 0;
    // Each number box's text when it got the focus, which Esc brings back.
    QString m_timeoutAtFocus;
    QString m_delayAtFocus;
};

// The program keeps one port window. Its first use loads it (the ports are probed then) and it
// stays loaded, hidden, until it is shown; every close (OK after a successful save, Cancel, the
// window's frame) unloads it, so the next use loads it anew.
ComEigenschaften& ComEigenschaftenForm();
bool ComEigenschaftenLoaded();
// Shows the window modal over `owner`, loading it first when needed; returns when it closed.
void ShowComEigenschaften(QWidget* owner);

} // namespace tessaro
