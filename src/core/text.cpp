#include "core/text.h"

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <locale.h>

namespace mireva {

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    forEachField(line, [&](size_t, std::string_view field) { fields.push_back(field); });
    return fields;
}

std::string_view fieldAt(std::string_view line, size_t index) {
    FieldCursor cursor(line);
    std::string_view field;
    if (!cursor.skip(index) || !cursor.next(field)) return {};
    return field;
}

namespace {

char upperAscii(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// A scanned number (digits, point, exponent; no sign) that a double cannot hold: the
// largest double when it is too large, else the nearest value towards zero that the
// C library gives (0 or a subnormal).
double outOfRange(std::string_view number) {
    static const locale_t c = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
    const std::string copy(number);
    const double v = strtod_l(copy.c_str(), nullptr, c);
    return std::isinf(v) ? std::numeric_limits<double>::max() : v;
}

}  // namespace

bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (upperAscii(a[i]) != upperAscii(b[i])) return false;
    return true;
}

std::string asciiUpper(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = upperAscii(c);
    return out;
}

std::string_view trimSpaces(std::string_view text) {
    size_t b = 0, e = text.size();
    while (b < e && text[b] == ' ') ++b;
    while (e > b && text[e - 1] == ' ') --e;
    return text.substr(b, e - b);
}

bool LineCursor::next(std::string_view& line) {
    if (rest_.empty()) return false;
    size_t lf = rest_.find('\n');
    if (lf == std::string_view::npos) {
        line = rest_;
        rest_ = {};
    } else {
        line = rest_.substr(0, lf);
        rest_.remove_prefix(lf + 1);
    }
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    return true;
}

std::vector<std::string_view> splitLines(std::string_view content) {
    std::vector<std::string_view> lines;
    LineCursor cursor(content);
    std::string_view line;
    while (cursor.next(line)) lines.push_back(line);
    return lines;
}

long long leadingInteger(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || text[i] == '\t' || text[i] == '\n' || text[i] == '\r' ||
                               text[i] == '\v' || text[i] == '\f'))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    constexpr long long limit = std::numeric_limits<long long>::max() / 10 - 10;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
        if (value < limit) value = value * 10 + (text[i] - '0');
        ++i;
    }
    return negative ? -value : value;
}

double leadingDecimal(std::string_view text) { return readLeadingDecimal(text).value_or(0.0); }

std::optional<double> readLeadingDecimal(std::string_view text) {
    size_t i = 0;
    while (i < text.size() && isCSpace(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    const size_t start = i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    if (i < text.size() && text[i] == '.') {
        ++i;
        while (i < text.size() && isDigit(text[i])) ++i, ++digits;
    }
    if (digits == 0) return std::nullopt;
    size_t end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
        if (j < text.size() && isDigit(text[j])) {  // "1e" and "1e-" end before the "e"
            while (j < text.size() && isDigit(text[j])) ++j;
            end = j;
        }
    }
    // Only the scanned digits reach from_chars, which would also take "inf", "nan"
    // and hexadecimal forms.
    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(text.data() + start, text.data() + end, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) value = outOfRange(text.substr(start, end - start));
    return negative ? -value : value;
}

}  // namespace mireva
