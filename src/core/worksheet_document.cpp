#include "core/worksheet_document.h"

#include <cerrno>

#include "core/file_io.h"
#include "core/text.h"
#include "core/worksheet_lines.h"

namespace mireva {

bool WorksheetDocument::load(const std::filesystem::path& path) {
    WorksheetLines file;
    if (!file.load(path)) {
        const int reason = errno;  // kept for the caller's message
        *this = WorksheetDocument();
        errno = reason;
        return false;
    }
    assign(file);
    return true;
}

void WorksheetDocument::parse(std::string_view content) { assign(WorksheetLines(std::string(content))); }

void WorksheetDocument::assign(const WorksheetLines& file) {
    *this = WorksheetDocument();
    hasHeader1 = file.lineCount() > 0;
    if (hasHeader1) header1 = file.line(0);
    hasHeader2 = file.hasHeader2();
    if (hasHeader2) header2 = file.header2();
    lines.reserve(file.dataLineCount());
    for (size_t i = 0; i < file.dataLineCount(); ++i) lines.emplace_back(file.dataLine(i));
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
