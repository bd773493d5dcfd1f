#include "core/text.h"

#include <limits>

namespace mireva {

std::vector<std::string_view> splitFields(std::string_view line) {
    std::vector<std::string_view> fields;
    size_t start = 0;
    while (true) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) {
            fields.push_back(line.substr(start));
            return fields;
        }
        fields.push_back(line.substr(start, comma - start));
        start = comma + 1;
    }
}

std::string_view fieldAt(std::string_view line, size_t index) {
    size_t start = 0;
    for (size_t i = 0; i < index; ++i) {
        size_t comma = line.find(',', start);
        if (comma == std::string_view::npos) return {};
        start = comma + 1;
    }
    size_t end = line.find(',', start);
    return line.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
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

}  // namespace mireva
