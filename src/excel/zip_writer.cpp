#include "excel/zip_writer.h"

#include <zlib.h>

#include <limits>

namespace mireva::excel {

namespace {

// 1980-01-01 00:00, the earliest time the format can hold: the package carries no
// file times of its own (its creation time is in its properties).
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (0 << 9) | (1 << 5) | 1;
constexpr std::uint16_t kVersion = 20;  // 2.0: deflate
constexpr std::uint16_t kFlagUtf8 = 1u << 11;
constexpr std::uint16_t kMethodDeflate = 8;
constexpr std::uint32_t kMax32 = std::numeric_limits<std::uint32_t>::max();

void put16(std::string& out, std::uint32_t v) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>((v >> 8) & 0xFF);
}
void put32(std::string& out, std::uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

}  // namespace

ZipEntry deflateEntry(std::string name, std::string_view content, int level) {
    ZipEntry entry;
    entry.name = std::move(name);
    entry.size = content.size();
    entry.crc = static_cast<std::uint32_t>(
        crc32_z(crc32_z(0L, Z_NULL, 0), reinterpret_cast<const Bytef*>(content.data()), content.size()));

    z_stream z{};
    // Raw deflate (negative window bits): the zip entry carries no zlib header.
    if (deflateInit2(&z, level, Z_DEFLATED, -MAX_WBITS, 8, Z_DEFAULT_STRATEGY) != Z_OK) throw std::bad_alloc();
    entry.data.resize(deflateBound(&z, static_cast<uLong>(content.size())));
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(content.data()));
    z.avail_in = static_cast<uInt>(content.size());
    z.next_out = reinterpret_cast<Bytef*>(entry.data.data());
    z.avail_out = static_cast<uInt>(entry.data.size());
    const int status = deflate(&z, Z_FINISH);
    entry.data.resize(z.total_out);
    deflateEnd(&z);
    if (status != Z_STREAM_END) throw std::bad_alloc();  // the bound was too small: cannot happen
    return entry;
}

ZipWriter::ZipWriter(Sink sink) : sink_(std::move(sink)) {}

void ZipWriter::putEntryFields(std::string& out, const Record& r) {
    put16(out, kVersion);
    put16(out, kFlagUtf8);
    put16(out, kMethodDeflate);
    put16(out, kDosTime);
    put16(out, kDosDate);
    put32(out, r.crc);
    put32(out, r.compressed);
    put32(out, r.size);
    put16(out, static_cast<std::uint32_t>(r.name.size()));
}

bool ZipWriter::fail(std::string message) {
    failed_ = true;
    if (error_.empty()) error_ = std::move(message);
    return false;
}

bool ZipWriter::emit(std::string_view bytes) {
    if (!sink_(bytes)) return fail("cannot write the archive");
    offset_ += bytes.size();
    return true;
}

bool ZipWriter::add(const ZipEntry& entry) {
    if (failed_) return false;
    if (records_.size() >= 0xFFFF) return fail("too many entries for one archive");
    if (entry.size >= kMax32 || entry.data.size() >= kMax32 || offset_ >= kMax32 || entry.name.size() > 0xFFFF)
        return fail("an entry is too large for the archive: " + entry.name);
    Record r{entry.name, entry.crc, static_cast<std::uint32_t>(entry.data.size()),
             static_cast<std::uint32_t>(entry.size), static_cast<std::uint32_t>(offset_)};
    std::string header;
    header.reserve(30 + entry.name.size());
    put32(header, 0x04034b50);
    putEntryFields(header, r);
    put16(header, 0);  // no extra field
    header += entry.name;
    if (!emit(header) || !emit(entry.data)) return false;
    records_.push_back(std::move(r));
    return true;
}

bool ZipWriter::finish() {
    if (failed_) return false;
    if (offset_ >= kMax32) return fail("the archive is too large");
    const std::uint64_t start = offset_;
    std::string directory;
    for (const Record& r : records_) {
        put32(directory, 0x02014b50);
        put16(directory, kVersion);  // made by: MS-DOS attributes, version 2.0
        putEntryFields(directory, r);
        put16(directory, 0);  // extra field
        put16(directory, 0);  // comment
        put16(directory, 0);  // disk
        put16(directory, 0);  // internal attributes
        put32(directory, 0);  // external attributes
        put32(directory, r.offset);
        directory += r.name;
        if (directory.size() >= (1u << 20)) {
            if (!emit(directory)) return false;
            directory.clear();
        }
    }
    if (!directory.empty() && !emit(directory)) return false;
    const std::uint64_t size = offset_ - start;
    if (offset_ >= kMax32) return fail("the archive is too large");
    std::string end;
    put32(end, 0x06054b50);
    put16(end, 0);
    put16(end, 0);
    put16(end, static_cast<std::uint32_t>(records_.size()));
    put16(end, static_cast<std::uint32_t>(records_.size()));
    put32(end, static_cast<std::uint32_t>(size));
    put32(end, static_cast<std::uint32_t>(start));
    put16(end, 0);
    return emit(end);
}

}  // namespace mireva::excel
