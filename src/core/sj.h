// Text in code page 932: the form the system's files hold and the form in which every
// message, name and path meant for the user travels below the user interface. A type
// of its own, so that a UTF-8 text (a meter file, a file system name, an errno reason,
// the batch command's output) cannot stand where code page 932 is expected or the
// other way round; the conversions in cp932.h are the way from one to the other.
// File bytes that are only copied (worksheet lines and fields) stay std::string;
// SjView{bytes} marks the places where such bytes are taken as text.
#pragma once

#include <compare>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace mireva {

struct Sj;

// Code page 932 bytes held elsewhere. A string literal of ASCII characters only
// (separators, line breaks, file names such as "errorlog.csv") is the same bytes in
// UTF-8 and in code page 932 and converts implicitly; a literal with any other
// character, a character array filled at run time or a pointer does not.
struct SjView {
    std::string_view bytes;

    constexpr SjView() = default;
    constexpr explicit SjView(std::string_view cp932) : bytes(cp932) {}
    SjView(const Sj& text);  // a view of a held text
    template <std::size_t N>
    consteval SjView(const char (&asciiLiteral)[N]) : bytes(asciiLiteral, asciiLength(asciiLiteral, N)) {}

    bool empty() const { return bytes.empty(); }
    friend bool operator==(SjView, SjView) = default;
    friend auto operator<=>(SjView, SjView) = default;

private:
    static consteval std::size_t asciiLength(const char* text, std::size_t capacity) {
        std::size_t n = 0;
        for (; n < capacity && text[n] != '\0'; ++n)
            if (static_cast<unsigned char>(text[n]) >= 0x80) throw "only ASCII literals are code page 932 as written";
        return n;
    }
};

// Code page 932 bytes.
struct Sj {
    std::string bytes;

    bool empty() const { return bytes.empty(); }
    Sj& operator+=(SjView more) {
        bytes += more.bytes;
        return *this;
    }
    friend bool operator==(const Sj&, const Sj&) = default;
    friend auto operator<=>(const Sj&, const Sj&) = default;
};

inline SjView::SjView(const Sj& text) : bytes(text.bytes) {}

inline Sj operator+(Sj text, SjView more) { return std::move(text += more); }
inline Sj operator+(SjView text, SjView more) { return Sj{std::string(text.bytes)} += more; }

}  // namespace mireva
