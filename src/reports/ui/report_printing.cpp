#include "reports/ui/report_printing.h"

#include <QAction>
#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include <cerrno>
#include <optional>

#include "uikit/message_boxes.h"
#include "uikit/qt_path.h"
#include "uikit/qt_text.h"
#include "uikit/work_progress_dialog.h"
#include "core/error_reason.h"
#include "core/file_io.h"
#include "settings/settings_file.h"
#include "reports/ui/painter_report_canvas.h"

namespace mireva::ui {

namespace {

constexpr int kPdfResolution = 1200;

// The job's name: the one asked for, else the report name of the report data, else
// the program's name. Print to file offers it as the file name.
QString jobName(const ReportPageRenderer& report, const QString& asked) {
    if (!asked.isEmpty()) return asked;
    const QString reportName = fromSj(SjView{report.data().report}).trimmed();
    return reportName.isEmpty() ? MessageBoxes::caption() : reportName;
}
constexpr double kPdfMarginMm = 5.0;  // like the unprintable edge of an office printer

}  // namespace

QString nothingToPrintText() { return QStringLiteral("印刷するデータがありません。"); }
QString noChannelSelectedText() { return QString::fromUtf8(kNoChannelSelectedText); }
QString printFailedText() { return QStringLiteral("印刷を開始できませんでした。"); }

ReportPageRenderer loadReport(const ReportSource& source) {
    WorksheetLines worksheet;
    worksheet.load(source.worksheet);  // an unreadable worksheet is an empty report
    return loadReport(std::move(worksheet), source.current, source.settings);
}

ReportPageRenderer loadReport(WorksheetLines worksheet, const AggregationSummary& current,
                              const std::filesystem::path& settingsFile) {
    ReportSettings settings = ReportSettings::defaults();
    if (!settingsFile.empty()) SettingsFile(settingsFile).readPrintData2(settings);
    return ReportPageRenderer(std::move(worksheet), current, settings.printData2);
}

bool paintReportPages(QPainter& painter, QPagedPaintDevice& device, const ReportPageRenderer& report, int from, int to,
                      const ProgressCallback& progress) {
    from = std::max(from, 1);
    to = std::min(to, report.pageCount());
    const double dpi = device.logicalDpiY();
    const int total = std::max(0, to - from + 1);
    for (int p = from; p <= to; ++p) {
        if (!reportProgress(progress, p - from, total)) return false;
        if (p > from) device.newPage();
        // The printable area can differ per sheet only through the layout; take it anew.
        const QRect area = device.pageLayout().paintRectPixels(static_cast<int>(dpi));
        PainterReportCanvas canvas(painter, QRectF(0, 0, area.width(), area.height()), dpi);
        report.render(canvas, p);
    }
    return reportProgress(progress, total, total);
}

bool writeReportPdf(const ReportPageRenderer& report, const std::filesystem::path& path, std::string* error,
                    const ProgressCallback& progress, bool* cancelled) {
    if (cancelled) *cancelled = false;
    // The document is built in memory and then replaces the file in one step, so an
    // earlier report of the same name is never left half overwritten.
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(kPdfResolution);
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                     QMarginsF(kPdfMarginMm, kPdfMarginMm, kPdfMarginMm, kPdfMarginMm),
                                     QPageLayout::Millimeter));
    writer.setCreator(QStringLiteral("Mireva３"));
    QPainter painter;
    if (!painter.begin(&writer)) {
        if (error) *error = "cannot write " + path.string();
        return false;
    }
    if (!paintReportPages(painter, writer, report, 1, report.pageCount(), progress)) {
        painter.end();
        if (cancelled) *cancelled = true;
        return false;  // nothing was written: the document lives in memory until here
    }
    if (!painter.end()) {
        if (error) *error = "cannot write " + path.string();
        return false;
    }
    buffer.close();
    const QByteArray& bytes = buffer.data();
    return replaceFileContent(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

ReportPrinting::ReportPrinting(QWidget* parent)
    : parent_(parent), printer_(std::make_unique<QPrinter>(QPrinter::HighResolution)) {
    printer_->setPageSize(QPageSize(QPageSize::A4));
    printer_->setPageOrientation(QPageLayout::Portrait);
}

ReportPrinting::~ReportPrinting() = default;

namespace {

// The pages the print dialog chose: its page range, or every page.
std::pair<int, int> chosenPages(const QPrinter& printer, int pages) {
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() <= 0) return {1, pages};
    return {printer.fromPage(), printer.toPage() > 0 ? printer.toPage() : pages};
}

}  // namespace

bool ReportPrinting::startJob(const ReportPageRenderer& report, const QString& documentTitle) {
    if (report.pageCount() == 0) {
        MessageBoxes::inform(parent_, nothingToPrintText());
        return false;
    }
    if (!report.plan().hasSelectedChannel()) {
        MessageBoxes::inform(parent_, noChannelSelectedText());
        return false;
    }
    printer_->setDocName(jobName(report, documentTitle));
    printer_->setPrintRange(QPrinter::AllPages);
    return true;
}

void ReportPrinting::print(const ReportSource& source, const QString& documentTitle) {
    const ReportPageRenderer report = loadReport(source);
    if (!startJob(report, documentTitle)) return;
    printWithDialog(report, parent_);
}

bool ReportPrinting::printWithDialog(const ReportPageRenderer& report, QWidget* dialogParent) {
    const int pages = report.pageCount();
    QPrintDialog dialog(printer_.get(), dialogParent);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    const bool accepted = hooks_.print ? hooks_.print(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted) return false;
    printPages(report, dialogParent);
    return true;
}

void ReportPrinting::printPages(const ReportPageRenderer& report, QWidget* owner) {
    const auto [from, to] = chosenPages(*printer_, report.pageCount());
    // A PDF file goes through the one-step replacement: the printer writes into the
    // open scratch file beside it, which replaces the file when every page is done, so
    // a cancelled or failed output leaves an earlier file as it was.
    const QString target = printer_->outputFormat() == QPrinter::PdfFormat ? printer_->outputFileName() : QString();
    std::optional<AtomicFileWriter> file;
    if (!target.isEmpty()) {
        file.emplace(toPath(target));
        if (!file->open()) {
            MessageBoxes::error(owner, pdfFailedText(target, errorReason(file->errorNumber())));
            return;
        }
        printer_->setOutputFileName(pathText(file->scratchAccessPath()));
    }
    // The printer keeps the name the user chose for the next job.
    const auto restoreTarget = [&] {
        if (file) printer_->setOutputFileName(target);
    };

    QPainter painter;
    if (!painter.begin(printer_.get())) {
        restoreTarget();
        if (!file) {
            MessageBoxes::error(owner, printFailedText());
            return;
        }
        file->abandon();
        MessageBoxes::error(owner, pdfFailedText(target, errorReason(EIO)));
        return;
    }
    bool painted = false;
    {
        WorkProgressDialog progress(owner, printProgressTitle(), WorkProgressDialog::Unit::Pages);
        painted = paintReportPages(painter, *printer_, report, from, to, progress.callback());
    }
    if (!painted) printer_->abort();  // the job goes nowhere: no sheet, no file
    const bool ended = painter.end();
    restoreTarget();
    if (!file) return;
    if (!painted || !ended) {
        file->abandon();
        if (painted) MessageBoxes::error(owner, pdfFailedText(target, errorReason(EIO)));
        return;
    }
    if (!file->commit()) MessageBoxes::error(owner, pdfFailedText(target, errorReason(file->errorNumber())));
}

QString printProgressTitle() { return QStringLiteral("印刷しています。"); }
QString previewProgressTitle() { return QStringLiteral("印刷プレビューを作成しています。"); }

QString pdfFailedText(const QString& file, const std::string& reason) {
    return QStringLiteral("PDFファイルを保存できませんでした。\n%1\n%2")
        .arg(QDir::toNativeSeparators(file), QString::fromStdString(reason));
}

QAction* previewPrintAction(QPrintPreviewDialog& dialog) {
    const QString print = QCoreApplication::translate("QPrintPreviewDialog", "Print");
    for (QAction* action : dialog.findChildren<QAction*>())
        if (action->text() == print) return action;
    return nullptr;
}

void ReportPrinting::preview(const ReportSource& source, const QString& documentTitle) {
    const ReportPageRenderer report = loadReport(source);
    if (!startJob(report, documentTitle)) return;
    const int pages = report.pageCount();
    QPrintPreviewDialog dialog(printer_.get(), parent_);
    dialog.setWindowTitle(QStringLiteral("%1 - %2").arg(MessageBoxes::caption(), printer_->docName()));
    // Generating the pages can take a while: progress with キャンセル, which closes the
    // preview instead of showing part of the report.
    bool cancelled = false;
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&](QPrinter* printer) {
        if (cancelled) return;
        const auto [from, to] = chosenPages(*printer, pages);
        QPainter painter(printer);
        WorkProgressDialog progress(parent_, previewProgressTitle(), WorkProgressDialog::Unit::Pages);
        if (!paintReportPages(painter, *printer, report, from, to, progress.callback())) {
            cancelled = true;
            QMetaObject::invokeMethod(&dialog, &QDialog::reject, Qt::QueuedConnection);
        }
    });
    // The preview's own print button asks with the page range 1 … page count, as
    // ファイル → 印刷 does, and prints through the same code; the preview then closes.
    if (QAction* print = previewPrintAction(dialog)) {
        QObject::disconnect(print, nullptr, &dialog, nullptr);
        QObject::connect(print, &QAction::triggered, &dialog, [&] {
            if (printWithDialog(report, &dialog)) dialog.accept();
        });
    }
    if (hooks_.preview)
        hooks_.preview(dialog);
    else
        dialog.exec();
    printer_->setPrintRange(QPrinter::AllPages);
}

QString noPrinterText() {
    return QStringLiteral("使用できるプリンターがありません。\n印刷ダイアログでPDFファイルへの出力を選べます。");
}

void ReportPrinting::printerSetup() {
    // Page setup works on a real printer only; without one, say so instead of nothing.
    if (!hooks_.setup && printer_->outputFormat() != QPrinter::NativeFormat) {
        MessageBoxes::inform(parent_, noPrinterText());
        return;
    }
    QPageSetupDialog dialog(printer_.get(), parent_);
    if (hooks_.setup)
        hooks_.setup(dialog);
    else
        dialog.exec();
}

}  // namespace mireva::ui
