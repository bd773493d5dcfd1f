#include "reports/ui/report_printing.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPageSetupDialog>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

#include "uikit/message_boxes.h"
#include "uikit/qt_text.h"
#include "core/file_io.h"
#include "settings/settings_file.h"
#include "reports/ui/painter_report_canvas.h"

namespace mireva::ui {

namespace {

ReportPrinting::DialogHooks& hooks() {
    static ReportPrinting::DialogHooks h;
    return h;
}

constexpr int kPdfResolution = 1200;

// The job's name: the one asked for, else the report name of the report data, else
// the program's name. Print to file offers it as the file name.
QString jobName(const ReportPageRenderer& report, const QString& asked) {
    if (!asked.isEmpty()) return asked;
    const QString reportName = fromSj(report.data().report).trimmed();
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

void paintReportPages(QPainter& painter, QPagedPaintDevice& device, const ReportPageRenderer& report, int from,
                      int to) {
    from = std::max(from, 1);
    to = std::min(to, report.pageCount());
    const double dpi = device.logicalDpiY();
    for (int p = from; p <= to; ++p) {
        if (p > from) device.newPage();
        // The printable area can differ per sheet only through the layout; take it anew.
        const QRect area = device.pageLayout().paintRectPixels(static_cast<int>(dpi));
        PainterReportCanvas canvas(painter, QRectF(0, 0, area.width(), area.height()), dpi);
        report.render(canvas, p);
    }
}

bool writeReportPdf(const ReportPageRenderer& report, const std::filesystem::path& path, std::string* error) {
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
    paintReportPages(painter, writer, report, 1, report.pageCount());
    if (!painter.end()) {
        if (error) *error = "cannot write " + path.string();
        return false;
    }
    buffer.close();
    const QByteArray& bytes = buffer.data();
    return replaceFileContent(path, std::string_view(bytes.constData(), static_cast<size_t>(bytes.size())), error);
}

void ReportPrinting::setDialogHooks(DialogHooks h) { hooks() = std::move(h); }

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
    const int pages = report.pageCount();
    QPrintDialog dialog(printer_.get(), parent_);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    dialog.setMinMax(1, pages);
    dialog.setFromTo(1, pages);
    const bool accepted = hooks().print ? hooks().print(dialog) : dialog.exec() == QDialog::Accepted;
    if (!accepted) return;
    const auto [from, to] = chosenPages(*printer_, pages);
    QPainter painter;
    if (!painter.begin(printer_.get())) {
        MessageBoxes::error(parent_, printFailedText());
        return;
    }
    paintReportPages(painter, *printer_, report, from, to);
    painter.end();
}

void ReportPrinting::preview(const ReportSource& source, const QString& documentTitle) {
    const ReportPageRenderer report = loadReport(source);
    if (!startJob(report, documentTitle)) return;
    const int pages = report.pageCount();
    QPrintPreviewDialog dialog(printer_.get(), parent_);
    dialog.setWindowTitle(QStringLiteral("%1 - %2").arg(MessageBoxes::caption(), printer_->docName()));
    // The preview's own print button prints through the same code; a page range
    // chosen in its print dialog limits what goes to the printer.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, [&report, pages](QPrinter* printer) {
        const auto [from, to] = chosenPages(*printer, pages);
        QPainter painter(printer);
        paintReportPages(painter, *printer, report, from, to);
    });
    if (hooks().preview)
        hooks().preview(dialog);
    else
        dialog.exec();
    printer_->setPrintRange(QPrinter::AllPages);
}

QString noPrinterText() {
    return QStringLiteral("使用できるプリンターがありません。\n印刷ダイアログでPDFファイルへの出力を選べます。");
}

void ReportPrinting::printerSetup() {
    // Page setup works on a real printer only; without one, say so instead of nothing.
    if (!hooks().setup && printer_->outputFormat() != QPrinter::NativeFormat) {
        MessageBoxes::inform(parent_, noPrinterText());
        return;
    }
    QPageSetupDialog dialog(printer_.get(), parent_);
    if (hooks().setup)
        hooks().setup(dialog);
    else
        dialog.exec();
}

}  // namespace mireva::ui
