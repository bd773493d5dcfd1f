// Printing, print preview, printer setup and PDF output of the format 1 report.
// Every request loads the worksheet, the selection and the report data once, plans
// the pages and renders the chosen pages from that one state.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>

#include "core/aggregation_summary.h"
#include "reports/report_page_renderer.h"

class QPagedPaintDevice;
class QPageSetupDialog;
class QPainter;
class QPrintDialog;
class QPrintPreviewDialog;
class QPrinter;
class QWidget;

namespace mireva::ui {

// What a report request reads: the worksheet, the current used-channel set and the
// settings file (for PrintData2; none: the defaults).
struct ReportSource {
    std::filesystem::path worksheet;
    AggregationSummary current;
    std::filesystem::path settings;
};

// Loads one job: the worksheet read once, PrintData2 read once.
ReportPageRenderer loadReport(const ReportSource& source);
// The same for a worksheet already loaded.
ReportPageRenderer loadReport(WorksheetLines worksheet, const AggregationSummary& current,
                              const std::filesystem::path& settingsFile);

// Draws pages `from` … `to` (1-based, inclusive) onto a device a painter is active
// on, each page on its own sheet.
void paintReportPages(QPainter& painter, QPagedPaintDevice& device, const ReportPageRenderer& report, int from, int to);

// Writes every page into a PDF file (A4 portrait). False, with a reason in `error`,
// when the file could not be written.
bool writeReportPdf(const ReportPageRenderer& report, const std::filesystem::path& path, std::string* error);

// "印刷するデータがありません。": told instead of starting a job without pages.
QString nothingToPrintText();
// "出力するチャンネルが選択されていません。": told instead of pages without any
// channel column (the workbook says the same).
QString noChannelSelectedText();
// "印刷を開始できませんでした。": the printer refused the job.
QString printFailedText();
// Printer setup without any printer installed.
QString noPrinterText();

// The print, preview and printer setup requests of the view. Keeps the printer, so
// the printer and paper chosen in a dialog stay for the later requests.
class ReportPrinting {
public:
    explicit ReportPrinting(QWidget* parent);
    ~ReportPrinting();

    // The print dialog with the page range 1 … page count, then the chosen pages. The
    // job is named `documentTitle`, or the report name when that is empty.
    void print(const ReportSource& source, const QString& documentTitle);
    // The print preview of pages 1 … page count, with paging, zoom, printing and closing.
    void preview(const ReportSource& source, const QString& documentTitle);
    // The page and paper setup of the printer.
    void printerSetup();

    QPrinter& printer() { return *printer_; }

    // Tests replace the modal dialogs: each hook gets the prepared dialog instead of
    // its exec() and returns whether it was accepted.
    struct DialogHooks {
        std::function<bool(QPrintDialog&)> print;
        std::function<bool(QPrintPreviewDialog&)> preview;
        std::function<bool(QPageSetupDialog&)> setup;
    };
    static void setDialogHooks(DialogHooks hooks);

private:
    // Names the job and asks for every page; false after telling the user when the
    // report has no page.
    bool startJob(const ReportPageRenderer& report, const QString& documentTitle);

    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
};

}  // namespace mireva::ui
