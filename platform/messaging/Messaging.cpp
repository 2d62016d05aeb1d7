#include "platform/messaging/Messaging.h"

#include "platform/messaging/Datagram.h"
#include "platform/messaging/EndpointFolder.h"
#include "platform/messaging/ReplyChannel.h"
#include "platform/messaging/Runtime.h"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <optional>
#include <thread>

using messaging::CallOutcome;
using messaging::Datagram;
using messaging::DatagramKind;
using messaging::hwndNumber;
using messaging::hwndPid;
using messaging::ReceivedDatagram;
using messaging::ReceiveStatus;
using messaging::ReplyStatus;
using messaging::Runtime;
using messaging::SendStatus;

namespace {

using Clock = std::chrono::steady_clock;

// Datagrams handled per dispatch call, so that a flood cannot starve the rest of an event loop;
// the endpoint stays readable and the loop comes back.
constexpr int kDispatchBatch = 256;

bool isOwn(const Runtime& runtime, HWND window)
{
    return hwndPid(window) == runtime.pid();
}

bool isWindowHandle(HWND window)
{
    return hwndPid(window) != 0 && hwndNumber(window) != 0;
}

void deliverPost(Runtime& runtime, const Datagram& post)
{
    if (const auto target = runtime.windows().find(hwndNumber(post.window)))
        target->handler->handleMessage(post.message, post.wParam, post.lParam);
}

void answerSend(Runtime& runtime, const Datagram& request, const messaging::SocketAddress& sender)
{
    Datagram reply;
    reply.kind = DatagramKind::Reply;
    reply.window = request.window;
    reply.message = request.message;
    reply.serial = request.serial;
    if (const auto target = runtime.windows().find(hwndNumber(request.window)))
        reply.lParam = target->handler->handleMessage(request.message, request.wParam, request.lParam);
    else
        reply.status = ReplyStatus::NoWindow;
    // The sender waits on a socket of its own that holds nothing else; if it gave up and went,
    // the answer has nowhere to go and is dropped.
    const auto bytes = messaging::encodeDatagram(reply);
    messaging::sendDatagram(runtime.sendFd(), sender, bytes.data(), bytes.size(), 0);
}

// Acts on one datagram from the endpoint; true when a window handled a message.
bool handleReceived(Runtime& runtime, const ReceivedDatagram& received)
{
    // Only this user's processes can reach the folder; the kernel's credentials say so again.
    if (received.truncated || !received.haveCredentials || received.uid != ::getuid())
        return false;
    const auto datagram = messaging::decodeDatagram(received.bytes.data(), received.size);
    if (!datagram)
        return false;
    switch (datagram->kind) {
    case DatagramKind::Post:
        if (!isOwn(runtime, datagram->window))
            return false;
        deliverPost(runtime, *datagram);
        return true;
    case DatagramKind::Send:
        if (!isOwn(runtime, datagram->window) || !received.from.isAnswerable())
            return false;
        answerSend(runtime, *datagram, received.from);
        return true;
    case DatagramKind::Reply: // answers go to the asking thread's socket, never here
    case DatagramKind::Wake:
        return false;
    }
    return false;
}

// The core of both sends. deadline: none waits as long as the window's thread needs.
bool sendAndWait(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::optional<Clock::time_point> deadline,
                 LRESULT* result)
{
    *result = 0;
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr || !isWindowHandle(window))
        return false;
    if (isOwn(*runtime, window)) {
        const auto target = runtime->windows().find(hwndNumber(window));
        if (!target)
            return false;
        if (target->thread == std::this_thread::get_id()) {
            *result = target->handler->handleMessage(message, wParam, lParam);
            return true;
        }
    } else if (!runtime->directory().isListed(window)) {
        return false;
    }
    Datagram request;
    request.window = window;
    request.message = message;
    request.wParam = wParam;
    request.lParam = lParam;
    const auto answer = messaging::callEndpoint(*runtime, hwndPid(window), request, deadline);
    if (answer.outcome != CallOutcome::Answered)
        return false;
    *result = answer.result;
    return true;
}

HWND registerWith(messaging::MessageHandler* handler, bool topLevel, std::string_view title)
{
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr || handler == nullptr)
        return 0;
    const std::uint32_t number = runtime->windows().add(handler, topLevel, std::string(title));
    // Other processes know a window only from the published list: no handle before it is there.
    if (!runtime->publishWindows()) {
        runtime->windows().remove(number);
        return 0;
    }
    return messaging::makeHwnd(runtime->pid(), number);
}

} // namespace

BOOL PostMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr || !isWindowHandle(window))
        return FALSE;
    Datagram post;
    post.window = window;
    post.message = message;
    post.wParam = wParam;
    post.lParam = lParam;
    if (isOwn(*runtime, window)) {
        if (!runtime->windows().find(hwndNumber(window)))
            return FALSE;
        return runtime->postLocally(post) ? TRUE : FALSE;
    }
    // A list left by a dead process still names the window; its socket then refuses the post.
    if (!runtime->directory().isListed(window))
        return FALSE;
    const auto socket = runtime->postSocketFor(hwndPid(window));
    if (!socket)
        return FALSE;
    const auto bytes = messaging::encodeDatagram(post);
    const auto status = messaging::sendDatagram(*socket, runtime->addressOf(hwndPid(window)), bytes.data(), bytes.size(),
                                                runtime->postTimeoutMs.load());
    if (status == SendStatus::Gone)
        runtime->forgetPostSocket(hwndPid(window));
    return status == SendStatus::Sent ? TRUE : FALSE;
}

LRESULT SendMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::optional<Clock::time_point> deadline;
    if (Runtime* runtime = Runtime::get(); runtime != nullptr && !isOwn(*runtime, window))
        deadline = Clock::now() + std::chrono::milliseconds(runtime->sendTimeoutMs.load());
    LRESULT result = 0;
    sendAndWait(window, message, wParam, lParam, deadline, &result);
    return result;
}

BOOL SendMessageTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, LRESULT* result)
{
    LRESULT answer = 0;
    const bool handled =
        sendAndWait(window, message, wParam, lParam, Clock::now() + std::chrono::milliseconds(timeoutMs), &answer);
    if (result != nullptr)
        *result = answer;
    return handled ? TRUE : FALSE;
}

HWND FindWindowByTitlePrefix(const char* prefix, int titleBufferSize)
{
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr || prefix == nullptr)
        return 0;
    return runtime->directory().findTopLevel(prefix, titleBufferSize);
}

BOOL IsWindow(HWND window)
{
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr || !isWindowHandle(window))
        return FALSE;
    if (isOwn(*runtime, window))
        return runtime->windows().find(hwndNumber(window)) ? TRUE : FALSE;
    return runtime->directory().exists(window) ? TRUE : FALSE;
}

namespace messaging {

HWND registerWindow(MessageHandler* handler)
{
    return registerWith(handler, false, {});
}

HWND registerTopLevelWindow(MessageHandler* handler, std::string_view title)
{
    return registerWith(handler, true, title);
}

bool setWindowTitle(HWND window, std::string_view title)
{
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr || !isOwn(*runtime, window) || !runtime->windows().setTitle(hwndNumber(window), std::string(title)))
        return false;
    return runtime->publishWindows();
}

void unregisterWindow(HWND window)
{
    Runtime* runtime = Runtime::get();
    if (runtime != nullptr && isOwn(*runtime, window) && runtime->windows().remove(hwndNumber(window)))
        runtime->publishWindows();
}

int endpointFd()
{
    Runtime* runtime = Runtime::get();
    return runtime != nullptr ? runtime->endpointFd() : -1;
}

int dispatchMessages(int waitMs)
{
    Runtime* runtime = Runtime::get();
    if (runtime == nullptr)
        return -1;
    if (waitMs != 0 && !runtime->overflowPending())
        waitReadable(runtime->endpointFd(), waitMs);

    int handled = 0;
    for (int i = 0; i < kDispatchBatch; ++i) {
        // Posts went to the overflow only while the endpoint was full, after everything in it;
        // so the overflow is taken only once the endpoint has been found empty since.
        const bool overflow = runtime->overflowPending();
        ReceivedDatagram received;
        if (receiveDatagram(runtime->endpointFd(), received) == ReceiveStatus::Received) {
            if (handleReceived(*runtime, received))
                ++handled;
            continue;
        }
        if (overflow) {
            if (const auto local = runtime->takeOverflow()) {
                if (local->datagram.kind == DatagramKind::Send)
                    answerSend(*runtime, local->datagram, local->replyTo);
                else
                    deliverPost(*runtime, local->datagram);
                ++handled;
                continue;
            }
        }
        break;
    }
    if (runtime->overflowPending())
        runtime->wakeDispatcher();
    return handled;
}

void setSendTimeout(int ms)
{
    if (Runtime* runtime = Runtime::get())
        runtime->sendTimeoutMs = std::max(0, ms);
}

int sendTimeout()
{
    Runtime* runtime = Runtime::get();
    return runtime != nullptr ? runtime->sendTimeoutMs.load() : 0;
}

void setPostTimeout(int ms)
{
    if (Runtime* runtime = Runtime::get())
        runtime->postTimeoutMs = std::max(0, ms);
}

int postTimeout()
{
    Runtime* runtime = Runtime::get();
    return runtime != nullptr ? runtime->postTimeoutMs.load() : 0;
}

std::string endpointFolder()
{
    Runtime* runtime = Runtime::get();
    return runtime != nullptr ? runtime->folder() : std::string();
}

std::string endpointPathOf(std::uint32_t pid)
{
    Runtime* runtime = Runtime::get();
    return runtime != nullptr ? endpointFilePath(runtime->folder(), pid) : std::string();
}

} // namespace messaging
