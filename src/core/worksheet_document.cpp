#include "core/worksheet_document.h"

#include <cerrno>

#include "core/text.h"
#include "core/worksheet_file_writer.h"
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

namespace {

// Gives the lines of the file in order: the headers that the document has (or that
// later lines need in front of them), then the data lines. False as soon as `put`
// returns false.
template <class Put>
bool forEachFileLine(const WorksheetDocument& ws, Put&& put) {
    if ((ws.hasHeader1 || ws.hasHeader2 || !ws.lines.empty()) && !put(ws.header1)) return false;
    if ((ws.hasHeader2 || !ws.lines.empty()) && !put(ws.header2)) return false;
    for (const std::string& line : ws.lines)
        if (!put(line)) return false;
    return true;
}

}  // namespace

std::string WorksheetDocument::serialize() const {
    size_t size = header1.size() + header2.size() + 2 * kWorksheetLineEnd.size();
    for (const std::string& l : lines) size += l.size() + kWorksheetLineEnd.size();
    std::string out;
    out.reserve(size);
    forEachFileLine(*this, [&](std::string_view line) {
        appendWorksheetLine(out, line);
        return true;
    });
    return out;
}

bool WorksheetDocument::save(const std::filesystem::path& target, std::string* error, int* errorNumber) const {
    WorksheetFileWriter writer(target);
    const bool ok = writer.open() &&
                    forEachFileLine(*this, [&](std::string_view line) { return writer.writeLine(line); }) &&
                    writer.commit();
    if (!ok && error) *error = writer.error();
    if (!ok && errorNumber) *errorNumber = writer.errorNumber();
    return ok;
}

std::string_view placeNameOf(std::string_view line) {
    std::string_view field = fieldAt(line, 2);
    size_t colon = field.rfind(':');
    return colon == std::string_view::npos ? field : field.substr(0, colon);
}

}  // namespace mireva
