#include "melody/engine/WindowBinder.h"

#include "platform/messaging/qt/MessageWindow.h"
#include "platform/messaging/qt/WidgetWindow.h"

#include <QObject>
#include <QWidget>

namespace {

class MessagingBinder : public WindowBinder {
public:
    HWND BindWindow(QObject* owner, Handler handler) override
    {
        auto* window = new messaging::MessageWindow(
            [handler = std::move(handler)](UINT m, WPARAM w, LPARAM l) { return handler(m, w, l); }, owner);
        return window->hwnd();
    }
    // The published title follows the frame's; WM_CLOSE closes it as the user would.
    void BindTopLevel(QWidget* frame) override { new messaging::WidgetWindow(frame); }
};

} // namespace

std::unique_ptr<WindowBinder> MakeWindowBinder() { return std::make_unique<MessagingBinder>(); }
