#include "melody/WindowBinder.h"

#if defined(MELVIO_HAVE_MESSAGING)
#include "platform/messaging/qt/MessageWindow.h"
#include "platform/messaging/qt/WidgetWindow.h"
#endif

#include <QObject>
#include <QWidget>

namespace {

#if defined(MELVIO_HAVE_MESSAGING)

class MessagingBinder : public WindowBinder {
public:
    HWND BindWindow(QObject* owner, Handler handler) override
    {
        auto* window = new messaging::MessageWindow(
            [handler = std::move(handler)](UINT m, WPARAM w, LPARAM l) { return handler(m, w, l); }, owner);
        return window->hwnd();
    }
    void BindTopLevel(QWidget* frame) override { new messaging::WidgetWindow(frame); }
};

#else

// Without the messaging layer the windows have no handle: nobody can answer or close them.
class NoBinder : public WindowBinder {
public:
    HWND BindWindow(QObject*, Handler) override { return 0; }
    void BindTopLevel(QWidget*) override {}
};

#endif

} // namespace

std::unique_ptr<WindowBinder> MakeWindowBinder()
{
#if defined(MELVIO_HAVE_MESSAGING)
    return std::make_unique<MessagingBinder>();
#else
    return std::make_unique<NoBinder>();
#endif
}
