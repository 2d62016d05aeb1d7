// The calendar file on disk, shared by every object of one application object.
//
// Each access first looks whether another program changed the file (device, inode, size,
// modification and change times) and reads it again when it did. A change is applied to a copy
// of the freshest contents and written atomically (temporary file, then rename); when the file
// changed between reading and renaming, the change is applied again to the new contents. A
// file that cannot be read is never written over.
#pragma once

#include "platform/outlook/CalendarData.h"

#include <QString>

#include <functional>
#include <memory>

namespace torvane::outlook {

class CalendarFile {
public:
    // Reads the file; a missing file is an empty calendar. Null, with the reason, when it
    // exists but cannot be read or is not an iCalendar object we can keep intact.
    static std::shared_ptr<CalendarFile> open(const QString& path, QString* why = nullptr);

    const QString& path() const { return m_path; }

    // The current contents, read again when the file changed; throws Error
    // (ErrCalendarUnreadable) when the changed file cannot be read.
    std::shared_ptr<const CalendarData> data();

    // Lets change edit a copy of the current contents; when it returns true the copy is written
    // and becomes the current contents. change may run more than once (when another program
    // writes meanwhile), each time on fresh contents. Returns whether anything was written.
    // Throws Error (ErrCalendarUnreadable, ErrCalendarWrite) on failure; the file is then
    // unchanged.
    bool modify(const std::function<bool(CalendarData&)>& change);

    struct Stamp {
        bool exists = false;
        quint64 device = 0;
        quint64 inode = 0;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        qint64 changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };

private:
    explicit CalendarFile(QString path);
    // Reads the file into m_data; false with the reason when it cannot.
    bool load(QString* why);
    void refresh();

    QString m_path;
    std::shared_ptr<const CalendarData> m_data;
    Stamp m_stamp;
    bool m_readable = false;
};

} // namespace torvane::outlook
