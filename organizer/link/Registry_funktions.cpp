// The registry calls the settings are built from, on top of the four primitives of
// RegistryPrimitives.cpp.
#include "organizer/link/MessageBox.h"
#include "organizer/link/Registry.h"

namespace tessaro {

bool RegValuePut(RegRoot root, const QString& keyPath, const QString& name, const RegData& value)
{
    if (!RegKeyExists(root, keyPath))
        return false;
    // The write's own result: a value that was not stored must not count as saved.
    return RegValueWrite(root, keyPath, name, value);
}

bool RegValueGet(RegRoot root, const QString& keyPath, const QString& name, RegData& value)
{
    return RegKeyExists(root, keyPath) && RegValueRead(root, keyPath, name, value);
}

bool RegKeyEnsure(RegRoot root, const QString& keyPath, const QString& className)
{
    if (RegKeyExists(root, keyPath) || RegKeyCreate(root, keyPath, className))
        return true;
    const RegErrorState err = LastRegError();
    // Another copy starting at the same moment may make the key between our look and our create,
    // which then opens it without an error: the key is there as asked. The create's own error
    // decides, not the key's presence, since a change that failed to reach the file still shows
    // in this process.
    if (err.number == 0 && RegKeyExists(root, keyPath))
        return true;
    MsgBox(QStringLiteral("Registry Error ") + QString::number(err.number) + QStringLiteral(":   ") + err.description,
           vbOKOnly, AppTitle);
    return false;
}

bool IsWindowsNT()
{
    RegData productType;
    return RegValueGet(RegRoot::LocalMachine, QStringLiteral("SYSTEM\\CurrentControlSet\\Control\\ProductOptions"),
                       QStringLiteral("ProductType"), productType);
}

} // namespace tessaro
