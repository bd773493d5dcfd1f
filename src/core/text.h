// Small text helpers shared by every reader of the system's comma-separated files.
// Fields are separated by commas without quoting; lines end in CR LF (a lone LF is
// accepted on reading).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mireva {

// Splits at every comma: "a,,b," gives "a", "", "b", "".
std::vector<std::string_view> splitFields(std::string_view line);

// Field `index` (0-based) of a line, or an empty view when the line has fewer fields.
std::string_view fieldAt(std::string_view line, size_t index);

// Removes leading and trailing ASCII blanks (0x20 only; tabs stay).
std::string_view trimSpaces(std::string_view text);

inline bool contains(std::string_view text, std::string_view part) {
    return text.find(part) != std::string_view::npos;
}

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

}  // namespace mireva
