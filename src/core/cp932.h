// Conversion between UTF-8 and code page 932, the encoding of every text file the
// system keeps. The meter writes UTF-8; the worksheet, the error log, the location
// table, the presets and the settings file are code page 932.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/sj.h"

namespace mireva {

// UTF-8 to code page 932. A character that code page 932 cannot hold, and every
// invalid UTF-8 sequence, becomes "?"; the rest of the text is converted as usual.
Sj toCp932(std::string_view utf8);

namespace detail {
// toCp932 done by the platform's converter over the whole text at once; toCp932
// gives the same bytes, faster for texts that repeat the same characters.
std::string toCp932WholeText(std::string_view utf8);
}  // namespace detail

// Code page 932 to UTF-8. A byte sequence that is not valid code page 932 becomes "?".
std::string fromCp932(SjView cp932);

// A UTF-8 text fixed when the program is compiled: a string literal or a constexpr
// character array, whose address names the same characters for the life of the
// process. A pointer or a string does not convert; a character array filled at run
// time does not compile, because the characters are read here while compiling.
class Utf8Literal {
public:
    template <std::size_t N>
    consteval Utf8Literal(const char (&text)[N]) : text_(text) {
        while (size_ < N && text[size_] != '\0') ++size_;
    }
    const char* data() const { return text_; }
    std::string_view view() const { return {text_, size_}; }

private:
    const char* text_;
    std::size_t size_ = 0;
};

// Shorthand for the system's own texts written as UTF-8 literals in the source:
// the code page 932 form, converted once and kept for the life of the process.
const Sj& sj(Utf8Literal utf8);

}  // namespace mireva
