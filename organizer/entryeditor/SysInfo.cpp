#include "organizer/entryeditor/SysInfo.h"

#include "organizer/link/MessageBox.h"

#include "platform/files/FileNames.h"
#include "platform/process/ProgramStart.h"

namespace tessaro {

namespace {

// The longest text the about window reads.
constexpr qsizetype kValueBufferSize = 1024;

bool started(const std::optional<torvane::process::SystemError>& error)
{
    return !error.has_value();
}

} // namespace

bool GetKeyValue(RegRoot root, const QString& keyName, const QString& valueName, QString& value)
{
    value.clear();
    RegData data;
    if (!RegValueRead(root, keyName, valueName, data))
        return false;
    if (const QString* text = std::get_if<QString>(&data)) {
        if (text->size() > kValueBufferSize)
            return false;
        value = *text;
    }
    return true;
}

bool StartSysInfo()
{
    QString path;
    if (GetKeyValue(RegRoot::LocalMachine, SysInfoKey, SysInfoValue, path)) {
        if (started(torvane::process::startCommandLine(path.toLatin1().toStdString())))
            return true;
    } else {
        QString folder;
        if (GetKeyValue(RegRoot::LocalMachine, SysInfoLocationKey, SysInfoLocationValue, folder) && !folder.isEmpty()) {
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
