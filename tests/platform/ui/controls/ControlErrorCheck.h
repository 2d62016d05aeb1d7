// Runs `call` and returns the ControlError it raised; a call that raises nothing fails the test.
#pragma once

#include "platform/ui/controls/ControlError.h"

#include <gtest/gtest.h>

namespace torvane::controls::test {

template <typename Call>
ControlError raised(Call call)
{
    try {
        call();
    } catch (const ControlError& e) {
        return e;
    }
    ADD_FAILURE() << "no ControlError was raised";
    return ControlError(0, {}, {});
}

} // namespace torvane::controls::test
