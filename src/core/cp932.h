// Conversion between UTF-8 and code page 932, the encoding of every text file the
// system keeps. The meter writes UTF-8; the worksheet, the error log, the location
// table, the presets and the settings file are code page 932.
#pragma once

#include <string>
#include <string_view>

namespace mireva {

// UTF-8 to code page 932. A character that code page 932 cannot hold, and every
// invalid UTF-8 sequence, becomes "?"; the rest of the text is converted as usual.
std::string toCp932(std::string_view utf8);

namespace detail {
// toCp932 done by the platform's converter over the whole text at once; toCp932
// gives the same bytes, faster for texts that repeat the same characters.
std::string toCp932WholeText(std::string_view utf8);
}  // namespace detail

// Code page 932 to UTF-8. A byte sequence that is not valid code page 932 becomes "?".
std::string fromCp932(std::string_view cp932);

// Shorthand for the system's own texts written as UTF-8 literals in the source:
// the code page 932 form, converted once and kept for the life of the process.
// Use only with string literals (the pointer is the cache key).
const std::string& sj(const char* utf8Literal);

}  // namespace mireva
