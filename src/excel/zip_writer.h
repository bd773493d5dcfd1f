// A zip archive written front to back, as an .xlsx package is stored: each entry is
// deflated whole (raw deflate, CRC-32 from zlib) and goes out as its local header and
// data; the central directory follows the last entry. The bytes go to a sink, so the
// archive can be written straight into the one-step replacement's scratch file.
// Entries can be compressed on any thread (deflateEntry holds no state) and added in
// the order they should appear.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace mireva::excel {

// One entry ready to be stored: its name and its deflated bytes.
struct ZipEntry {
    std::string name;
    std::string data;  // raw deflate stream
    std::uint32_t crc = 0;
    std::uint64_t size = 0;  // uncompressed
};

// Deflates `content` at zlib level `level` (1 fastest … 9 smallest).
ZipEntry deflateEntry(std::string name, std::string_view content, int level);

class ZipWriter {
public:
    // The sink writes the bytes it is given; false stops the archive.
    using Sink = std::function<bool(std::string_view bytes)>;
    explicit ZipWriter(Sink sink);

    // False when the sink failed or the archive cannot hold the entry (more than
    // 65,535 entries, or an entry or offset beyond 4 GiB: the plain zip format's
    // limits, far above any workbook of the system).
    bool add(const ZipEntry& entry);
    // Writes the central directory; the archive is complete when this returns true.
    bool finish();

    const std::string& error() const { return error_; }
    std::uint64_t bytesWritten() const { return offset_; }

private:
    struct Record {
        std::string name;
        std::uint32_t crc;
        std::uint32_t compressed;
        std::uint32_t size;
        std::uint32_t offset;
    };
    // The fields a local header and its central directory record share, from the
    // version needed to extract up to the name's length.
    static void putEntryFields(std::string& out, const Record& r);
    bool emit(std::string_view bytes);
    bool fail(std::string message);

    Sink sink_;
    std::vector<Record> records_;
    std::uint64_t offset_ = 0;
    bool failed_ = false;
    std::string error_;
};

}  // namespace mireva::excel
