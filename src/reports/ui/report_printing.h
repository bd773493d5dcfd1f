// Printing, print preview, printer setup and PDF output of the format 1 report.
// Every request loads the worksheet, the selection and the report data once, plans
// the pages and renders the chosen pages from that one state.
#pragma once

#include <QString>

#include <filesystem>
#include <functional>
#include <memory>
#include <utility>

#include "core/aggregation_summary.h"
#include "core/progress.h"
#include "reports/report_page_renderer.h"

class QAction;
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
// on, each page on its own sheet. `progress` hears the pages drawn of the pages asked
// for, before each page; false when it asked to stop (the pages drawn so far stay).
bool paintReportPages(QPainter& painter, QPagedPaintDevice& device, const ReportPageRenderer& report, int from, int to,
                      const ProgressCallback& progress = {});

// Writes every page into a PDF file (A4 portrait). False, with a reason in `error`,
// when the file could not be written; false with `cancelled` set when `progress`
// stopped it. The file is written only when every page is done: a stopped or failed
// output leaves an earlier file as it was.
bool writeReportPdf(const ReportPageRenderer& report, const std::filesystem::path& path, std::string* error,
                    const ProgressCallback& progress = {}, bool* cancelled = nullptr);

// "印刷するデータがありません。": told instead of starting a job without pages.
QString nothingToPrintText();
// "出力するチャンネルが選択されていません。": told instead of pages without any
// channel column (the workbook says the same).
QString noChannelSelectedText();
// "印刷を開始できませんでした。": the printer refused the job.
QString printFailedText();
// Printer setup without any printer installed.
QString noPrinterText();
// What the progress dialogs of printing and of the preview's pages say.
QString printProgressTitle();    // "印刷しています。"
QString previewProgressTitle();  // "印刷プレビューを作成しています。"
// "PDFファイルを保存できませんでした。", the file and the reason.
QString pdfFailedText(const QString& file, const std::string& reason);
// The print button of a preview's toolbar.
QAction* previewPrintAction(QPrintPreviewDialog& dialog);

// The print, preview and printer setup requests of the view. Keeps the printer, so
// the printer and paper chosen in a dialog stay for the later requests.
class ReportPrinting {
public:
    explicit ReportPrinting(QWidget* parent);
    ~ReportPrinting();

    // The print dialog with the page range 1 … page count, then the chosen pages with a
    // progress dialog the user can cancel. The job is named `documentTitle`, or the
    // report name when that is empty. Printed to a PDF file, the file is put in place
    // when every page is done.
    void print(const ReportSource& source, const QString& documentTitle);
    // The print preview of pages 1 … page count, with paging, zoom, printing (the same
    // print dialog and printing as print()) and closing.
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
    static void setDialogHooks(DialogHooks hooks) { hooks_ = std::move(hooks); }

private:
    // Names the job and asks for every page; false after telling the user when the
    // report has no page.
    bool startJob(const ReportPageRenderer& report, const QString& documentTitle);
    // The print dialog over `dialogParent`, then printPages(); false when it was not accepted.
    bool printWithDialog(const ReportPageRenderer& report, QWidget* dialogParent);
    // The chosen pages onto the printer, with progress over `owner`; cancel aborts the job.
    void printPages(const ReportPageRenderer& report, QWidget* owner);

    QWidget* parent_;
    std::unique_ptr<QPrinter> printer_;
    static inline DialogHooks hooks_;
};

}  // namespace mireva::ui
