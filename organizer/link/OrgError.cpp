#include "organizer/link/OrgError.h"

#include "organizer/link/MessageBox.h"

namespace tessaro {

OrgError typeMismatchError()
{
    return OrgError(ErrTypeMismatch, AppTitle, QStringLiteral("Type mismatch"));
}

OrgError overflowError()
{
    return OrgError(ErrOverflow, AppTitle, QStringLiteral("Overflow"));
}

} // namespace tessaro
