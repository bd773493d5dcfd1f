#include "core/cp932.h"

#include <iconv.h>

#include <cerrno>
#include <mutex>
#include <stdexcept>
#include <unordered_map>

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
    if (lead >= 0xC2 && lead <= 0xDF) n = 2;
    else if (lead >= 0xE0 && lead <= 0xEF) n = 3;
    else if (lead >= 0xF0 && lead <= 0xF4) n = 4;
    else return 1;
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

bool isAscii(std::string_view s) {
    for (unsigned char c : s)
        if (c >= 0x80) return false;
    return true;
}

}  // namespace

std::string toCp932(std::string_view utf8) {
    if (isAscii(utf8)) return std::string(utf8);
    thread_local Converter conv("CP932", "UTF-8");
    return conv.convert(utf8, utf8SequenceLength);
}

std::string fromCp932(std::string_view cp932) {
    if (isAscii(cp932)) return std::string(cp932);
    thread_local Converter conv("UTF-8", "CP932");
    return conv.convert(cp932, cp932SequenceLength);
}

const std::string& sj(const char* utf8Literal) {
    static std::mutex mutex;
    static std::unordered_map<const char*, std::string> cache;
    std::lock_guard<std::mutex> lock(mutex);
    auto it = cache.find(utf8Literal);
    if (it == cache.end()) it = cache.emplace(utf8Literal, toCp932(utf8Literal)).first;
    return it->second;
}

}  // namespace mireva
