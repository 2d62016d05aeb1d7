#include "platform/ui/controls/ControlError.h"

namespace torvane::controls {

ControlError::ControlError(int number, QString source, QString description)
    : m_number(number), m_source(std::move(source)), m_description(std::move(description)),
      m_what((QString::number(number) + QLatin1Char(' ') + m_source + QLatin1String(": ") + m_description)
                 .toStdString())
{
}

} // namespace torvane::controls
