// The organizer's raised errors: a number, the procedure that raised it and a text in the
// current language. Procedures pass them up; the outermost handler shows the error box.
#pragma once

#include "platform/ui/controls/ControlError.h"

namespace tessaro {

// Numbers raised by the link, the transfer and the vCalendar parser.
constexpr int ErrTimeout = -2000;
constexpr int ErrUserBreak = -1999;
constexpr int ErrReentrantCall = -1998;
constexpr int ErrWrongType = -1996;
constexpr int ErrWrongSubtype = -1995;
constexpr int ErrWrongBlockNumber = -1994;
constexpr int ErrMobileMessage = -1988;
constexpr int ErrVcsBegin = -1983;
constexpr int ErrVcsEnd = -1982;
constexpr int ErrVcsCategories = -1981;
constexpr int ErrVcsRRule = -1980;
constexpr int ErrVcsKey = -1979;
constexpr int ErrSourceEntryNotFound = -1978;
constexpr int ErrPortNotAvailable = -1976;
constexpr int ErrUploadPending = -1975;

// Runtime errors that the organizer's code can meet and reports like its own.
constexpr int ErrOverflow = 6;
constexpr int ErrTypeMismatch = 13;
// A failure of the program itself that carries no number of its own.
constexpr int ErrInternal = 51;

class OrgError : public torvane::controls::ControlError {
public:
    using ControlError::ControlError;
};

// The runtime's own errors carry the program title as their source.
OrgError typeMismatchError();
OrgError overflowError();

} // namespace tessaro
