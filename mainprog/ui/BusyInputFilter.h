// While the application is busy (a forwarding or barring dialog waits for the engine's answer),
// key presses, left button presses and left double clicks are dropped before they reach any
// window, so only the engine's answers move the dialog on.
#pragma once

#include <QObject>

#include <functional>

class QEvent;

namespace corvant {

class BusyInputFilter : public QObject {
    Q_OBJECT

public:
    explicit BusyInputFilter(std::function<bool()> busy, QObject* parent = nullptr);

    // The input that a busy application drops.
    static bool isDroppedWhileBusy(const QEvent* event);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool()> busy_;
};

} // namespace corvant
