// Lets the Qt event loop of the main thread dispatch the process's message endpoint, so that
// windows of a Qt program receive posted and sent messages between other events, also inside
// modal loops.
#pragma once

namespace messaging {

// Idempotent; needs a QCoreApplication and must be called on its thread. False when there is
// none or the endpoint cannot be opened.
bool attachToEventLoop();

} // namespace messaging
