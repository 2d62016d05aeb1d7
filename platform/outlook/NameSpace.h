// The "MAPI" name space: the way to the calendar folder and to single appointments by id.
#pragma once

#include "platform/outlook/AppointmentItem.h"
#include "platform/outlook/MAPIFolder.h"

#include <QString>

#include <memory>

namespace torvane::outlook {

namespace detail {
struct Session;
}

// The folder kind of the default calendar.
constexpr int CalendarFolder = 9;

class NameSpace {
public:
    // CalendarFolder only; other kinds throw ErrInvalidArgument.
    MAPIFolder GetDefaultFolder(int folderType) const;
    // The appointment (a series as a whole) with this EntryID; throws ErrItemNotFound when the
    // calendar has none (deleted here or by another program). The store id is not used.
    AppointmentItem GetItemFromID(const QString& entryId, const QString& storeId = {}) const;
    // The name space itself.
    NameSpace Session() const;

private:
    friend class Application;
    explicit NameSpace(std::shared_ptr<detail::Session> session);
    std::shared_ptr<detail::Session> d;
};

} // namespace torvane::outlook
