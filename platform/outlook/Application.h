// The desktop calendar's application object: the entry to the calendar object model the
// organizer synchronises with. The objects are shared handles: copies of a handle are the same
// object, as the organizer's variables are references to one object.
//
//   auto app = Application::create(options);            // nothing: no calendar available
//   auto items = app->GetNamespace("MAPI").GetDefaultFolder(CalendarFolder).Items();
//   items.setIncludeRecurrences(true);
//   items.Sort("[Start]");
//   for (auto it = items.Find(filter); it; it = items.FindNext()) ...
//
// Every member that can fail throws outlook::Error (OutlookError.h).
#pragma once

#include "platform/outlook/NameSpace.h"
#include "platform/outlook/Session.h"
#include "platform/ui/datetext/DateNames.h"

#include <QString>

#include <memory>
#include <optional>

namespace torvane::outlook {

struct ApplicationOptions {
    // The calendar file; empty: calendarFilePath() (registry value, else the data folder).
    QString calendarPath;
    // The picture of the date-times in Find's filter texts: the organizer's ShortDateTimeFormat.
    QString shortDateTimeFormat = QStringLiteral("dd.mm.yy hh:mm");
    datetext::DateNames dateNames = datetext::DateNames::english();
    // Local time now; empty: the system clock.
    Clock clock;
    // Shows an appointment for AppointmentItem::Display; empty: Display fails (ErrNoDisplay).
    // The product passes showAppointmentDialog (AppointmentDialog.h).
    DisplayHandler display;
};

class Application {
public:
    // Reads the calendar file (a missing file is an empty calendar, written at the first save).
    // Nothing, with the reason in whyNot, when the file exists but cannot be read or is not
    // an iCalendar object that can be kept intact; the file is then never touched.
    static std::optional<Application> create(const ApplicationOptions& options = {}, QString* whyNot = nullptr);

    static QString applicationName();

    QString Name() const;
    // "8.0": the organizer needs a leading number of 8 or more.
    QString Version() const;
    // "MAPI", in any letter case; anything else throws ErrInvalidArgument.
    NameSpace GetNamespace(const QString& type) const;

    // The calendar file in use.
    QString calendarPath() const;

private:
    explicit Application(std::shared_ptr<detail::Session> session);
    std::shared_ptr<detail::Session> d;
};

} // namespace torvane::outlook
