// Writes sheet models into an .xlsx file, one sheet after the other. Each sheet's
// part is built as soon as the sheet is added and compressed on a second thread
// while the next sheet is laid out; finished parts go into the file in order, so
// memory stays flat however many sheets a report has and the writer holds one open
// file, the workbook's scratch file, whatever their number. Formats are shared: every
// distinct resolved cell format becomes one format of the workbook. The workbook goes
// through the one-step file replacement, so a failed or stopped export never leaves a
// broken or half-written file under the target name.
#pragma once

#include <filesystem>
#include <functional>
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

    bool open();
    // Takes the whole sheet; the model is not needed afterwards. False (see error())
    // for a name the file format refuses or a name already used, for a cell the format
    // cannot hold, and when writing the file has failed.
    bool addSheet(const SheetModel& sheet);
    // Finishes the file and puts it in place of the target. While the last sheets
    // are still being written `keepGoing` is asked every quarter of a second;
    // false from it abandons the workbook (the target keeps what it held, the scratch
    // file goes) and commit answers false with stopped() true.
    bool commit(const std::function<bool()>& keepGoing = {});
    void abandon();

    const std::string& error() const { return error_; }
    // The errno value when the file itself could not be written; 0 otherwise.
    int errorNumber() const { return errorNumber_; }
    bool stopped() const { return stopped_; }
    int sheetCount() const { return sheets_; }
    // Distinct formats created so far.
    size_t formatCount() const;

private:
    struct State;
    bool fail(std::string message);
    bool takeWorkerFailure();

    std::filesystem::path target_;
    AtomicFileWriter file_;
    std::unique_ptr<State> state_;
    int sheets_ = 0;
    bool failed_ = false;
    bool stopped_ = false;
    int errorNumber_ = 0;
    std::string error_;
};

}  // namespace mireva::excel
