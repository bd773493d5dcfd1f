#include "reports/worksheet_lines.h"

#include <cstdio>
#include <cstring>

#include "core/file_io.h"

namespace mireva {

WorksheetLines::WorksheetLines(std::string content) : content_(std::move(content)) { index(); }

bool WorksheetLines::load(const std::filesystem::path& path) {
    spans_.clear();
    content_.clear();
    // One read into a buffer of the file's size (a 2,000-place worksheet is over
    // 30 MB); a file that changes size meanwhile is read to its end all the same.
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    std::error_code ec;
    const auto expected = std::filesystem::file_size(path, ec);
    content_.resize(ec ? 0 : static_cast<size_t>(expected));
    size_t got = content_.empty() ? 0 : std::fread(content_.data(), 1, content_.size(), f);
    content_.resize(got);
    char buffer[1 << 16];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) content_.append(buffer, n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (!ok) {
        content_.clear();
        return false;
    }
    index();
    return true;
}

void WorksheetLines::index() {
    spans_.clear();
    const char* const begin = content_.data();
    const size_t size = content_.size();
    size_t start = 0;
    while (start < size) {
        const void* lf = std::memchr(begin + start, '\n', size - start);
        const size_t end = lf ? static_cast<size_t>(static_cast<const char*>(lf) - begin) : size;
        size_t length = end - start;
        if (length > 0 && begin[end - 1] == '\r') --length;
        spans_.push_back({start, static_cast<uint32_t>(length)});
        start = end + 1;
    }
}

}  // namespace mireva
