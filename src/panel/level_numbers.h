// Reading and writing the level texts of the worksheet as numbers. Reading is the
// system's one decimal reader (leadingDecimal: the longest leading decimal number, 0
// when there is none) and writing follows printf's "%.1f" and "%.0f", both
// independent of the process locale, so a German or French desktop writes the same
// bytes as any other.
#pragma once

#include <string>
#include <string_view>

#include "core/text.h"

namespace mireva {

// The value held as a single-precision float, the way the level offsets keep both
// the offset and the old level before adding them in double precision. A value
// beyond the range of a float gives the largest float of its sign.
float leadingDecimalAsFloat(std::string_view text);

// "%.1f" of `value`, appended to `out`.
void appendFixed1(std::string& out, double value);
std::string fixed1(double value);

// The level rounded to a whole number, halves away from zero, written "%.0f" followed
// by ".0" ("-0.4" gives "-0.0", as printf writes a negative zero).
std::string roundedLevel(double value);

}  // namespace mireva
