// Which Shift key is down, told apart by the keys' own codes (the window system's key symbols):
// the modifier state alone does not say whether the right one is held.
#pragma once

#include <cstdint>

class ShiftKeys {
public:
    static constexpr std::uint32_t LEFT_SHIFT_SYMBOL = 0xFFE1;
    static constexpr std::uint32_t RIGHT_SHIFT_SYMBOL = 0xFFE2;

    void Pressed(std::uint32_t symbol) { Set(symbol, true); }
    void Released(std::uint32_t symbol) { Set(symbol, false); }
    // Shift is no longer down at all (a release happened elsewhere, or the focus left).
    void Reset() { left_ = right_ = false; }

    bool Left() const { return left_; }
    bool Right() const { return right_; }

private:
    void Set(std::uint32_t symbol, bool down)
    {
        if (symbol == LEFT_SHIFT_SYMBOL)
            left_ = down;
        else if (symbol == RIGHT_SHIFT_SYMBOL)
            right_ = down;
    }
    bool left_ = false;
    bool right_ = false;
};
