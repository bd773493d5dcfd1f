// worksheet.csv as every reader takes it: the file's bytes held once, cut into lines by
// the one rule of the system's text files (LineCursor: each line ends at LF, a CR
// before it is dropped, a last line without LF counts when it is not empty), with
// where each line starts and ends. No string per line, so report jobs and the grid
// read a large worksheet cheaply; WorksheetDocument copies its lines from here.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "core/worksheet_document.h"
#include "core/worksheet_layout.h"

namespace mireva {

class WorksheetLines {
public:
    WorksheetLines() = default;
    explicit WorksheetLines(std::string content);
    explicit WorksheetLines(const WorksheetDocument& document) : WorksheetLines(document.serialize()) {}

    // False when the file cannot be read (errno tells why); the worksheet is then
    // empty. The buffers of an earlier load are reused.
    bool load(const std::filesystem::path& path);
    // Forgets the content, keeping the buffers.
    void clear();

    // Every line of the file, the two headers included.
    size_t lineCount() const { return spans_.size(); }
    std::string_view line(size_t i) const { return {content_.data() + spans_[i].offset, spans_[i].length}; }

    bool hasHeader2() const { return spans_.size() >= kHeaderLines; }
    std::string_view header2() const { return hasHeader2() ? line(1) : std::string_view(); }
    // Lines after the two headers.
    size_t dataLineCount() const { return spans_.size() > kHeaderLines ? spans_.size() - kHeaderLines : 0; }
    std::string_view dataLine(size_t i) const { return line(i + kHeaderLines); }
    // Whole places only: a trailing partial block is not a place.
    int placeCount() const { return static_cast<int>(dataLineCount() / kRowsPerPlace); }
    std::string_view line(int place, BlockRow row) const {
        return dataLine(static_cast<size_t>(place) * kRowsPerPlace + static_cast<size_t>(row));
    }

    // The file's bytes as read; every line is a view into them.
    const std::string& content() const { return content_; }

private:
    void index();

    struct Span {
        size_t offset;
        uint32_t length;
    };
    std::string content_;
    std::vector<Span> spans_;
};

}  // namespace mireva
