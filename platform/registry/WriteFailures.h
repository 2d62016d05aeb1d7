// A change that cannot be stored is told to the user by the program once, not by each caller
// that made a write. The registry hands each failure to write a root's file (its folder or lock
// cannot be made, the file cannot be read or parsed, the new file cannot replace the old one) to
// the handler the program set, with the file and the reason, at most:
// - once for each change the user confirmed (every write made while a ConfirmedChange lives on
//   the thread), when the outermost one ends: a sheet of fifteen values is one failure to the user;
// - once a run for the writes the program makes of its own accord (a counter, a window's place),
//   which would otherwise repeat the same news at every write.
#pragma once

#include <functional>
#include <string>

namespace torvane::registry {

using WriteFailureHandler = std::function<void(const std::string& file, const std::string& reason)>;

// The program's handler; an empty one tells nobody. A new handler has told nothing yet. Called on
// the thread that wrote (that ended the change), never while the registry holds a lock.
void setWriteFailureHandler(WriteFailureHandler handler);

// The writes of one change the user confirmed (an OK, a Close), made on this thread while it
// lives. Nested ones make one change with the outermost.
class ConfirmedChange {
public:
    ConfirmedChange();
    ~ConfirmedChange();
    ConfirmedChange(const ConfirmedChange&) = delete;
    ConfirmedChange& operator=(const ConfirmedChange&) = delete;
};

// The store's report of a change that did not reach the file.
void tellWriteFailure(const std::string& file, const std::string& reason);

} // namespace torvane::registry
