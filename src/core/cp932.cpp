#include "core/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <cstdint>
#include <mutex>
#include <stdexcept>
#include <unordered_map>
#include <vector>

#include "core/text.h"

namespace mireva {
namespace {

// One reusable conversion descriptor per direction and thread.
class Converter {
public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == reinterpret_cast<iconv_t>(-1)) {
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
        }
    }
    ~Converter() { iconv_close(cd_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    // Converts `in`; on an unconvertible or invalid sequence writes "?" and skips
    // `skip(lead byte, remaining bytes)` bytes of the input.
    template <typename Skip>
    std::string convert(std::string_view in, Skip skip) {
        std::string out;
        out.resize(in.size() * 2 + 16);
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        size_t used = 0;
        while (inLeft > 0) {
            char* outPtr = out.data() + used;
            size_t outLeft = out.size() - used;
            size_t r = iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft);
            used = out.size() - outLeft;
            if (r != static_cast<size_t>(-1)) break;
            if (errno == E2BIG) {
                out.resize(out.size() * 2);
                continue;
            }
            // EILSEQ (cannot convert or invalid) or EINVAL (cut at the end): one "?" and go on.
            if (used + 1 > out.size()) out.resize(out.size() * 2);
            out[used++] = '?';
            size_t n = skip(static_cast<unsigned char>(*inPtr), inPtr, inLeft);
            if (n == 0) n = 1;
            if (n > inLeft) n = inLeft;
            inPtr += n;
            inLeft -= n;
            iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        }
        out.resize(used);
        return out;
    }

private:
    iconv_t cd_;
};

// Length of the UTF-8 sequence starting at `p`, as far as it is well formed
// (an invalid lead byte or a broken continuation counts as one byte).
size_t utf8SequenceLength(unsigned char lead, const char* p, size_t left) {
    size_t n = 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        n = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        n = 4;
    else
        return 1;
    for (size_t i = 1; i < n; ++i) {
        if (i >= left || (static_cast<unsigned char>(p[i]) & 0xC0) != 0x80) return i;
    }
    return n;
}

size_t cp932SequenceLength(unsigned char lead, const char* p, size_t left) {
    bool doubleByte = (lead >= 0x81 && lead <= 0x9F) || (lead >= 0xE0 && lead <= 0xFC);
    if (!doubleByte || left < 2) return 1;
    unsigned char trail = static_cast<unsigned char>(p[1]);
    bool validTrail = (trail >= 0x40 && trail <= 0x7E) || (trail >= 0x80 && trail <= 0xFC);
    return validTrail ? 2 : 1;
}

}  // namespace

namespace detail {

std::string toCp932WholeText(std::string_view utf8) {
    thread_local Converter conv("CP932", "UTF-8");
    return conv.convert(utf8, utf8SequenceLength);
}

}  // namespace detail

namespace {

// The code page 932 form of the characters of the Basic Multilingual Plane met so
// far on this thread, each looked up once through the platform's converter: meter
// files repeat the same few Japanese texts on line after line.
class CharacterTable {
public:
    // The form of the well-formed UTF-8 text `utf8` into `out`; false (with `out` in
    // an unknown state) when the text holds anything but well-formed characters up
    // to U+FFFF, which the whole-text conversion then handles. No character grows:
    // code page 932 needs at most two bytes where UTF-8 uses two or three.
    bool convert(std::string_view utf8, std::string& out) {
        const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
        const size_t n = utf8.size();
        out.resize(n);
        char* o = out.data();
        for (size_t i = 0; i < n;) {
            const unsigned char lead = p[i];
            if (lead < 0x80) {
                *o++ = static_cast<char>(lead);
                ++i;
                continue;
            }
            unsigned code = 0;
            size_t length = 0;
            if (lead >= 0xC2 && lead <= 0xDF) {
                if (i + 1 >= n || (p[i + 1] & 0xC0) != 0x80) return false;
                code = (lead & 0x1Fu) << 6 | (p[i + 1] & 0x3Fu);
                length = 2;
            } else if (lead >= 0xE0 && lead <= 0xEF) {
                if (i + 2 >= n || (p[i + 1] & 0xC0) != 0x80 || (p[i + 2] & 0xC0) != 0x80) return false;
                if (lead == 0xE0 && p[i + 1] < 0xA0) return false;  // overlong
                if (lead == 0xED && p[i + 1] > 0x9F) return false;  // surrogate
                code = (lead & 0x0Fu) << 12 | (p[i + 1] & 0x3Fu) << 6 | (p[i + 2] & 0x3Fu);
                length = 3;
            } else {
                return false;  // beyond U+FFFF or not a lead byte
            }
            std::uint16_t& entry = entries_[code];
            if (entry == kUnknown) entry = lookUp(utf8.substr(i, length));
            if (entry == kWholeText) return false;
            if (entry == kQuestionMark) {
                *o++ = '?';
            } else if (entry < 0x200) {
                *o++ = static_cast<char>(entry & 0xFF);
            } else {
                *o++ = static_cast<char>(entry >> 8);
                *o++ = static_cast<char>(entry & 0xFF);
            }
            i += length;
        }
        out.resize(static_cast<size_t>(o - out.data()));
        return true;
    }

private:
    // Entries: one byte b as 0x100 | b, two bytes b1 b2 as b1 << 8 | b2 (b1 >= 0x81).
    static constexpr std::uint16_t kUnknown = 0, kQuestionMark = 1, kWholeText = 2;

    static std::uint16_t lookUp(std::string_view character) {
        const std::string form = detail::toCp932WholeText(character);
        if (form == "?") return kQuestionMark;
        if (form.size() == 1) return static_cast<std::uint16_t>(0x100 | static_cast<unsigned char>(form[0]));
        if (form.size() == 2 && static_cast<unsigned char>(form[0]) >= 0x81)
            return static_cast<std::uint16_t>(static_cast<unsigned char>(form[0]) << 8 |
                                              static_cast<unsigned char>(form[1]));
        return kWholeText;
    }

    std::vector<std::uint16_t> entries_ = std::vector<std::uint16_t>(0x10000, kUnknown);
};

}  // namespace

Sj toCp932(std::string_view utf8) {
    if (isAscii(utf8)) return Sj{std::string(utf8)};
    thread_local CharacterTable table;
    Sj out;
    if (table.convert(utf8, out.bytes)) return out;
    return Sj{detail::toCp932WholeText(utf8)};
}

std::string fromCp932(SjView cp932) {
    if (isAscii(cp932.bytes)) return std::string(cp932.bytes);
    thread_local Converter conv("UTF-8", "CP932");
    return conv.convert(cp932.bytes, cp932SequenceLength);
}

const Sj& sj(Utf8Literal utf8) {
    // The literal's address is the key: it stays the same characters for the life of
    // the process, which Utf8Literal makes sure of.
    static std::mutex mutex;
    static std::unordered_map<const char*, Sj> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(utf8.data());
    if (it == cache.end()) it = cache.emplace(utf8.data(), toCp932(utf8.view())).first;
    return it->second;
}

}  // namespace mireva
