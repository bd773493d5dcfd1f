#include "core/worksheet_document.h"

#include <cerrno>

#include "core/file_io.h"
#include "core/text.h"

namespace mireva {

bool WorksheetDocument::load(const std::filesystem::path& path) {
    std::string content;
    if (!readWholeFile(path, content)) {
        const int reason = errno;  // kept for the caller's message
        *this = WorksheetDocument();
        errno = reason;
        return false;
    }
    parse(content);
    return true;
}

void WorksheetDocument::parse(std::string_view content) {
    *this = WorksheetDocument();
    LineCursor cursor(content);
    std::string_view line;
    if (cursor.next(line)) {
        header1 = line;
        hasHeader1 = true;
    }
    if (cursor.next(line)) {
        header2 = line;
        hasHeader2 = true;
    }
    while (cursor.next(line)) lines.emplace_back(line);
}

std::string WorksheetDocument::serialize() const {
    size_t size = header1.size() + header2.size() + 4;
    for (const std::string& l : lines) size += l.size() + 2;
    std::string out;
    out.reserve(size);
    if (hasHeader1 || hasHeader2 || !lines.empty()) {
        out += header1;
        out += "\r\n";
    }
    if (hasHeader2 || !lines.empty()) {
        out += header2;
        out += "\r\n";
    }
    for (const std::string& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

bool WorksheetDocument::save(const std::filesystem::path& target, std::string* error) const {
    return replaceFileContent(target, serialize(), error);
}

std::string_view placeNameOf(std::string_view line) {
    std::string_view field = fieldAt(line, 2);
    size_t colon = field.rfind(':');
    return colon == std::string_view::npos ? field : field.substr(0, colon);
}

}  // namespace mireva
