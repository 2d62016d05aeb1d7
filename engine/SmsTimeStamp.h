// The service centre's time stamp of a received SMS as the main program keeps it: seconds since
// 1970 of the phone's local wall-clock time.
#pragma once

namespace zel {

// Reads year, month, day, hour and minute from the first ten of the 14 hex characters of a time
// stamp (swapped semi-octet pairs; seconds and time zone are not used) as local time under the
// daylight-saving rule in force at that date. Pairs 70 to 99 are the years 1970 to 1999, the
// others 2000 to 2069; a date past what 32 bits hold gives the largest value. 0 when a pair is
// not a decimal number or a field is out of its range.
int smsTimeStamp(const char* stamp);

} // namespace zel
