// An extension library loaded into the host: dlopen at open, dlclose when the host is done with
// it, which is the library's unload (its destructors run then, as at process detach).
#pragma once

#include "platform/exchext/ExchExt.h"

#include <memory>
#include <string>

namespace torvane::exchext {

class ExtensionLibrary {
public:
    // Null with a reason in *error when the file can't be loaded or lacks the entry point.
    static std::unique_ptr<ExtensionLibrary> open(const std::string& path, std::string* error = nullptr);
    ~ExtensionLibrary();

    ExtensionLibrary(const ExtensionLibrary&) = delete;
    ExtensionLibrary& operator=(const ExtensionLibrary&) = delete;

    // Calls the entry point: a new extension object with one reference, or null.
    IExchExt* createExtension() const;

    // Any other export, by name (null when absent).
    void* symbol(const char* name) const;

    // Unloads now; later calls answer null.
    void unload();
    bool isLoaded() const { return m_handle != nullptr; }

private:
    ExtensionLibrary(void* handle, ExchEntryPointFunction entryPoint);

    void* m_handle = nullptr;
    ExchEntryPointFunction m_entryPoint = nullptr;
};

} // namespace torvane::exchext
