// While a program is busy waiting for the engine's answer (the main program's forwarding and
// barring dialogs, the phonebook editor's reads and writes), key presses, left button presses
// and left double clicks are dropped before they reach any of its windows, so only the
// engine's answers move it on; painting, the engine's posted answers and closing still arrive.
#pragma once

#include <QObject>

#include <functional>
#include <memory>

class QEvent;

namespace torvane::ui {

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

// The filter over every window of the application; Qt forgets it again when it is destroyed.
std::unique_ptr<BusyInputFilter> installBusyInputFilter(std::function<bool()> busy);

} // namespace torvane::ui
