#include "platform/outlook/OutlookError.h"

#include "platform/outlook/Application.h"

namespace torvane::outlook {

Error::Error(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

QString Error::source() const
{
    return Application::applicationName();
}

} // namespace torvane::outlook
