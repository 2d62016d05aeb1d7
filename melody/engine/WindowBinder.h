// How the melody editor's windows become windows of the suite's messaging layer: the views
// receive the engine's answers at their handle, and the main frame is found by its title and
// closed by the main program's WM_CLOSE.
#pragma once

#include "platform/wintypes.h"

#include <functional>
#include <memory>

class QObject;
class QWidget;

class WindowBinder {
public:
    using Handler = std::function<LRESULT(UINT message, WPARAM wParam, LPARAM lParam)>;

    virtual ~WindowBinder() = default;
    // A window owned by owner (it goes with it); its handle, 0 when the layer is not there.
    virtual HWND BindWindow(QObject* owner, Handler handler) = 0;
    // The main frame as a top-level window, its title published and following the frame's.
    virtual void BindTopLevel(QWidget* frame) = 0;
};

// The product's binder.
std::unique_ptr<WindowBinder> MakeWindowBinder();
