// Failures a test can make the address book layer produce, call by call, and a count of the
// calls made. One set is shared by every object of one Mapi instance.
#pragma once

#include "platform/mapi/MapiTypes.h"

#include <array>
#include <cstddef>

namespace torvane::mapi {

enum class Call : std::size_t {
    Initialize,
    LogonEx,
    OpenAddressBook,
    Logoff,
    GetPAB,
    OpenEntry,
    GetContentsTable,
    QueryAllRows,
    OpenProperty,
    SetColumns,
    Restrict,
    GetRowCount,
    QueryRows,
    CreateEntry,
    DeleteEntries,
    GetProps,
    SetProps,
    SaveChanges,
    Uninitialize,
    Release, // an object of the layer went away; never fails
    Count_
};

class Faults {
public:
    // The nth call of kind from now on (1: the next one) returns result instead of doing its
    // work; with times > 1 the following calls fail as well. A later rule for the same kind
    // replaces an earlier one.
    void failOn(Call kind, HRESULT result, int nth = 1, int times = 1);
    void clear();

    // Counts the call and returns the injected result, or S_OK to go on.
    HRESULT enter(Call kind);

    // Calls of kind made so far (failed ones included).
    int calls(Call kind) const { return counts_[index(kind)]; }

private:
    static std::size_t index(Call kind) { return static_cast<std::size_t>(kind); }

    struct Rule {
        HRESULT result = S_OK;
        int skip = 0;  // calls still to let through
        int times = 0; // failures still to give
    };
    std::array<int, static_cast<std::size_t>(Call::Count_)> counts_{};
    std::array<Rule, static_cast<std::size_t>(Call::Count_)> rules_{};
};

} // namespace torvane::mapi
