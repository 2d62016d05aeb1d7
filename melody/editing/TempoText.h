// The tempo field's text as a tempo: its leading decimal number (0 without digits), held to
// 40 to 240 beats per minute.
#pragma once

#include <string_view>

int TempoFromText(std::string_view text);
