// The workbook writer as it was built over libxlsxwriter (constant-memory mode), kept
// for the tests as the reference the package writer is compared with: the same sheet
// models must give the same parts.
#pragma once

#include <filesystem>
#include <memory>
#include <string>

#include "core/file_io.h"
#include "excel/sheet_model.h"

namespace mireva::test {

class ReferenceXlsxWriter {
public:
    explicit ReferenceXlsxWriter(std::filesystem::path target);
    ~ReferenceXlsxWriter();  // abandons an uncommitted workbook
    ReferenceXlsxWriter(const ReferenceXlsxWriter&) = delete;
    ReferenceXlsxWriter& operator=(const ReferenceXlsxWriter&) = delete;

    bool open();
    // Writes the whole sheet; the model is not needed afterwards. False (see error())
    // for a name the file format refuses or a name already used, and when the sheet
    // cannot be created.
    bool addSheet(const excel::SheetModel& sheet);
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

}  // namespace mireva::test
