#include "CalendarTestSupport.h"

#include "IndependentCheck.h"

#include "platform/ui/datetext/DateText.h"

#include <QFile>

#include <cstdlib>
#include <ctime>

namespace torvane::outlook::test {

namespace {

// Local time with summer time, so that conversions between zones are really exercised.
const bool zoneSet = [] {
    qputenv("TZ", "Europe/Berlin");
    tzset();
    return true;
}();

const QString Picture = QStringLiteral("dd.mm.yy hh:mm");

} // namespace

QDateTime at(int y, int mo, int d, int h, int mi, int s)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
}

void CalendarTest::TearDown()
{
    if (m_checkFile && QFile::exists(m_path))
        expectIndependentlyValid(m_path);
}

ApplicationOptions CalendarTest::options() const
{
    ApplicationOptions o;
    o.calendarPath = m_path;
    o.shortDateTimeFormat = Picture;
    o.clock = [this] { return m_now; };
    return o;
}

Application CalendarTest::app() const
{
    QString why;
    auto a = Application::create(options(), &why);
    if (!a)
        throw std::runtime_error("no application: " + why.toStdString());
    return *a;
}

Items CalendarTest::calendarItems(const Application& a) const
{
    return a.GetNamespace(QStringLiteral("MAPI")).GetDefaultFolder(CalendarFolder).Items();
}

AppointmentItem CalendarTest::addSaved(const QString& subject, const QDateTime& start)
{
    AppointmentItem item = calendarItems().Add(AppointmentItemType);
    item.setSubject(subject);
    item.setStart(start);
    item.Save();
    return item;
}

QString CalendarTest::rangeFilter(const QDateTime& from, const QDateTime& to)
{
    return QStringLiteral("[Start]>=\"") + datetext::formatDateTime(from, Picture) + QStringLiteral("\" and [Start] <=\"")
        + datetext::formatDateTime(to, Picture) + QStringLiteral("\"");
}

std::vector<AppointmentItem> CalendarTest::findAll(Items& items, const QString& filter)
{
    std::vector<AppointmentItem> found;
    for (auto item = items.Find(filter); item; item = items.FindNext()) {
        found.push_back(*item);
        if (found.size() > 100000)
            break;
    }
    return found;
}

QByteArray CalendarTest::fileBytes() const
{
    QFile f(m_path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void CalendarTest::writeFile(const QByteArray& bytes) const
{
    QFile f(m_path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write the test calendar");
}

int CalendarTest::errorOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace torvane::outlook::test
