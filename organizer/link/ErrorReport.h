// The organizer's error box for whatever a procedure with its own handler caught: its raised
// errors, the controls' errors and a look-up outside a table alike.
#pragma once

#include "organizer/link/OrgError.h"

#include <QString>

namespace tessaro {

// The error being handled, as the organizer reports it. Call inside a catch block.
OrgError CaughtError();

// Shows the error being handled in the box of procedure `procName`. Call inside a catch block.
void ShowCaughtError(const QString& procName);

// The runtime's "Subscript out of range" (9) and "Invalid procedure call or argument" (5).
OrgError subscriptError();
OrgError invalidCallError();

} // namespace tessaro
