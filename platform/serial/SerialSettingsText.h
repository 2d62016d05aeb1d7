// The short settings text of a serial port: speed, parity letter, data bits and stop bits
// separated by commas, as in "19200,n,8,1" or "9600,e,7,1.5".
#pragma once

#include "platform/serial/SerialResult.h"
#include "platform/serial/SerialSettings.h"

#include <string>
#include <string_view>

namespace torvane::serial {

// Always writes the parity letter in lower case, so a text read back compares equal to what a
// settings window wrote in either case.
std::string formatSettingsText(const LineSettings& settings);

// Takes the text into a copy of base (speed, parity, data bits, stop bits change; the line
// controls and flow control stay). Letters are taken in either case. A text that does not
// have four well-formed fields is UnsupportedSetting with the text quoted.
SerialResult<LineSettings> parseSettingsText(std::string_view text, const LineSettings& base = {});

char parityLetter(Parity parity);

} // namespace torvane::serial
