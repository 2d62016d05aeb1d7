// Helpers of the controls' tests: readable Qt strings in failures, and the error a call raised.
#pragma once

#include "platform/ui/controls/ControlError.h"

#include <QString>

#include <gtest/gtest.h>

#include <ostream>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}
QT_END_NAMESPACE

namespace torvane::controls::test {

// Runs `call` and returns the ControlError it raised; a call that raises nothing fails the test.
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
