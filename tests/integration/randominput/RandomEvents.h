// The random input itself, as a user gives it to a window: keys (typed text, Return, Escape,
// Tab, Delete, arrows, function keys, Ctrl and Alt with letters, the paste keys), clicks, double
// clicks, right and middle clicks, drags and wheel turns, at random places of the window. Each
// event is told before it is given, so that the list of the last events names the one a program
// did not survive.
#pragma once

#include "tests/support/XDisplay.h"

#include <functional>
#include <random>
#include <string>

namespace torvane::test {

class RandomEvents {
public:
    RandomEvents(XDisplay& x, std::function<void(std::string)> tell)
        : x_(x)
        , tell_(std::move(tell))
    {
    }

    void seed(unsigned long seed) { rng_.seed(seed); }
    // A number from 0 to below - 1.
    int pick(int below) { return std::uniform_int_distribution<int>(0, below - 1)(rng_); }

    // One event for the window of the program named.
    void give(const TopWindow& target, const std::string& program);

private:
    Chord randomChord();
    QPoint randomPoint(const QRect& rect);

    XDisplay& x_;
    std::function<void(std::string)> tell_;
    std::mt19937 rng_;
};

} // namespace torvane::test
