// While a program is busy waiting for the engine's answer, the user's input is dropped before it
// reaches its windows, so only the engine's answers move it on; painting, the engine's posted
// answers and closing still arrive.
//
// Two scopes: the main program (its forwarding and barring dialogs) drops key presses, left
// button presses and left double clicks in every window. The phonebook editor drops every kind
// of input a user gives (keys and the shortcuts they fire, any mouse button, the wheel, context
// menus, touches) aimed at its main window, while a question it asks meanwhile in a box of its
// own can still be answered.
#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QEvent;

namespace torvane::ui {

class BusyInputFilter : public QObject {
    Q_OBJECT

public:
    // Key presses and left clicks, in every window.
    explicit BusyInputFilter(std::function<bool()> busy, QObject* parent = nullptr);
    // Every user input aimed at window or anything in it.
    BusyInputFilter(std::function<bool()> busy, QWidget* window, QObject* parent = nullptr);

    // The input that a busy application drops in every window.
    static bool isDroppedWhileBusy(const QEvent* event);
    // Any input from the user's keyboard, mouse, wheel or touch screen that could start
    // something, the shortcuts that keys fire included.
    static bool isUserInput(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Whether target (a widget, a window system window or an action of one) belongs to window_.
    bool inWindow(const QObject* target) const;

    std::function<bool()> busy_;
    QPointer<QWidget> window_;
    bool scoped_ = false;
};

// The filter over every window of the application; Qt forgets it again when it is destroyed.
std::unique_ptr<BusyInputFilter> installBusyInputFilter(std::function<bool()> busy);
// The filter of every user input to one window.
std::unique_ptr<BusyInputFilter> installBusyWindowFilter(std::function<bool()> busy, QWidget& window);

} // namespace torvane::ui
