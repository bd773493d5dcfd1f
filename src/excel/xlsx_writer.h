// Writes sheet models into an .xlsx file, one sheet after the other. Cells go out
// row by row and each sheet's rows are flushed to a scratch file as soon as they
// are written, so memory stays flat however many sheets a report has. Formats are
// shared: every distinct resolved cell format becomes one format of the workbook.
// The workbook goes through the one-step file replacement, so a failed export never
// leaves a broken or half-written file under the target name.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/file_io.h"
#include "excel/sheet_model.h"

namespace mireva::excel {

class XlsxWriter {
public:
    explicit XlsxWriter(std::filesystem::path target);
    ~XlsxWriter();  // abandons an uncommitted workbook
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    // The library keeps one scratch file per sheet open until the workbook is finished.
    // Raises this process's open-file limit as far as the system lets it and tells
    // whether a workbook of `sheets` sheets fits under it; false, with the figures in
    // `why`, when it does not (nothing has been written then).
    static bool reserveOpenFiles(int sheets, std::string& why);

    bool open();
    // Writes the whole sheet; the model is not needed afterwards. False (see error())
    // for a name the file format refuses or a name already used, and when the sheet
    // cannot be created.
    bool addSheet(const SheetModel& sheet);
    // Finishes the file and puts it in place of the target.
    bool commit();
    void abandon();

    const std::string& error() const { return error_; }
    // The errno value when the file itself could not be written; 0 otherwise.
    int errorNumber() const { return errorNumber_; }
    int sheetCount() const { return sheets_; }
    // Distinct formats created so far.
    size_t formatCount() const;

private:
    struct State;
    bool fail(std::string message);

    std::filesystem::path target_;
    AtomicFileWriter file_;
    std::string scratchName_;  // where the library writes the scratch file
    std::unique_ptr<State> state_;
    int sheets_ = 0;
    bool failed_ = false;
    int errorNumber_ = 0;
    std::string error_;
};

}  // namespace mireva::excel
