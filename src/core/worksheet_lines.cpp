#include "core/worksheet_lines.h"

#include "core/file_io.h"
#include "core/text.h"

namespace mireva {

WorksheetLines::WorksheetLines(std::string content) : content_(std::move(content)) { index(); }

bool WorksheetLines::load(const std::filesystem::path& path) {
    spans_.clear();
    if (!readWholeFile(path, content_)) {
        content_.clear();  // errno stays the read's, for the caller's message
        return false;
    }
    index();
    return true;
}

void WorksheetLines::clear() {
    content_.clear();
    spans_.clear();
}

void WorksheetLines::index() {
    spans_.clear();
    LineCursor cursor(content_);
    std::string_view line;
    while (cursor.next(line))
        spans_.push_back({static_cast<size_t>(line.data() - content_.data()), static_cast<uint32_t>(line.size())});
}

}  // namespace mireva
