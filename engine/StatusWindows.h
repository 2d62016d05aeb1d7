// The table of windows that want the phone state, shared by every process: registration and
// broadcast take the engine's named mutex (waiting at most a second), leaving the table does
// not. The owner process creates the mutex once (ZelDllInit) and keeps it for its lifetime.
#pragma once

#include "engine/EngineServices.h"
#include "engine/zeldll.h"

#include <memory>

namespace torvane {
class NamedMutex;
}

namespace zel {

// Puts the name of the engine mutex into a section that starts afresh.
void initialiseShared(EngineShared& shared);

// Creates (or opens, when it exists) the engine mutex named in the section; null on failure.
std::unique_ptr<torvane::NamedMutex> createEngineMutex(const EngineShared& shared);

// The slot 0-4; -1 when all five are taken; -2 when the mutex was not got within a second;
// -(20000 + system error) when the mutex cannot be opened (nobody created it).
int registerStatusWindow(EngineShared& shared, HWND window, UINT message);

// 0, or -1 for a slot outside 0-4 or one that is free.
int deregisterStatusWindow(EngineShared& shared, int slot);

// Sends (wParam, lParam) to every registered window with its own message, in table order,
// holding the mutex meanwhile. 0, or -1 when the mutex cannot be opened or got within a second.
int broadcastToStatusWindows(EngineShared& shared, EngineServices& services, WPARAM wParam, LPARAM lParam);

} // namespace zel
