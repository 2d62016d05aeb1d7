#include "organizer/ui/ProgramVersion.h"

namespace tessaro {

ProgramVersion TessaroVersion()
{
    return {TESSARO_VERSION_MAJOR, TESSARO_VERSION_MINOR, TESSARO_VERSION_REVISION};
}

QString VersionText(const ProgramVersion& version)
{
    return QStringLiteral("%1.%2.%3").arg(version.Major).arg(version.Minor).arg(version.Revision);
}

} // namespace tessaro
