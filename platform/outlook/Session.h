// What every object of one application object shares: the calendar file, the date-time
// picture of filter texts, the clock and the appointment window.
#pragma once

#include "platform/outlook/CalendarFile.h"
#include "platform/ui/datetext/DateNames.h"

#include <QDateTime>
#include <QString>

#include <functional>
#include <memory>

namespace torvane::outlook {

class AppointmentItem;
using Clock = std::function<QDateTime()>;
using DisplayHandler = std::function<void(AppointmentItem& item, bool modal)>;

namespace detail {

struct Session {
    std::shared_ptr<CalendarFile> file;
    QString dateTimePicture;
    datetext::DateNames names;
    Clock clock;
    DisplayHandler display;

    QDateTime now() const { return clock ? clock() : QDateTime::currentDateTime(); }
};

} // namespace detail
} // namespace torvane::outlook
