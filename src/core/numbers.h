#pragma once

#include <cstdint>
#include <optional>

#include "core/text.h"

namespace zemvo {

// A cell read as a number: blanks around it and an exponent are accepted;
// anything else, the empty text included, gives the caller's default.
long double CellNumber(TextView text, long double defaultValue);

// Rounds half away from zero to `digits` decimals in extended precision.
long double roundToDecimals(int digits, long double value);

// "%.Nf": fixed point with N decimals. A value exactly halfway rounds away
// from zero, unlike printf, which rounds such ties to even.
Text formatFixed(long double value, int decimals);

// General form: 15 significant digits, no trailing zeros, fixed notation
// for magnitudes from 1E-5 up to 15 integer digits, else "1E-6" style.
Text formatGeneral(long double value);

// An integer text: optional sign, decimal digits, or hexadecimal after "$",
// "0x" or "0X". Anything else, blanks included, is not an integer.
std::optional<std::int32_t> parseInteger(TextView text);

}  // namespace zemvo
