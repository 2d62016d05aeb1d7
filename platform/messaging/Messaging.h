// Window handles and messages between the threads and processes of the suite, without Qt.
//
// Every process has one endpoint: a Unix-domain datagram socket in the user's private endpoint
// folder ($XDG_RUNTIME_DIR/torvane). A window is a MessageHandler registered here; its HWND
// (process id << 32 | window number) is valid in every process of the user. The thread that
// registers a window is its own thread; that thread must dispatch the endpoint (dispatchMessages
// or the Qt adapter in platform/messaging/qt), which is where posted messages and messages sent
// from other threads or processes are handled.
//
// The endpoint opens on first use; its files are removed at exit. A child forked from the process
// has no endpoint (every call fails) until it executes a program.
#pragma once

#include "platform/messaging/Hwnd.h"
#include "platform/messaging/MessageHandler.h"
#include "platform/wintypes.h"

#include <string>
#include <string_view>

// Queues the message for the window; it is handled on the window's own thread, after what the
// same thread posted to that process before, also when the window belongs to this process or
// this thread (never inside PostMessage). Within the process a post never waits: what does not
// fit into the endpoint's queue waits in the process's own overflow queue.
// FALSE, and nothing else happens, when the window or its process is gone, or when the other
// process's queue stayed full for the post time-out (a hung peer).
BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// Has the window handle the message and returns its result:
// - on the window's own thread: a direct call;
// - from another thread of this process: queued like a post (behind what this thread posted
//   before) and handed to the window's thread, waiting until it is handled, however long that
//   takes;
// - in another process: waits for the answer at most sendTimeout() ms.
// 0 when the window is gone or the answer did not come in time.
LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

// As SendMessage, but never waits longer than timeoutMs, also within this process. TRUE when the
// message was handled (*result, when given, holds the answer); FALSE when the window is gone or
// the time ran out (*result is then 0).
BOOL SendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, LRESULT* result);

// The first top-level window of any of the user's suite processes whose title, read into a buffer
// of titleBufferSize characters (so at most titleBufferSize - 1 of them are kept), begins with
// prefix. Order: by process id, then by registration. 0 when none.
HWND FindWindowByTitlePrefix(const char* prefix, int titleBufferSize);

// Whether the window is registered (in this process) or listed by its live process.
BOOL IsWindow(HWND window);

namespace messaging {

// Registers handler as a window of the calling thread. The handler must stay valid until
// unregisterWindow; it is not owned. 0 when the endpoint cannot be opened.
HWND registerWindow(MessageHandler* handler);

// As registerWindow, for a window that FindWindowByTitlePrefix can find.
HWND registerTopLevelWindow(MessageHandler* handler, std::string_view title);

// Changes the published title of a window of this process. False when it is not one.
bool setWindowTitle(HWND window, std::string_view title);

// The window stops existing: messages still queued for it are dropped, posts to it fail.
// Call it on the window's own thread.
void unregisterWindow(HWND window);

// The endpoint's descriptor, readable when datagrams wait, for event-loop integration;
// -1 when the endpoint cannot be opened.
int endpointFd();

// Handles what waits at the endpoint on the calling thread: first waits up to waitMs for
// something to arrive (< 0: without limit, 0: not at all), then handles up to a batch of
// datagrams. Handlers may dispatch again (nested loops); order is kept. Returns the number of
// messages handled, -1 when the endpoint cannot be opened.
int dispatchMessages(int waitMs = 0);

// Time-outs in milliseconds: how long SendMessage waits for another process's answer
// (default 5000), and how long PostMessage waits for room in another process's full queue
// (default 2000).
void setSendTimeout(int ms);
int sendTimeout();
void setPostTimeout(int ms);
int postTimeout();

// The endpoint folder, and where the endpoint of process pid lives ("" when unavailable).
std::string endpointFolder();
std::string endpointPathOf(std::uint32_t pid);

} // namespace messaging
