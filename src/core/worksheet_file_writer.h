// Writing worksheet.csv (and its copies worksheet_reset.csv, worksheet_tmp.csv): every
// line is followed by CR LF, and the file is replaced in one step through a scratch
// file beside it, so a failed or abandoned write leaves the previous worksheet. Used by
// the reading run, which streams its place blocks, and by WorksheetDocument::save.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "core/file_io.h"

namespace mireva {

// The end of every line of a worksheet file.
inline constexpr std::string_view kWorksheetLineEnd = "\r\n";

// Ends the line being built at the end of `out`.
inline void endWorksheetLine(std::string& out) { out += kWorksheetLineEnd; }

// Appends `line` and its line end.
inline void appendWorksheetLine(std::string& out, std::string_view line) {
    out += line;
    endWorksheetLine(out);
}

class WorksheetFileWriter {
public:
    explicit WorksheetFileWriter(std::filesystem::path target) : file_(std::move(target)) {}

    bool open() { return file_.open(); }
    // Writes `line` followed by the line end.
    bool writeLine(std::string_view line) { return file_.write(line) && file_.write(kWorksheetLineEnd); }
    // Writes lines that already carry their line ends (built with appendWorksheetLine
    // or endWorksheetLine), as a reading run does for a whole place block.
    bool writeLines(std::string_view lines) { return file_.write(lines); }
    // Puts the written lines in place of the target; false on any failure, the target
    // then keeps its previous content. Without commit() nothing changes.
    bool commit() { return file_.commit(); }

    // The target and the reason of the first failure.
    const std::string& error() const { return file_.error(); }
    int errorNumber() const { return file_.errorNumber(); }

private:
    AtomicFileWriter file_;
};

}  // namespace mireva
