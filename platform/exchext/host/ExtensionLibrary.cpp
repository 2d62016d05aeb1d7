#include "platform/exchext/host/ExtensionLibrary.h"

#include <dlfcn.h>

namespace torvane::exchext {

std::unique_ptr<ExtensionLibrary> ExtensionLibrary::open(const std::string& path, std::string* error)
{
    ::dlerror();
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) {
            const char* text = ::dlerror();
            *error = text ? text : "cannot load " + path;
        }
        return nullptr;
    }
    auto entryPoint = reinterpret_cast<ExchEntryPointFunction>(::dlsym(handle, kExchEntryPointName));
    if (!entryPoint) {
        if (error)
            *error = path + " has no " + kExchEntryPointName;
        ::dlclose(handle);
        return nullptr;
    }
    return std::unique_ptr<ExtensionLibrary>(new ExtensionLibrary(handle, entryPoint));
}

ExtensionLibrary::ExtensionLibrary(void* handle, ExchEntryPointFunction entryPoint)
    : m_handle(handle)
    , m_entryPoint(entryPoint)
{
}

ExtensionLibrary::~ExtensionLibrary()
{
    unload();
}

IExchExt* ExtensionLibrary::createExtension() const
{
    return m_handle ? m_entryPoint() : nullptr;
}

void* ExtensionLibrary::symbol(const char* name) const
{
    return m_handle ? ::dlsym(m_handle, name) : nullptr;
}

void ExtensionLibrary::unload()
{
    if (!m_handle)
        return;
    ::dlclose(m_handle);
    m_handle = nullptr;
    m_entryPoint = nullptr;
}

} // namespace torvane::exchext
