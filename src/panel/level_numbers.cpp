#include "panel/level_numbers.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <locale.h>

namespace mireva {

namespace {

locale_t cLocale() {
    static locale_t loc = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    return loc;
}

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

double leadingDecimal(std::string_view text) {
    // strtod needs a terminated text; worksheet fields are short, so a stack buffer
    // covers them and longer texts take a heap copy.
    char small[64];
    std::string large;
    const char* start;
    if (text.size() < sizeof small) {
        text.copy(small, text.size());
        small[text.size()] = '\0';
        start = small;
    } else {
        large.assign(text);
        start = large.c_str();
    }
    return strtod_l(start, nullptr, cLocale());
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
