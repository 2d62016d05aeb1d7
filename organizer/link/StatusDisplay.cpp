#include "organizer/link/StatusDisplay.h"

#include <QCoreApplication>

namespace tessaro {

namespace {

class SilentStatus : public StatusDisplay {
public:
    void Start(const QString&, bool) override {}
    void SetText(const QString&) override { letEventsRun(); }
    bool GetState() override
    {
        letEventsRun();
        return true;
    }
    void Quit() override {}

private:
    static void letEventsRun()
    {
        if (QCoreApplication::instance())
            QCoreApplication::processEvents();
    }
};

StatusDisplay*& installed()
{
    static StatusDisplay* d = nullptr;
    return d;
}

} // namespace

StatusDisplay* setStatusDisplay(StatusDisplay* display)
{
    StatusDisplay* old = installed();
    installed() = display;
    return old;
}

StatusDisplay& StatusWindow()
{
    static SilentStatus silent;
    return installed() ? *installed() : silent;
}

} // namespace tessaro
