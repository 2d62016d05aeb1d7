#include "engine/SharedSection.h"

#include "engine/StatusWindows.h"

#include "platform/sharedmem/SharedBlock.h"

#include <cstdint>
#include <cstring>
#include <sys/mman.h>
#include <unistd.h>

namespace zel {

namespace {

constexpr char kBlockName[] = "ZelDllShared";

std::size_t systemPageSize()
{
    const long size = sysconf(_SC_PAGESIZE);
    return size > 0 ? std::size_t(size) : 4096;
}

// Where the section starts in the block: the block's memory begins on a page, so this puts the
// SIM PIN record on a page boundary, at the same place in every process.
std::size_t sectionOffset(std::size_t pageSize)
{
    const std::size_t pin = offsetof(EngineShared, simPin) % pageSize;
    return (pageSize - pin) % pageSize;
}

} // namespace

SharedSection::SharedSection(std::unique_ptr<torvane::SharedBlock> block, EngineShared* shared)
    : m_block(std::move(block)), m_shared(shared)
{
}

SharedSection::~SharedSection() = default;

std::unique_ptr<SharedSection> SharedSection::attach(LONG* error)
{
    const std::size_t pageSize = systemPageSize();
    const std::size_t offset = sectionOffset(pageSize);
    const std::size_t size = offset + sizeof(EngineShared);
    auto block = torvane::SharedBlock::attach(
        kBlockName, size,
        [offset](void* data, std::size_t) {
            initialiseShared(*reinterpret_cast<EngineShared*>(static_cast<char*>(data) + offset));
        },
        error);
    if (!block)
        return nullptr;
    auto* shared = reinterpret_cast<EngineShared*>(static_cast<char*>(block->data()) + offset);
    return std::unique_ptr<SharedSection>(new SharedSection(std::move(block), shared));
}

bool SharedSection::mirrorSimPin(void* page, std::size_t pageSize)
{
    if (pageSize != systemPageSize() || reinterpret_cast<std::uintptr_t>(page) % pageSize != 0)
        return false;
    char* pin = m_shared->simPin;
    if (reinterpret_cast<std::uintptr_t>(pin) % pageSize != 0)
        return false;
    // A PIN this process stored before it first reached the section is its latest word.
    if (static_cast<char*>(page)[0] != '\0')
        std::memcpy(pin, page, sizeof m_shared->simPin);
    // A shared mapping remapped with old size 0 gives a second mapping of the same pages.
    void* view = mremap(pin, 0, pageSize, MREMAP_MAYMOVE | MREMAP_FIXED, page);
    return view == page;
}

} // namespace zel
