#include "platform/process/SharedLibrary.h"

#include "platform/process/ProgramStart.h"

#include <dlfcn.h>
#include <elf.h>
#include <link.h>
#include <string>
#include <sys/stat.h>

namespace torvane::process {

namespace {

std::string libraryPath(std::string_view name)
{
    std::string path(name);
    if (path.find('/') != std::string::npos)
        return path;
    const std::string own = ownProgramFolder();
    if (own.empty())
        return path;
    const std::string local = own + "/" + path;
    struct stat st {};
    return ::stat(local.c_str(), &st) == 0 && S_ISREG(st.st_mode) ? local : path;
}

SystemError loaderError()
{
    const char* text = ::dlerror();
    return SystemError{0, text ? text : "unknown loader error"};
}

// Calling a data object as a procedure would bring the caller down, so only code is called.
bool isProcedure(void* symbol)
{
    Dl_info info {};
    void* found = nullptr;
    if (::dladdr1(symbol, &info, &found, RTLD_DL_SYMENT) == 0 || !found)
        return false;
    const auto* entry = static_cast<const ElfW(Sym)*>(found);
    const unsigned type = ELF64_ST_TYPE(entry->st_info);
    return type == STT_FUNC || type == STT_GNU_IFUNC;
}

} // namespace

std::optional<LibraryCallError> callLibraryProcedure(std::string_view library, std::string_view procedure)
{
    using Stage = LibraryCallError::Stage;
    if (library.empty())
        return LibraryCallError{Stage::Load, systemErrorFromErrno(ENOENT)};
    ::dlerror();
    void* handle = ::dlopen(libraryPath(library).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle)
        return LibraryCallError{Stage::Load, loaderError()};

    const std::string name(procedure);
    ::dlerror();
    void* symbol = name.empty() ? nullptr : ::dlsym(handle, name.c_str());
    if (!symbol) {
        LibraryCallError failure{Stage::Lookup, name.empty() ? systemErrorFromErrno(ENOENT) : loaderError()};
        ::dlclose(handle);
        return failure;
    }
    if (!isProcedure(symbol)) {
        LibraryCallError failure{Stage::Lookup, SystemError{0, name + ": not a procedure"}};
        ::dlclose(handle);
        return failure;
    }
    reinterpret_cast<void (*)()>(symbol)();
    ::dlclose(handle);
    return std::nullopt;
}

} // namespace torvane::process
