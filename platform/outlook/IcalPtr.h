// Ownership of libical components and strings.
#pragma once

#include <libical/ical.h>

#include <memory>

namespace torvane::outlook {

struct IcalComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using IcalComponentPtr = std::unique_ptr<icalcomponent, IcalComponentFree>;

struct IcalRecurIteratorFree {
    void operator()(icalrecur_iterator* i) const { icalrecur_iterator_free(i); }
};
using IcalRecurIteratorPtr = std::unique_ptr<icalrecur_iterator, IcalRecurIteratorFree>;

struct IcalBufferFree {
    void operator()(char* s) const { icalmemory_free_buffer(s); }
};
using IcalBufferPtr = std::unique_ptr<char, IcalBufferFree>;

} // namespace torvane::outlook
