// Small text helpers shared by every reader of the system's comma-separated files.
// Fields are separated by commas without quoting; lines end in CR LF (a lone LF is
// accepted on reading).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace mireva {

// Walks the comma-separated fields of a line from left to right without copying: the
// text before the first comma, between two commas, and after the last comma are the
// fields, so "a,,b," gives "a", "", "b", "" and an empty line one empty field.
class FieldCursor {
public:
    explicit FieldCursor(std::string_view line) : rest_(line) {}

    // The next field; false once the field after the last comma has been given.
    bool next(std::string_view& field) {
        if (done_) return false;
        const size_t comma = rest_.find(',');
        if (comma == std::string_view::npos) {
            field = rest_;
            rest_ = {};
            done_ = true;
        } else {
            field = rest_.substr(0, comma);
            rest_.remove_prefix(comma + 1);
        }
        ++index_;
        return true;
    }
    // Passes over `count` fields; false when the line ends before all were passed.
    bool skip(size_t count) {
        std::string_view field;
        for (size_t i = 0; i < count; ++i)
            if (!next(field)) return false;
        return true;
    }
    // Number of fields given so far, which is the 0-based index of the next one.
    size_t index() const { return index_; }
    bool atEnd() const { return done_; }

private:
    std::string_view rest_;
    size_t index_ = 0;
    bool done_ = false;
};

// Calls `visit(index, field)` for every field of the line in order (index from 0).
// A visitor that returns bool stops the walk by returning false.
template <class Visit>
void forEachField(std::string_view line, Visit&& visit) {
    FieldCursor cursor(line);
    std::string_view field;
    while (cursor.next(field)) {
        const size_t index = cursor.index() - 1;
        if constexpr (std::is_same_v<std::invoke_result_t<Visit&, size_t, std::string_view>, bool>) {
            if (!visit(index, field)) return;
        } else {
            visit(index, field);
        }
    }
}

// Rewrites a line field by field: `rewrite(index, text, out)` appends to `out` the new
// text of field `index` (from 0) whose old text is `text`; the commas between the
// fields stay, so the line keeps its number of fields.
template <class Rewrite>
void rewriteFields(std::string& line, Rewrite&& rewrite) {
    std::string out;
    out.reserve(line.size() + 64);
    FieldCursor cursor(line);
    std::string_view field;
    while (cursor.next(field)) {
        if (cursor.index() > 1) out += ',';
        rewrite(static_cast<int>(cursor.index() - 1), field, out);
    }
    line = std::move(out);
}

// Splits at every comma: "a,,b," gives "a", "", "b", "".
std::vector<std::string_view> splitFields(std::string_view line);

// Field `index` (0-based) of a line, or an empty view when the line has fewer fields.
std::string_view fieldAt(std::string_view line, size_t index);

// Removes leading and trailing ASCII blanks (0x20 only; tabs stay).
std::string_view trimSpaces(std::string_view text);

// Byte-for-byte containment, case-sensitive.
inline bool contains(std::string_view text, std::string_view part) { return text.find(part) != std::string_view::npos; }

// True when every byte is below 0x80: the text reads the same in UTF-8 and code page 932.
inline bool isAscii(std::string_view text) {
    for (unsigned char c : text)
        if (c >= 0x80) return false;
    return true;
}

// Byte-by-byte equality with the letters A-Z and a-z taken as the same; every other
// byte must be equal. Meant for ASCII names (settings keys, the meter's folder and
// file names in UTF-8, whose multi-byte sequences hold no ASCII bytes).
bool equalsIgnoringAsciiCase(std::string_view a, std::string_view b);

// The text with a-z turned into A-Z, other bytes unchanged.
std::string asciiUpper(std::string_view text);

// Splits file content into lines: each ends at LF, a CR before the LF is dropped,
// and a last line without LF counts when it is not empty.
std::vector<std::string_view> splitLines(std::string_view content);

// Reads lines one at a time from content held in memory (same rules as splitLines).
class LineCursor {
public:
    explicit LineCursor(std::string_view content) : rest_(content) {}
    bool atEnd() const { return rest_.empty(); }
    // Next line without its line end; false at the end.
    bool next(std::string_view& line);

private:
    std::string_view rest_;
};

// Reads an integer the way the C library's atoi does: leading white space, an
// optional sign, digits; anything after them is ignored; no digits gives 0.
// Saturates instead of overflowing.
long long leadingInteger(std::string_view text);

// The value of the longest leading decimal number of a text: leading white space
// skipped, then an optional sign, digits with at most one point (at least one digit),
// and an optional exponent ("e" or "E", an optional sign, digits); anything after it
// is ignored, and a text without one gives 0. Nothing else is a number: "0x10" gives
// 0, "inf" and "nan" give 0. A number beyond the range of a double gives the largest
// double of its sign, one too close to zero gives 0, so the value is always finite.
// Independent of the process locale.
double leadingDecimal(std::string_view text);

// The same number, or nothing when the text does not start with one (after white
// space and a sign): "－", "" and "abc" give nothing where leadingDecimal() gives 0.
std::optional<double> readLeadingDecimal(std::string_view text);

}  // namespace mireva
