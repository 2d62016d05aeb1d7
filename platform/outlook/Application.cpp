#include "platform/outlook/Application.h"

#include "platform/outlook/CalendarPath.h"
#include "platform/outlook/OutlookError.h"

namespace torvane::outlook {

namespace {

// What the organizer shows in its status bar.
const QString AppName = QStringLiteral("Torvane Calendar");
// The organizer takes a calendar whose version starts with 8 or more.
const QString AppVersion = QStringLiteral("8.0");

} // namespace

Application::Application(std::shared_ptr<detail::Session> session) : d(std::move(session))
{
}

std::optional<Application> Application::create(const ApplicationOptions& options, QString* whyNot)
{
    const QString path = options.calendarPath.isEmpty() ? calendarFilePath() : options.calendarPath;
    auto file = CalendarFile::open(path, whyNot);
    if (!file)
        return std::nullopt;
    auto session = std::make_shared<detail::Session>();
    session->file = std::move(file);
    session->dateTimePicture = options.shortDateTimeFormat;
    session->names = options.dateNames;
    session->clock = options.clock;
    session->display = options.display;
    return Application(std::move(session));
}

QString Application::applicationName()
{
    return AppName;
}

QString Application::Name() const
{
    return AppName;
}

QString Application::Version() const
{
    return AppVersion;
}

NameSpace Application::GetNamespace(const QString& type) const
{
    if (type.compare(u"MAPI", Qt::CaseInsensitive) != 0)
        throw Error(ErrInvalidArgument, QStringLiteral("There is no name space \"%1\".").arg(type));
    return NameSpace(d);
}

QString Application::calendarPath() const
{
    return d->file->path();
}

} // namespace torvane::outlook
