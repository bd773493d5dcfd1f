#include "zip_reader.h"

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <sstream>

namespace mireva::test {

namespace {

std::uint32_t get16(const std::string& b, size_t at) {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
}
std::uint32_t get32(const std::string& b, size_t at) { return get16(b, at) | get16(b, at + 2) << 16; }

bool inflateRaw(const std::string& in, size_t expected, std::string& out) {
    out.assign(expected, '\0');
    z_stream z{};
    if (inflateInit2(&z, -MAX_WBITS) != Z_OK) return false;
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(in.data()));
    z.avail_in = static_cast<uInt>(in.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    const int status = inflate(&z, Z_FINISH);
    const bool ok = status == Z_STREAM_END && z.total_out == expected && z.avail_in == 0;
    inflateEnd(&z);
    return ok;
}

}  // namespace

ZipContents readZipBytes(const std::string& b) {
    ZipContents result;
    auto bad = [&](std::string why) {
        result.error = std::move(why);
        return result;
    };
    if (b.size() < 22) return bad("too short");
    size_t end = b.size() - 22;
    while (get32(b, end) != 0x06054b50) {
        if (end == 0 || b.size() - end > 22 + 0xFFFF) return bad("no end of central directory");
        --end;
    }
    const std::uint32_t count = get16(b, end + 10);
    const std::uint32_t dirSize = get32(b, end + 12);
    size_t at = get32(b, end + 16);
    if (at + dirSize != end) return bad("central directory not where the end record says");
    for (std::uint32_t i = 0; i < count; ++i) {
        if (at + 46 > end || get32(b, at) != 0x02014b50) return bad("broken central directory");
        const std::uint32_t method = get16(b, at + 10), crc = get32(b, at + 16);
        const std::uint32_t compressed = get32(b, at + 20), size = get32(b, at + 24);
        const std::uint32_t nameLength = get16(b, at + 28), extra = get16(b, at + 30), comment = get16(b, at + 32);
        const size_t local = get32(b, at + 42);
        const std::string name = b.substr(at + 46, nameLength);
        at += 46 + nameLength + extra + comment;
        if (local + 30 > b.size() || get32(b, local) != 0x04034b50) return bad(name + ": no local header");
        if (get32(b, local + 14) != crc || get32(b, local + 18) != compressed || get32(b, local + 22) != size ||
            b.compare(local + 30, get16(b, local + 26), name) != 0)
            return bad(name + ": local header differs from the directory");
        const size_t data = local + 30 + get16(b, local + 26) + get16(b, local + 28);
        if (data + compressed > b.size()) return bad(name + ": data cut");
        std::string content;
        if (method == 0)
            content = b.substr(data, compressed);
        else if (method != 8 || !inflateRaw(b.substr(data, compressed), size, content))
            return bad(name + ": cannot inflate");
        if (content.size() != size || crc32_z(0, reinterpret_cast<const Bytef*>(content.data()), content.size()) != crc)
            return bad(name + ": CRC or size wrong");
        if (!result.entries.emplace(name, std::move(content)).second) return bad(name + ": twice");
    }
    return result;
}

ZipContents readZip(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return readZipBytes(bytes.str());
}

}  // namespace mireva::test
