#include "platform/registry/Registry.h"

#include "platform/registry/RegStore.h"

#include <cstdint>
#include <cstring>
#include <mutex>
#include <unordered_map>

using namespace torvane::registry;

struct HKEY__ {
    char unused;
};

namespace torvane::registry::detail {
HKEY__ currentUserRoot;
HKEY__ localMachineRoot;
} // namespace torvane::registry::detail

namespace {

struct OpenKey {
    RegStore* store;
    std::string path;
};

std::mutex handlesLock;
std::unordered_map<std::uintptr_t, OpenKey>& handles()
{
    static std::unordered_map<std::uintptr_t, OpenKey> table;
    return table;
}
// Opened keys get small numbers as handles, which no object's address can equal.
std::uintptr_t nextHandle = 0x1000;

// What a handle stands for: a root's store and the key's path below the root.
struct Target {
    RegStore* store = nullptr;
    std::string base;
    bool root = false;
};

LONG resolve(HKEY key, Target& target)
{
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE) {
        target.store = &RegStore::forRoot(key == HKEY_CURRENT_USER ? "HKEY_CURRENT_USER"
                                                                   : "HKEY_LOCAL_MACHINE");
        target.root = true;
        return ERROR_SUCCESS;
    }
    std::lock_guard guard(handlesLock);
    const auto it = handles().find(reinterpret_cast<std::uintptr_t>(key));
    if (it == handles().end())
        return ERROR_INVALID_HANDLE;
    target.store = it->second.store;
    target.base = it->second.path;
    return ERROR_SUCCESS;
}

std::string_view text(const char* s)
{
    return s ? std::string_view(s) : std::string_view();
}

bool hasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

// base + "\" + subKey, refusing empty components and line breaks, which no file could hold.
LONG joinPath(std::string_view base, std::string_view subKey, std::string& path)
{
    path = base;
    if (subKey.empty())
        return ERROR_SUCCESS;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = subKey.find('\\', start);
        const std::string_view part = subKey.substr(start, end == std::string_view::npos ? end : end - start);
        if (part.empty() || hasLineBreak(part))
            return ERROR_BAD_PATHNAME;
        if (!path.empty())
            path += '\\';
        path += part;
        if (end == std::string_view::npos)
            return ERROR_SUCCESS;
        start = end + 1;
    }
}

// A handle's key may have been deleted since it was opened (by us or by another process).
bool baseExists(const RegTree& tree, const Target& target)
{
    return target.root || tree.find(target.base) != nullptr;
}

HKEY newHandle(RegStore* store, std::string path)
{
    std::lock_guard guard(handlesLock);
    const std::uintptr_t number = nextHandle++;
    handles().emplace(number, OpenKey {store, std::move(path)});
    return reinterpret_cast<HKEY>(number);
}

LONG copyOut(const RegValue& value, DWORD* type, BYTE* data, DWORD* dataSize)
{
    if (type)
        *type = value.type;
    const auto size = DWORD(value.data.size());
    if (data) {
        if (*dataSize < size) {
            *dataSize = size;
            return ERROR_MORE_DATA;
        }
        std::memcpy(data, value.data.data(), size);
    }
    if (dataSize)
        *dataSize = size;
    return ERROR_SUCCESS;
}

// Looks key\subKey up for reading; found is called with the key when it exists.
template <typename Found>
LONG withKey(HKEY key, std::string_view subKey, Found found)
{
    Target target;
    LONG rc = resolve(key, target);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::string path;
    if ((rc = joinPath(target.base, subKey, path)) != ERROR_SUCCESS)
        return rc;
    return target.store->read([&](const RegTree& tree) -> LONG {
        if (!baseExists(tree, target))
            return ERROR_KEY_DELETED;
        const RegKey* k = tree.find(path);
        return k ? found(*k) : ERROR_FILE_NOT_FOUND;
    });
}

// Changes key\subKey, creating it first when create is set.
template <typename Change>
LONG changeKey(HKEY key, std::string_view subKey, bool create, Change change)
{
    Target target;
    LONG rc = resolve(key, target);
    if (rc != ERROR_SUCCESS)
        return rc;
    std::string path;
    if ((rc = joinPath(target.base, subKey, path)) != ERROR_SUCCESS)
        return rc;
    return target.store->modify([&](RegTree& tree, bool& changed) -> LONG {
        if (!baseExists(tree, target))
            return ERROR_KEY_DELETED;
        RegKey* k = tree.find(path);
        if (!k && create)
            k = &tree.create(path, &changed);
        return k ? change(*k, changed) : ERROR_FILE_NOT_FOUND;
    });
}

} // namespace

LONG RegOpenKeyEx(HKEY key, const char* subKey, HKEY* result)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    Target target;
    LONG rc = resolve(key, target);
    std::string path;
    if (rc == ERROR_SUCCESS)
        rc = joinPath(target.base, text(subKey), path);
    if (rc == ERROR_SUCCESS)
        rc = withKey(key, text(subKey), [](const RegKey&) { return ERROR_SUCCESS; });
    *result = rc == ERROR_SUCCESS ? newHandle(target.store, path) : nullptr;
    return rc;
}

LONG RegCreateKeyEx(HKEY key, const char* subKey, HKEY* result, DWORD* disposition)
{
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    Target target;
    LONG rc = resolve(key, target);
    std::string path;
    if (rc == ERROR_SUCCESS)
        rc = joinPath(target.base, text(subKey), path);
    if (rc != ERROR_SUCCESS)
        return rc;
    // Most opens find the key: that needs no file lock and no write.
    bool created = false;
    rc = withKey(key, text(subKey), [](const RegKey&) { return ERROR_SUCCESS; });
    if (rc == ERROR_FILE_NOT_FOUND) {
        rc = changeKey(key, text(subKey), true, [&created](RegKey&, bool& changed) {
            created = changed;
            return ERROR_SUCCESS;
        });
    }
    if (rc != ERROR_SUCCESS)
        return rc;
    if (disposition)
        *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
    *result = newHandle(target.store, path);
    return ERROR_SUCCESS;
}

LONG RegQueryValueEx(HKEY key, const char* valueName, DWORD* type, BYTE* data, DWORD* dataSize)
{
    if (data && !dataSize)
        return ERROR_INVALID_PARAMETER;
    return withKey(key, {}, [&](const RegKey& k) {
        const RegValue* value = k.find(text(valueName));
        return value ? copyOut(*value, type, data, dataSize) : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegSetValueEx(HKEY key, const char* valueName, DWORD type, const BYTE* data, DWORD dataSize)
{
    if ((!data && dataSize > 0) || hasLineBreak(text(valueName)))
        return ERROR_INVALID_PARAMETER;
    const std::string bytes(reinterpret_cast<const char*>(data), data ? dataSize : 0);
    return changeKey(key, {}, false, [&](RegKey& k, bool& changed) {
        changed = k.set(text(valueName), type, bytes);
        return ERROR_SUCCESS;
    });
}

LONG RegDeleteValue(HKEY key, const char* valueName)
{
    return changeKey(key, {}, false, [&](RegKey& k, bool& changed) {
        changed = k.remove(text(valueName));
        return changed ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    });
}

LONG RegEnumValue(HKEY key, DWORD index, char* name, DWORD* nameSize, DWORD* type, BYTE* data,
                  DWORD* dataSize)
{
    if (!name || !nameSize || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    return withKey(key, {}, [&](const RegKey& k) {
        if (index >= k.values.size())
            return ERROR_NO_MORE_ITEMS;
        const RegValue& value = k.values[index];
        if (value.name.size() + 1 > *nameSize)
            return ERROR_MORE_DATA;
        std::memcpy(name, value.name.c_str(), value.name.size() + 1);
        *nameSize = DWORD(value.name.size());
        return copyOut(value, type, data, dataSize);
    });
}

LONG RegDeleteKey(HKEY key, const char* subKey)
{
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    Target target;
    LONG rc = resolve(key, target);
    std::string path;
    if (rc == ERROR_SUCCESS)
        rc = joinPath(target.base, text(subKey), path);
    if (rc != ERROR_SUCCESS)
        return rc;
    if (path.empty())
        return ERROR_ACCESS_DENIED;
    return target.store->modify([&](RegTree& tree, bool& changed) -> LONG {
        if (!baseExists(tree, target))
            return ERROR_KEY_DELETED;
        if (!tree.find(path))
            return ERROR_FILE_NOT_FOUND;
        if (tree.hasSubkeys(path))
            return ERROR_ACCESS_DENIED;
        changed = tree.remove(path);
        return ERROR_SUCCESS;
    });
}

LONG RegFlushKey(HKEY key)
{
    Target target;
    return resolve(key, target);
}

LONG RegCloseKey(HKEY key)
{
    if (key == HKEY_CURRENT_USER || key == HKEY_LOCAL_MACHINE)
        return ERROR_SUCCESS;
    std::lock_guard guard(handlesLock);
    return handles().erase(reinterpret_cast<std::uintptr_t>(key)) ? ERROR_SUCCESS
                                                                   : ERROR_INVALID_HANDLE;
}

namespace torvane::registry {

std::optional<std::string> readString(HKEY key, std::string_view keyPath, std::string_view name)
{
    std::optional<std::string> result;
    withKey(key, keyPath, [&](const RegKey& k) {
        const RegValue* value = k.find(name);
        if (value && value->type == REG_SZ)
            result = value->data.substr(0, value->data.find('\0'));
        return ERROR_SUCCESS;
    });
    return result;
}

std::optional<DWORD> readDword(HKEY key, std::string_view keyPath, std::string_view name)
{
    std::optional<DWORD> result;
    withKey(key, keyPath, [&](const RegKey& k) {
        const RegValue* value = k.find(name);
        if (value && value->type == REG_DWORD && value->data.size() == 4) {
            DWORD number = 0;
            for (int i = 3; i >= 0; --i)
                number = (number << 8) | static_cast<unsigned char>(value->data[std::size_t(i)]);
            result = number;
        }
        return ERROR_SUCCESS;
    });
    return result;
}

LONG writeString(HKEY key, std::string_view keyPath, std::string_view name, std::string_view text)
{
    if (hasLineBreak(name))
        return ERROR_INVALID_PARAMETER;
    std::string bytes(text);
    bytes += '\0';
    return changeKey(key, keyPath, true, [&](RegKey& k, bool& changed) {
        changed = k.set(name, REG_SZ, bytes) || changed;
        return ERROR_SUCCESS;
    });
}

LONG writeDword(HKEY key, std::string_view keyPath, std::string_view name, DWORD value)
{
    if (hasLineBreak(name))
        return ERROR_INVALID_PARAMETER;
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char((value >> (8 * i)) & 0xff);
    return changeKey(key, keyPath, true, [&](RegKey& k, bool& changed) {
        changed = k.set(name, REG_DWORD, bytes) || changed;
        return ERROR_SUCCESS;
    });
}

std::string fileError(HKEY key)
{
    Target target;
    if (resolve(key, target) != ERROR_SUCCESS)
        return {};
    return target.store->errorText();
}

} // namespace torvane::registry
