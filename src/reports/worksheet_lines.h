// The worksheet as a report job reads it: the file's bytes held once, with where each
// line starts and ends. Cheaper to load than a WorksheetDocument (no string per line)
// and never re-read while the job's pages are drawn.
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
    // Lines as splitLines cuts them: each ends at LF, a CR before it is dropped, a last
    // line without LF counts when it is not empty.
    explicit WorksheetLines(std::string content);
    explicit WorksheetLines(const WorksheetDocument& document) : WorksheetLines(document.serialize()) {}

    // False when the file cannot be read; the worksheet is then empty.
    bool load(const std::filesystem::path& path);

    bool hasHeader2() const { return spans_.size() >= kHeaderLines; }
    std::string_view header2() const { return hasHeader2() ? line(1) : std::string_view(); }
    // Lines after the two headers.
    size_t dataLineCount() const { return spans_.size() > kHeaderLines ? spans_.size() - kHeaderLines : 0; }
    std::string_view dataLine(size_t i) const { return line(i + kHeaderLines); }
    // Whole places only: a trailing partial block is not a place.
    int placeCount() const { return static_cast<int>(dataLineCount() / kRowsPerPlace); }

private:
    std::string_view line(size_t i) const { return {content_.data() + spans_[i].offset, spans_[i].length}; }
    void index();

    struct Span {
        size_t offset;
        uint32_t length;
    };
    std::string content_;
    std::vector<Span> spans_;
};

}  // namespace mireva
