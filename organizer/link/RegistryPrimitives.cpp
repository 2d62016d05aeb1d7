// The four registry calls the organizer's settings are built from, on the platform's registry.
#include "organizer/link/Registry.h"

#include "platform/registry/Registry.h"

#include <cstring>
#include <vector>

namespace tessaro {

namespace {

RegErrorState& lastError()
{
    static RegErrorState e;
    return e;
}

QString errorText(LONG code)
{
    switch (code) {
    case ERROR_FILE_NOT_FOUND:
        return QStringLiteral("The key or value does not exist.");
    case ERROR_ACCESS_DENIED:
        return QStringLiteral("Access denied.");
    case ERROR_BADDB:
        return QStringLiteral("The registry file cannot be read.");
    case ERROR_LOCK_VIOLATION:
        return QStringLiteral("The registry file is locked by another program.");
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_PARAMETER:
        return QStringLiteral("Invalid key or value name.");
    default:
        return QStringLiteral("Registry error %1.").arg(code);
    }
}

// Remembers why a create or a write failed, for the registry boxes; a key that is merely missing
// leaves no error to show.
bool check(LONG code)
{
    if (code == ERROR_SUCCESS)
        return true;
    lastError() = RegErrorState{int(code), errorText(code)};
    return false;
}

HKEY rootKey(RegRoot root)
{
    return root == RegRoot::CurrentUser ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

// An open key, closed on every path.
class OpenKey {
public:
    OpenKey(RegRoot root, const QString& keyPath)
        : m_ok(RegOpenKeyEx(rootKey(root), keyPath.toLatin1().constData(), &m_key) == ERROR_SUCCESS)
    {
    }
    ~OpenKey()
    {
        if (m_ok)
            RegCloseKey(m_key);
    }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;

    bool ok() const { return m_ok; }
    HKEY handle() const { return m_key; }

private:
    HKEY m_key = nullptr;
    bool m_ok;
};

} // namespace

RegErrorState LastRegError()
{
    return lastError();
}

bool RegKeyExists(RegRoot root, const QString& keyPath)
{
    return OpenKey(root, keyPath).ok();
}

bool RegValueRead(RegRoot root, const QString& keyPath, const QString& name, RegData& value)
{
    OpenKey key(root, keyPath);
    if (!key.ok())
        return false;
    const QByteArray valueName = name.toLatin1();
    DWORD type = REG_NONE;
    DWORD size = 0;
    if (RegQueryValueEx(key.handle(), valueName.constData(), &type, nullptr, &size) != ERROR_SUCCESS)
        return false;
    std::vector<BYTE> data(std::size_t(size) + 1, 0);
    DWORD got = size;
    if (RegQueryValueEx(key.handle(), valueName.constData(), &type, data.data(), &got) != ERROR_SUCCESS)
        return false;
    if (type == REG_SZ) {
        // The text as it was stored, without its terminator.
        const char* text = reinterpret_cast<const char*>(data.data());
        value = QString::fromLatin1(text, qsizetype(strnlen(text, got)));
    } else if (type == REG_DWORD && got == sizeof(DWORD)) {
        DWORD n = 0;
        std::memcpy(&n, data.data(), sizeof n);
        value = std::int32_t(n);
    }
    return true;
}

bool RegKeyCreate(RegRoot root, const QString& keyPath, const QString& className)
{
    Q_UNUSED(className); // the suite's registry keeps no key classes
    lastError() = {};
    HKEY key = nullptr;
    DWORD disposition = 0;
    if (!check(RegCreateKeyEx(rootKey(root), keyPath.toLatin1().constData(), &key, &disposition)))
        return false;
    const bool flushed = check(RegFlushKey(key));
    RegCloseKey(key);
    return flushed && disposition == REG_CREATED_NEW_KEY;
}

bool RegValueWrite(RegRoot root, const QString& keyPath, const QString& name, const RegData& value)
{
    lastError() = {};
    OpenKey key(root, keyPath);
    if (!key.ok())
        return false;
    const QByteArray valueName = name.toLatin1();
    if (const auto* text = std::get_if<QString>(&value)) {
        // A text is stored with its terminator; an empty one as no data at all.
        const QByteArray bytes = text->toLatin1();
        const DWORD size = bytes.isEmpty() ? 0 : DWORD(bytes.size() + 1);
        return check(RegSetValueEx(key.handle(), valueName.constData(), REG_SZ,
                                   reinterpret_cast<const BYTE*>(bytes.constData()), size));
    }
    const DWORD n = DWORD(std::get<std::int32_t>(value));
    return check(RegSetValueEx(key.handle(), valueName.constData(), REG_DWORD, reinterpret_cast<const BYTE*>(&n),
                               sizeof n));
}

} // namespace tessaro
