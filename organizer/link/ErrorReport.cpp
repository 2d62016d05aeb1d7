#include "organizer/link/ErrorReport.h"

#include "organizer/link/MessageBox.h"

#include "platform/ui/controls/ControlError.h"

#include <stdexcept>

namespace tessaro {

OrgError subscriptError()
{
    return OrgError(9, AppTitle, QStringLiteral("Subscript out of range"));
}

OrgError invalidCallError()
{
    return OrgError(5, AppTitle, QStringLiteral("Invalid procedure call or argument"));
}

OrgError CaughtError()
{
    try {
        throw;
    } catch (const torvane::controls::ControlError& e) {
        return OrgError(e.number(), e.source(), e.description());
    } catch (const std::out_of_range&) {
        return subscriptError();
    } catch (const std::exception& e) {
        return OrgError(51, AppTitle, QStringLiteral("Internal error: ") + QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return OrgError(51, AppTitle, QStringLiteral("Internal error"));
    }
}

void ShowCaughtError(const QString& procName)
{
    ShowErrorBox(CaughtError(), procName);
}

} // namespace tessaro
