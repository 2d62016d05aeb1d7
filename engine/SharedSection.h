// The engine's shared section as this process sees it: a named shared block that every process
// loading the engine attaches, zero-filled when it starts afresh (with the mutex name put in at
// once). The section is placed inside the block so that its SIM PIN record starts a memory
// page, which lets the library show that page at the address of its exported ZelSimPin.
#pragma once

#include "engine/zeldll.h"
#include "platform/wintypes.h"

#include <cstddef>
#include <memory>

namespace torvane {
class SharedBlock;
}

namespace zel {

class SharedSection {
public:
    // Attaches the block of this user's session; null with *error set when that fails.
    static std::unique_ptr<SharedSection> attach(LONG* error = nullptr);

    ~SharedSection();
    SharedSection(const SharedSection&) = delete;
    SharedSection& operator=(const SharedSection&) = delete;

    EngineShared& shared() const { return *m_shared; }

    // Makes the page at `page` (page-aligned, one page long, nothing else in it) a second view
    // of the page that holds the SIM PIN record, so that `page` is that record in every process
    // that does the same. Text already written at `page` is kept. False when the system's pages
    // are not the size of `pageSize` or the view cannot be made; the page is then left as it is.
    bool mirrorSimPin(void* page, std::size_t pageSize);

private:
    SharedSection(std::unique_ptr<torvane::SharedBlock> block, EngineShared* shared);

    std::unique_ptr<torvane::SharedBlock> m_block;
    EngineShared* m_shared;
};

} // namespace zel
