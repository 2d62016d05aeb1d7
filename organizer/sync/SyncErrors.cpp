#include "organizer/sync/SyncErrors.h"

#include "organizer/link/ErrorReport.h"
#include "organizer/link/MessageBox.h"

namespace tessaro {

OrgError AsOrgError(const torvane::outlook::Error& error)
{
    return OrgError(error.number(), error.source(), error.description());
}

OrgError SyncCaughtError()
{
    try {
        throw;
    } catch (const torvane::outlook::Error& e) {
        return AsOrgError(e);
    } catch (...) {
        return CaughtError();
    }
}

void ShowSyncError(const QString& procName)
{
    ShowErrorBox(SyncCaughtError(), procName);
}

} // namespace tessaro
