#include "organizer/link/OrgError.h"

#include "organizer/link/MessageBox.h"

namespace tessaro {

OrgError::OrgError(int number, QString source, QString description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
      m_what((QString::number(number) + QLatin1Char(' ') + m_source + QLatin1String(": ") + m_description)
                 .toStdString())
{
}

OrgError typeMismatchError()
{
    return OrgError(ErrTypeMismatch, AppTitle, QStringLiteral("Type mismatch"));
}

OrgError overflowError()
{
    return OrgError(ErrOverflow, AppTitle, QStringLiteral("Overflow"));
}

} // namespace tessaro
