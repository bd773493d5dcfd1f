// Reading and writing the level texts of the worksheet as numbers. Reading follows
// the C library's atof (leading blanks, a sign, as many characters as form a decimal
// number, 0 when none do) and writing follows printf's "%.1f" and "%.0f", both
// independent of the process locale, so a German or French desktop writes the same
// bytes as any other.
#pragma once

#include <string>
#include <string_view>
#include <utility>

namespace mireva {

// The value of the decimal number at the start of `text` (atof's rules).
double leadingDecimal(std::string_view text);

// The value held as a single-precision float, the way the level offsets keep both
// the offset and the old level before adding them in double precision.
inline float leadingDecimalAsFloat(std::string_view text) { return static_cast<float>(leadingDecimal(text)); }

// "%.1f" of `value`, appended to `out`.
void appendFixed1(std::string& out, double value);
std::string fixed1(double value);

// The level rounded to a whole number, halves away from zero, written "%.0f" followed
// by ".0" ("-0.4" gives "-0.0", as printf writes a negative zero).
std::string roundedLevel(double value);

// Rewrites a worksheet line field by field: `rewrite(field, text, out)` appends to
// `out` the new text of the field numbered `field` (from 0) whose old text is `text`;
// the commas between fields stay.
template <class Rewrite>
void rewriteFields(std::string& line, Rewrite&& rewrite) {
    std::string out;
    out.reserve(line.size() + 64);
    std::string_view rest = line;
    for (int field = 0;; ++field) {
        const size_t comma = rest.find(',');
        rewrite(field, rest.substr(0, comma), out);
        if (comma == std::string_view::npos) break;
        out += ',';
        rest.remove_prefix(comma + 1);
    }
    line = std::move(out);
}

}  // namespace mireva
