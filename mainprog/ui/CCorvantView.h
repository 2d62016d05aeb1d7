// The main window's view: the launcher picture with its seven buttons, and the tray icon that
// shows the phone state. It registers with the engine as a status window for WM_PHONE_STATE.
// Where the desktop has no tray, the main window's icon and the view's tool tip show the state.
#pragma once

#include "mainprog/core/EngineApi.h"
#include "mainprog/core/TrayIndicator.h"

#include <QImage>
#include <QString>
#include <QWidget>

#include <functional>

class QSystemTrayIcon;

namespace messaging {
class MessageWindow;
}

namespace corvant {

class CCorvantView : public QWidget {
    Q_OBJECT

public:
    // Runs a launcher command (the button's).
    using RunCommand = std::function<void(int command)>;

    CCorvantView(EngineApi& engine, RunCommand runCommand, QWidget* parent = nullptr);
    ~CCorvantView() override;

    // Loads the icons, adds the tray icon and registers with the engine.
    void OnInitialUpdate();

    HWND hwnd() const;
    // What the tray shows now (icon resource and tip).
    TrayLook trayLook() const { return look_; }
    QString trayTip() const;
    bool blinking() const { return tray_.blinking(); }
    // The button drawn pressed, -1 for none.
    int pressedButton() const { return pressed_; }

    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void OnPhoneState(int phoneState);
    void showLook(const TrayLook& look);

    EngineApi& engine_;
    RunCommand runCommand_;
    QImage normal_;
    QImage pressedPicture_;
    TrayIndicator tray_;
    TrayLook look_;
    QSystemTrayIcon* trayIcon_ = nullptr;
    messaging::MessageWindow* window_ = nullptr;
    int slot_ = -1;
    int pressed_ = -1;
};

} // namespace corvant
