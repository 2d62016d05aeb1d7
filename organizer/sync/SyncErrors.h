// The error box of the synchronisation's procedures: besides the organizer's own errors and the
// controls', the calendar's errors are reported with their number, source and text.
#pragma once

#include "organizer/link/OrgError.h"

#include "platform/outlook/OutlookError.h"

#include <QString>

namespace tessaro {

// The calendar's error as the organizer raises its own.
OrgError AsOrgError(const torvane::outlook::Error& error);

// The error being handled, calendar errors included. Call inside a catch block.
OrgError SyncCaughtError();

// Shows the error being handled in the box of procedure `procName`. Call inside a catch block.
void ShowSyncError(const QString& procName);

} // namespace tessaro
