#include "organizer/entryeditor/SysInfo.h"

#include "organizer/link/MessageBox.h"

#include "platform/files/FileNames.h"
#include "platform/process/ProgramStart.h"

#include <array>

namespace tessaro {

namespace {

constexpr DWORD kValueBufferSize = 1024;

// An open key, closed on every path.
class OpenKey {
public:
    OpenKey(HKEY root, const QString& keyName)
        // The about window only reads; a key that may be read but not written (the machine's
        // keys for most users) must still be found.
        : m_ok(RegOpenKeyEx(root, keyName.toLatin1().constData(), &m_key) == ERROR_SUCCESS)
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

bool started(const std::optional<torvane::process::SystemError>& error)
{
    return !error.has_value();
}

} // namespace

bool GetKeyValue(HKEY root, const QString& keyName, const QString& valueName, QString& value)
{
    value.clear();
    OpenKey key(root, keyName);
    if (!key.ok())
        return false;
    std::array<BYTE, kValueBufferSize> buffer {};
    DWORD size = kValueBufferSize;
    DWORD type = REG_NONE;
    if (RegQueryValueEx(key.handle(), valueName.toLatin1().constData(), &type, buffer.data(), &size) != ERROR_SUCCESS)
        return false;
    // Some writers store a text with its terminating zero, some without.
    qsizetype length = qsizetype(size);
    if (length > 0 && buffer[std::size_t(length - 1)] == 0)
        --length;
    if (type == REG_SZ)
        value = QString::fromLatin1(reinterpret_cast<const char*>(buffer.data()), length);
    return true;
}

bool StartSysInfo()
{
    QString path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, SysInfoKey, SysInfoValue, path)) {
        if (started(torvane::process::startCommandLine(path.toLatin1().toStdString())))
            return true;
    } else {
        QString folder;
        if (GetKeyValue(HKEY_LOCAL_MACHINE, SysInfoLocationKey, SysInfoLocationValue, folder) && !folder.isEmpty()) {
            // The program's file name is matched without regard to case, as its makers wrote it.
            const std::string dir = folder.toLatin1().toStdString();
            const auto files = torvane::files::matchingFiles(dir, SysInfoProgram.toStdString());
            if (!files.empty() && started(torvane::process::startProgram({torvane::files::withSlash(dir) + files.front()})))
                return true;
        }
    }
    MsgBox(SysInfoUnavailable, vbOKOnly, AppTitle);
    return false;
}

} // namespace tessaro
