// A named block of memory shared by the suite's processes, like a library data section that every
// process loading the library sees: zero-filled when the first process attaches, kept while any
// live process holds it, and started afresh (zero-filled again) by the next attach once every
// holder is gone, also when holders were killed.
//
// The block may be mapped at a different address in each process: keep offsets in it, not pointers.
// A child made by fork() shares its parent's hold; exec drops it.
#pragma once

#include "platform/winerror.h"

#include <cstddef>
#include <functional>
#include <memory>
#include <string_view>

namespace torvane {

class NamedMutex;

class SharedBlock {
public:
    // Runs once for a block that starts afresh, on the zero-filled memory, before any other
    // process can attach: the place to put values the block must hold "from the start".
    using Initialiser = std::function<void(void* data, std::size_t size)>;

    // Attaches to the block `name` of `size` bytes, creating or restarting it when no live process
    // holds it. Null on failure with *error set: ERROR_INVALID_NAME (empty or too long a name),
    // ERROR_INVALID_PARAMETER (size 0, or live holders use another size), ERROR_ACCESS_DENIED
    // (runtime folder unusable), ERROR_TIMEOUT (another attach hangs), or another system error.
    static std::unique_ptr<SharedBlock> attach(std::string_view name, std::size_t size,
                                               const Initialiser& init = {}, LONG* error = nullptr);

    // As attach, but only while some live process holds the block: otherwise null with
    // ERROR_FILE_NOT_FOUND, and nothing is created.
    static std::unique_ptr<SharedBlock> attachExisting(std::string_view name, std::size_t size,
                                                       LONG* error = nullptr);

    ~SharedBlock();
    SharedBlock(const SharedBlock&) = delete;
    SharedBlock& operator=(const SharedBlock&) = delete;

    void* data() const { return data_; }
    std::size_t size() const { return size_; }
    // True when this attach started the block afresh (zero-filled, initialiser run).
    bool created() const { return created_; }

private:
    friend class NamedMutex;
    enum class Mode { CreateOrOpen, OpenExisting };

    SharedBlock(int fd, void* data, std::size_t size, bool created)
        : fd_(fd), data_(data), size_(size), created_(created)
    {
    }
    // kind keeps the files of blocks and of mutexes apart ("shm", "mutex").
    static std::unique_ptr<SharedBlock> attachKind(std::string_view kind, std::string_view name,
                                                   std::size_t size, Mode mode,
                                                   const Initialiser& init, LONG* error);

    int fd_;
    void* data_;
    std::size_t size_;
    bool created_;
};

} // namespace torvane
