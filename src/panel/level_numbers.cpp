#include "panel/level_numbers.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace mireva {

namespace {

void appendFixed(std::string& out, double value, int precision) {
    char buf[512];
    auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, precision);
    if (r.ec == std::errc()) {
        out.append(buf, r.ptr);
        return;
    }
    // Only values beyond any level the meter writes get here (their fixed form does
    // not fit the buffer); fall back to the scientific form rather than write nothing.
    r = std::to_chars(buf, buf + sizeof buf, value);
    out.append(buf, r.ptr);
}

}  // namespace

float leadingDecimalAsFloat(std::string_view text) {
    const double value = leadingDecimal(text);
    constexpr double largest = std::numeric_limits<float>::max();
    if (value > largest) return std::numeric_limits<float>::max();
    if (value < -largest) return -std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

void appendFixed1(std::string& out, double value) { appendFixed(out, value, 1); }

std::string fixed1(double value) {
    std::string s;
    appendFixed1(s, value);
    return s;
}

std::string roundedLevel(double value) {
    std::string s;
    appendFixed(s, std::round(value), 0);
    s += ".0";
    return s;
}

}  // namespace mireva
