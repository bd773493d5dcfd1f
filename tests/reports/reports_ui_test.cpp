#include <QAction>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPdfWriter>
#include <QProgressDialog>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <filesystem>

#include "settings/settings_file.h"
#include "uikit/message_boxes.h"
#include "uikit/work_progress_dialog.h"
#include "reports/ui/painter_report_canvas.h"
#include "reports/ui/report_face.h"
#include "reports/ui/report_data_form.h"
#include "reports/ui/report_printing.h"
#include "support/scripted_dialogs.h"
#include "support/test_support.h"

namespace mireva::ui {
namespace {
namespace fs = std::filesystem;
using test::cp;

// A worksheet file of `places` places whose channels 0–2 hold values.
std::string worksheetBytes(int places) {
    std::string names = "a,b,c,d,e";
    for (int c = 0; c < kChannelCount; ++c) names += "," + std::to_string(13 + c);
    std::string out = "groups\r\n" + names + "\r\n";
    const char* kinds[] = {"周波数", "局発", "レベル", "BER A", "BER", "BER C", "MER", "C/N"};
    for (int p = 1; p <= places; ++p)
        for (int k = 0; k < kRowsPerPlace; ++k) {
            std::string line = "2026/12/01,10:00," + cp("居間" + std::to_string(p) + ":" + kinds[k]) + ",m,o";
            for (int c = 0; c < kChannelCount; ++c) line += c < 3 ? ",45." + std::to_string(c) : "," + cp("－");
            out += line + "\r\n";
        }
    return out;
}

int pdfPages(const fs::path& pdf) {
    QProcess info;
    info.start("pdfinfo", {QString::fromStdString(pdf.string())});
    if (!info.waitForFinished(20000) || info.exitCode() != 0) return -1;
    for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n'))
        if (line.startsWith("Pages:")) return line.mid(6).trimmed().toInt();
    return -1;
}

class ReportUi : public ::testing::Test {
protected:
    void TearDown() override { ReportPrinting::setDialogHooks({}); }

    ReportSource source(int places) {
        test::writeFile(worksheet, worksheetBytes(places));
        ReportSource s;
        s.worksheet = worksheet;
        s.settings = ini;
        s.current.channelHasValue[0] = s.current.channelHasValue[1] = s.current.channelHasValue[2] = 1;
        s.current.merPresent = s.current.cnPresent = 1;
        return s;
    }

    test::TempDir dir;
    fs::path worksheet = dir.dataFolder() / "worksheet.csv";
    fs::path ini = dir.dataFolder() / "Mireva.ini";
    test::ScriptedDialogs dialogs;
};

// ---- report data form ----

TEST_F(ReportUi, FreshFormShowsDefaultsUnderTheFormatName) {
    CSetDoc2Dlg form(ini);
    EXPECT_EQ(form.windowTitle(), "フォーマット１");
    for (int f = 0; f < CSetDoc2Dlg::FieldCount; ++f) {
        const auto field = static_cast<CSetDoc2Dlg::Field>(f);
        const QString expected = field == CSetDoc2Dlg::Report   ? "報告書"
                                 : field == CSetDoc2Dlg::Footer ? "ＯＲＶＡＮＥ株式会社"
                                                                : "";
        EXPECT_EQ(form.edit(field)->text(), expected) << f;
    }
    EXPECT_TRUE(form.saveButton()->isDefault());
    EXPECT_EQ(form.saveButton()->text(), "保存");
    EXPECT_EQ(form.cancelButton()->text(), "キャンセル");
}

TEST_F(ReportUi, FormatNameFromTheSettingsFileCaptionsTheForm) {
    test::writeFile(ini, cp("[FormatName]\r\nFORMAT1=月次点検報告\r\n"));
    CSetDoc2Dlg form(ini);
    EXPECT_EQ(form.windowTitle(), "月次点検報告");
}

TEST_F(ReportUi, EditsAcceptTypingUpToTheirLimits) {
    CSetDoc2Dlg form(ini);
    const int limits[] = {16, 16, 16, 10, 16, 16, 16, 16, 16, 60};
    for (int f = 0; f < CSetDoc2Dlg::FieldCount; ++f) {
        QLineEdit* edit = form.edit(static_cast<CSetDoc2Dlg::Field>(f));
        edit->clear();
        QTest::keyClicks(edit, QString(80, QChar('x')));
        EXPECT_EQ(edit->text().size(), limits[f]) << f;
    }
}

TEST_F(ReportUi, LongerStoredValueIsShownInFullAndCannotGrow) {
    const std::string longName = "12345678901234567890";  // 20 characters in a 10-character box
    test::writeFile(ini, "[PrintData2]\r\nPROPERNAME=" + longName + "\r\n");
    CSetDoc2Dlg form(ini);
    QLineEdit* edit = form.edit(CSetDoc2Dlg::ProperName);
    EXPECT_EQ(edit->text().toStdString(), longName);
    edit->end(false);
    QTest::keyClicks(edit, "abc");
    EXPECT_EQ(edit->text().toStdString(), longName);
    QTest::keyClick(edit, Qt::Key_Backspace);
    EXPECT_EQ(edit->text().size(), 19);
    form.saveButton()->click();
    ReportSettings back;
    SettingsFile(ini).readPrintData2(back);
    EXPECT_EQ(back.printData2.properName, longName.substr(0, 19));
}

TEST_F(ReportUi, SaveWritesTheTenKeysAndCancelWritesNothing) {
    {
        CSetDoc2Dlg form(ini);
        form.edit(CSetDoc2Dlg::Title)->setText("受信レベル");
        form.edit(CSetDoc2Dlg::Footer)->clear();
        form.saveButton()->click();
        EXPECT_EQ(form.result(), QDialog::Accepted);
    }
    const std::string saved = test::readFile(ini);
    EXPECT_NE(saved.find(cp("[PrintData2]\r\nREPORT=報告書\r\nSUBJECT=\r\nTITLE=受信レベル\r\nPROPERNAME=\r\n"
                            "MEASUREDATE=\r\nWEATHER=\r\nMEASURENAME=\r\nMEASUREEQUIP=\r\nFOOTER=\r\nADDNOTE=\r\n")),
              std::string::npos)
        << test::u8(saved);
    {
        CSetDoc2Dlg form(ini);
        EXPECT_EQ(form.edit(CSetDoc2Dlg::Title)->text(), "受信レベル") << "reopening reads the file again";
        form.edit(CSetDoc2Dlg::Title)->setText("変更");
        form.cancelButton()->click();
        EXPECT_EQ(form.result(), QDialog::Rejected);
    }
    EXPECT_EQ(test::readFile(ini), saved);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReportUi, FailedSaveIsReportedAndTheFormStaysOpen) {
    const fs::path blocker = dir / "not-a-folder";
    test::writeFile(blocker, "x");
    CSetDoc2Dlg form(blocker / "Mireva.ini");
    form.show();
    form.edit(CSetDoc2Dlg::Weather)->setText("雨");
    form.saveButton()->click();
    ASSERT_EQ(dialogs.messages.size(), 1u);
    EXPECT_TRUE(dialogs.messages[0].text.startsWith("印刷データを保存できませんでした。"))
        << dialogs.texts().join("|").toStdString();
    EXPECT_EQ(dialogs.messages[0].icon, MessageIcon::Error);
    EXPECT_TRUE(form.isVisible());
    EXPECT_EQ(form.edit(CSetDoc2Dlg::Weather)->text(), "雨");
}

// ---- print, preview, printer setup ----

TEST_F(ReportUi, NothingToPrintIsToldInsteadOfOpeningADialog) {
    bool opened = false;
    ReportPrinting::setDialogHooks(
        {[&](QPrintDialog&) { return opened = true; }, [&](QPrintPreviewDialog&) { return opened = true; }, {}});
    ReportPrinting printing(nullptr);
    printing.print(source(0), "site");
    printing.preview(source(0), "site");
    ReportSource missing;
    missing.worksheet = dir / "missing.csv";
    printing.print(missing, "site");
    EXPECT_FALSE(opened);
    EXPECT_EQ(dialogs.texts(), QStringList({nothingToPrintText(), nothingToPrintText(), nothingToPrintText()}));
}

// Places but no channel: one message, as the workbook gives, and no dialog or page.
TEST_F(ReportUi, NoChannelSelectedIsToldInsteadOfPrintingEmptyPages) {
    bool opened = false;
    ReportPrinting::setDialogHooks(
        {[&](QPrintDialog&) { return opened = true; }, [&](QPrintPreviewDialog&) { return opened = true; }, {}});
    ReportPrinting printing(nullptr);
    ReportSource none = source(3);
    none.current.channelHasValue = {};
    printing.print(none, "site");
    printing.preview(none, "site");
    EXPECT_FALSE(opened);
    EXPECT_EQ(dialogs.texts(), QStringList({noChannelSelectedText(), noChannelSelectedText()}));
    EXPECT_EQ(noChannelSelectedText(), QString::fromUtf8(kNoChannelSelectedText));
}

TEST_F(ReportUi, PrintDialogOffersThePageRangeAndPrintsTheChosenPages) {
    const fs::path pdf = dir / "printed.pdf";
    int minPage = 0, maxPage = 0;
    ReportPrinting::setDialogHooks({[&](QPrintDialog& dialog) {
                                        minPage = dialog.minPage();
                                        maxPage = dialog.maxPage();
                                        QPrinter* printer = dialog.printer();
                                        printer->setOutputFormat(QPrinter::PdfFormat);
                                        printer->setOutputFileName(QString::fromStdString(pdf.string()));
                                        printer->setPrintRange(QPrinter::PageRange);
                                        printer->setFromTo(2, 4);
                                        return true;
                                    },
                                    {},
                                    {}});
    ReportPrinting printing(nullptr);
    printing.print(source(25), "現場A");  // 3 row blocks × 2 groups
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, 6);
    EXPECT_EQ(printing.printer().docName(), "現場A");
    EXPECT_EQ(pdfPages(pdf), 3);
    EXPECT_TRUE(dialogs.messages.empty());
}

TEST_F(ReportUi, CancelledPrintDialogPrintsNothing) {
    const fs::path pdf = dir / "never.pdf";
    ReportPrinting::setDialogHooks({[&](QPrintDialog& dialog) {
                                        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
                                        dialog.printer()->setOutputFileName(QString::fromStdString(pdf.string()));
                                        return false;
                                    },
                                    {},
                                    {}});
    ReportPrinting printing(nullptr);
    printing.print(source(3), "site");
    EXPECT_FALSE(fs::exists(pdf));
}

TEST_F(ReportUi, PreviewShowsEveryPageOfThePlan) {
    int previewPages = -1;
    ReportPrinting::setDialogHooks({{},
                                    [&](QPrintPreviewDialog& dialog) {
                                        auto* widget = dialog.findChild<QPrintPreviewWidget*>();
                                        if (!widget) return false;
                                        widget->updatePreview();
                                        previewPages = widget->pageCount();
                                        return true;
                                    },
                                    {}});
    ReportPrinting printing(nullptr);
    printing.preview(source(11), "site");
    EXPECT_EQ(previewPages, 4);
}

TEST_F(ReportUi, PrinterSetupChoiceStaysForLaterRequests) {
    ReportPrinting::setDialogHooks({{}, {}, [&](QPageSetupDialog& dialog) {
                                        dialog.printer()->setPageOrientation(QPageLayout::Landscape);
                                        return true;
                                    }});
    ReportPrinting printing(nullptr);
    printing.printerSetup();
    EXPECT_EQ(printing.printer().pageLayout().orientation(), QPageLayout::Landscape);
}

TEST_F(ReportUi, PrinterSetupWithoutAPrinterSaysSo) {
    ReportPrinting printing(nullptr);
    if (printing.printer().outputFormat() == QPrinter::NativeFormat) GTEST_SKIP() << "a printer is installed here";
    printing.printerSetup();
    EXPECT_EQ(dialogs.texts(), QStringList{noPrinterText()});
}

// ---- the painter canvas ----

// Bounding box of the dark pixels of an image.
QRect inkBox(const QImage& image) {
    int left = image.width(), top = image.height(), right = -1, bottom = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qGray(image.pixel(x, y)) < 200) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

QImage blankImage(int width, int height, int dpi) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(qRound(dpi / 0.0254));
    image.setDotsPerMeterY(qRound(dpi / 0.0254));
    return image;
}

TEST(PainterReportCanvas, TextSitsUprightInsideItsCellBelowTheTopLeftCorner) {
    const int dpi = 100;
    QImage image = blankImage(800, 1140, dpi);  // 203 × 290 mm: A4 needs no scaling
    {
        QPainter painter(&image);
        PainterReportCanvas canvas(painter, QRectF(0, 0, image.width(), image.height()), dpi);
        ASSERT_EQ(canvas.fit(), 1.0);
        canvas.text(1000, 4000, 500, sj("試験"));
    }
    const double s = dpi / 2540.0;
    const QRect ink = inkBox(image);
    ASSERT_TRUE(ink.isValid());
    // The cell spans y 4000 down to 3500 (y upward), x from 1000 on.
    EXPECT_GE(ink.top(), qFloor(image.height() - 4000 * s) - 1);
    EXPECT_LE(ink.bottom(), qCeil(image.height() - 3500 * s) + 1);
    EXPECT_GE(ink.left(), qFloor(1000 * s) - 1);
    EXPECT_GT(ink.height(), 500 * s * 0.5) << "the glyphs fill most of the cell";
}

TEST(PainterReportCanvas, LinesMapWithYUpwardFromTheBottomEdge) {
    const int dpi = 127;  // five pixels per millimetre
    QImage image = blankImage(1000, 1450, dpi);
    {
        QPainter painter(&image);
        // The printable area starts 10 mm from the image's left and top edges.
        PainterReportCanvas canvas(painter, QRectF(50, 50, 950, 1400), dpi);
        canvas.setPen(ReportPen::Frame);
        canvas.line(1000, 500, 3000, 500);  // 10–30 mm across, 5 mm above the bottom edge
    }
    const QRect ink = inkBox(image);
    EXPECT_NEAR(ink.center().y(), 1450 - 25, 2);
    EXPECT_NEAR(ink.left(), 50 + 50, 2);
    EXPECT_NEAR(ink.right(), 50 + 150, 2);
}

TEST(PainterReportCanvas, SmallOrLandscapePaperShowsTheWholePageScaledDown) {
    const int dpi = 50;
    struct Paper {
        const char* what;
        int widthMm, heightMm;
        bool scaled;
    };
    const Paper papers[] = {{"A4 portrait", 200, 287, false}, {"A4 landscape", 287, 200, true}, {"A5", 138, 200, true}};
    ReportPageRenderer report{WorksheetDocument(), AggregationSummary(), PrintData2()};
    for (const Paper& paper : papers) {
        const int w = paper.widthMm * dpi * 10 / 254, h = paper.heightMm * dpi * 10 / 254;
        QImage image = blankImage(w, h, dpi);
        double fit = 0;
        {
            QPainter painter(&image);
            PainterReportCanvas canvas(painter, QRectF(0, 0, w, h), dpi);
            fit = canvas.fit();
            report.render(canvas, 1);
        }
        EXPECT_EQ(fit < 1.0, paper.scaled) << paper.what;
        const QRect ink = inkBox(image);
        ASSERT_TRUE(ink.isValid()) << paper.what;
        EXPECT_LT(ink.right(), w - 1) << paper.what;
        const double frameHeight = 25000 * dpi / 2540.0 * fit;
        EXPECT_NEAR(ink.height(), frameHeight, frameHeight * 0.03 + 3)
            << paper.what << ": the whole frame is on the sheet";
    }
}

}  // namespace
}  // namespace mireva::ui

namespace mireva::ui {
namespace {

// ---- the PDF end to end, and the batch command ----

QString run(const QString& program, const QStringList& args, int* exitCode = nullptr, QString* errors = nullptr) {
    QProcess process;
    process.start(program, args);
    process.waitForFinished(60000);
    if (exitCode) *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (errors) *errors = QString::fromUtf8(process.readAllStandardError());
    return QString::fromUtf8(process.readAllStandardOutput());
}

QString path(const fs::path& p) { return QString::fromStdString(p.string()); }

TEST_F(ReportUi, PdfPagesCarryTheLayoutAndTheTexts) {
    ReportSource s = source(2);
    test::writeFile(ini, cp("[PrintData2]\r\nPROPERNAME=メゾン若葉\r\nTITLE=受信レベル表\r\n"));
    const ReportPageRenderer report = loadReport(s);
    ASSERT_EQ(report.pageCount(), 2);
    const fs::path pdf = dir / "report.pdf";
    std::string error;
    ASSERT_TRUE(writeReportPdf(report, pdf, &error)) << error;
    EXPECT_EQ(pdfPages(pdf), 2);

    // The texts are real text in the file, in the right order on the page.
    const QString text = run("pdftotext", {"-layout", "-f", "1", "-l", "1", path(pdf), "-"});
    for (const char* expected : {"物件名：", "メゾン若葉", "受信レベル表", "No.", "設置場所", "地デジ", "13", "居間1",
                                 "居間2", "45.0", "周波数", "追記事項", "No. 1", "ＯＲＶＡＮＥ株式会社"})
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n" << text.toStdString();
    EXPECT_LT(text.indexOf("物件名"), text.indexOf("居間1"));
    EXPECT_LT(text.indexOf("居間1"), text.indexOf("ＯＲＶＡＮＥ"));

    // Turned into an image, the frame lies where the layout puts it: 5 mm margins,
    // frame from 16.5 mm to 186.5 mm across and 25 mm to 275 mm above the bottom margin.
    run("pdftoppm", {"-r", "50", "-f", "1", "-l", "1", "-png", path(pdf), path(dir / "page")});
    QImage page(path(dir / "page-1.png"));
    ASSERT_FALSE(page.isNull());
    const double pxPerMm = 50 / 25.4;
    const QRect ink = inkBox(page);
    EXPECT_NEAR(ink.left(), (5 + 16.5) * pxPerMm, 2);
    EXPECT_NEAR(ink.right(), (5 + 186.5) * pxPerMm, 2);
    EXPECT_NEAR(ink.top(), (297 - 5 - 275) * pxPerMm, 2);
    EXPECT_GT(ink.bottom(), (297 - 5 - 25) * pxPerMm) << "the footer sits below the frame";
}

// Texts the PDF text layer used to lose: digits and letters inside mixed runs, and
// ideographs that share their glyph with a radical. Each drawn on its own line comes
// back from the file as exactly what was drawn.
TEST_F(ReportUi, PdfTextLayerGivesBackExactlyTheDrawnTexts) {
    const char* texts[] = {"1F101号室", "BS-1",   "1.8E-07", "No. 1", "各戸端子の受信レベル",
                           "共用部",    "試験日", "日",      "月",    "一",
                           "子",        "戸",     "用",      "山",    "田",
                           "木",        "雨",     "面"};
    const fs::path pdf = dir / "texts.pdf";
    {
        QPdfWriter writer(path(pdf));
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::A4));
        writer.setPageMargins(QMarginsF(5, 5, 5, 5), QPageLayout::Millimeter);
        QPainter painter(&writer);
        const QRect area = writer.pageLayout().paintRectPixels(1200);
        PainterReportCanvas canvas(painter, QRectF(0, 0, area.width(), area.height()), 1200);
        int top = 27000;
        for (const char* t : texts) {
            canvas.text(2000, top, 300, toCp932(t));
            top -= 1200;
        }
    }
    QStringList lines;
    for (const QString& line : run("pdftotext", {path(pdf), "-"}).split('\n'))
        if (!line.trimmed().isEmpty()) lines << line.trimmed();
    QStringList expected;
    for (const char* t : texts) expected << QString::fromUtf8(t);
    EXPECT_EQ(lines, expected) << lines.join('|').toStdString();
    EXPECT_TRUE(run("pdffonts", {path(pdf)}).contains("MirevaReportGothic")) << "the report face is embedded";
}

TEST(ReportFace, BuildFolderProgramsUseTheBuildCopyInstalledOnesTheirPrefix) {
    EXPECT_EQ(reportFaceFile(QStringLiteral(MIREVA_BINARY_DIR "/src/app")).toStdString(),
              MIREVA_BINARY_DIR "/share/mireva/fonts/mireva-report-gothic.ttf");
    EXPECT_EQ(reportFaceFile("/opt/stage/usr/bin").toStdString(),
              "/opt/stage/usr/share/mireva/fonts/mireva-report-gothic.ttf");
    EXPECT_EQ(reportBaseFont().family().toStdString(), "Mireva Report Gothic");
}

TEST_F(ReportUi, PdfOverAnExistingFileReplacesItOnlyWhenComplete) {
    const fs::path pdf = dir / "report.pdf";
    test::writeFile(pdf, "old");
    const ReportPageRenderer report = loadReport(source(1));
    std::string error;
    ASSERT_TRUE(writeReportPdf(report, pdf, &error));
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_FALSE(writeReportPdf(report, dir / "no-such-folder" / "r.pdf", &error));
    EXPECT_FALSE(error.empty());
}

// ---- progress and cancel ----

// Cancels the progress dialog once `done` reaches `at`; keeps every text shown.
struct CancelAt {
    explicit CancelAt(int at) : at(at) {
        WorkProgressDialog::setObserver([this](WorkProgressDialog& dialog, int done, int) {
            shown << dialog.countText();
            if (QPushButton* b = dialog.dialog()->findChild<QPushButton*>()) cancelText = b->text();
            if (done >= this->at) dialog.cancel();
        });
    }
    ~CancelAt() { WorkProgressDialog::setObserver({}); }
    int at;
    QStringList shown;
    QString cancelText;
};

// Printing to a PDF file goes through the one-step replacement: its scratch file has a
// name of its own, so a file of the user's beside the target is never touched.
TEST_F(ReportUi, PrintingToAPdfFileLeavesTheFilesBesideItAlone) {
    const fs::path pdf = dir / "printed.pdf";
    test::writeFile(pdf, "earlier report");
    test::writeFile(dir / "printed.pdf.tmp", "the user's own file");
    ReportPrinting::setDialogHooks({[&](QPrintDialog& dialog) {
                                        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
                                        dialog.printer()->setOutputFileName(QString::fromStdString(pdf.string()));
                                        return true;
                                    },
                                    {},
                                    {}});
    ReportPrinting printing(nullptr);
    CancelAt never(1000);
    printing.print(source(25), "site");
    EXPECT_EQ(pdfPages(pdf), 6);
    EXPECT_EQ(test::readFile(dir / "printed.pdf.tmp"), "the user's own file");
    for (const std::string& name : test::folderNames(pdf.parent_path()))
        EXPECT_NE(name.rfind(".mireva-", 0), 0u) << "scratch file left: " << name;
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(printing.printer().outputFileName(), QString::fromStdString(pdf.string()));
}

TEST_F(ReportUi, PrintingToAPdfFileShowsThePagesDoneAndCancelLeavesTheEarlierFile) {
    const fs::path pdf = dir / "printed.pdf";
    test::writeFile(pdf, "earlier report");
    ReportPrinting::setDialogHooks({[&](QPrintDialog& dialog) {
                                        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
                                        dialog.printer()->setOutputFileName(QString::fromStdString(pdf.string()));
                                        return true;
                                    },
                                    {},
                                    {}});
    ReportPrinting printing(nullptr);
    {
        CancelAt cancel(2);
        printing.print(source(25), "site");  // 6 pages
        EXPECT_EQ(cancel.shown, QStringList({"ページ 0 / 6", "ページ 1 / 6", "ページ 2 / 6"}));
        EXPECT_EQ(cancel.cancelText, QStringLiteral("キャンセル"));
    }
    EXPECT_EQ(test::readFile(pdf), "earlier report");
    EXPECT_FALSE(fs::exists(pdf.string() + ".tmp"));
    EXPECT_TRUE(dialogs.messages.empty());
    EXPECT_EQ(printing.printer().outputFileName(), QString::fromStdString(pdf.string()));

    // Not cancelled: the new report replaces the file.
    CancelAt never(1000);
    printing.print(source(25), "site");
    EXPECT_EQ(never.shown.last(), QStringLiteral("ページ 6 / 6"));
    EXPECT_EQ(pdfPages(pdf), 6);
    EXPECT_FALSE(fs::exists(pdf.string() + ".tmp"));

    // A folder that does not exist: said, with the reason.
    const fs::path nowhere = dir / "no such folder" / "r.pdf";
    ReportPrinting::setDialogHooks({[&](QPrintDialog& dialog) {
                                        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
                                        dialog.printer()->setOutputFileName(QString::fromStdString(nowhere.string()));
                                        return true;
                                    },
                                    {},
                                    {}});
    printing.print(source(1), "site");
    EXPECT_EQ(dialogs.texts(), QStringList{pdfFailedText(QString::fromStdString(nowhere.string()),
                                                         "ファイルまたはフォルダが見つかりません。")});
}

TEST_F(ReportUi, CancellingThePreviewsPagesClosesThePreview) {
    int generated = -1;
    bool closed = false;
    ReportPrinting::setDialogHooks({{},
                                    [&](QPrintPreviewDialog& dialog) {
                                        QObject::connect(&dialog, &QDialog::rejected, [&] { closed = true; });
                                        dialog.show();
                                        QCoreApplication::processEvents();
                                        generated = dialog.findChild<QPrintPreviewWidget*>()->pageCount();
                                        return true;
                                    },
                                    {}});
    CancelAt cancel(3);
    ReportPrinting printing(nullptr);
    printing.preview(source(25), "site");
    EXPECT_EQ(cancel.shown.first(), QStringLiteral("ページ 0 / 6"));
    EXPECT_EQ(cancel.shown.last(), QStringLiteral("ページ 3 / 6"));
    EXPECT_TRUE(closed);
    EXPECT_LT(generated, 6);
}

// The preview's own print button asks with the page range 1 … page count, as
// ファイル → 印刷 does, and prints the chosen pages.
TEST_F(ReportUi, PreviewsPrintButtonLimitsThePageRangeToTheReport) {
    const fs::path pdf = dir / "from-preview.pdf";
    int minPage = 0, maxPage = 0;
    bool accepted = false;
    ReportPrinting::setDialogHooks({[&](QPrintDialog& dialog) {
                                        minPage = dialog.minPage();
                                        maxPage = dialog.maxPage();
                                        dialog.printer()->setOutputFormat(QPrinter::PdfFormat);
                                        dialog.printer()->setOutputFileName(QString::fromStdString(pdf.string()));
                                        dialog.printer()->setPrintRange(QPrinter::PageRange);
                                        dialog.printer()->setFromTo(2, 3);
                                        return true;
                                    },
                                    [&](QPrintPreviewDialog& dialog) {
                                        QObject::connect(&dialog, &QDialog::accepted, [&] { accepted = true; });
                                        QAction* print = previewPrintAction(dialog);
                                        if (!print) return false;
                                        print->trigger();
                                        return true;
                                    },
                                    {}});
    ReportPrinting printing(nullptr);
    printing.preview(source(25), "site");
    EXPECT_EQ(minPage, 1);
    EXPECT_EQ(maxPage, 6);
    EXPECT_EQ(pdfPages(pdf), 2);
    EXPECT_TRUE(accepted);
}

TEST_F(ReportUi, PdfOutputReportsItsPagesAndACancelWritesNothing) {
    const fs::path pdf = dir / "report.pdf";
    test::writeFile(pdf, "old");
    const ReportPageRenderer report = loadReport(source(25));
    std::vector<std::pair<int, int>> heard;
    std::string error;
    bool cancelled = false;
    EXPECT_FALSE(writeReportPdf(
        report, pdf, &error,
        [&](int done, int total) {
            heard.emplace_back(done, total);
            return done < 2;
        },
        &cancelled));
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{0, 6}, {1, 6}, {2, 6}}));
    EXPECT_EQ(test::readFile(pdf), "old");
    EXPECT_FALSE(fs::exists(pdf.string() + ".tmp"));

    heard.clear();
    ASSERT_TRUE(writeReportPdf(
        report, pdf, &error,
        [&](int done, int total) {
            heard.emplace_back(done, total);
            return true;
        },
        &cancelled));
    EXPECT_FALSE(cancelled);
    EXPECT_EQ(heard.size(), 7u);
    EXPECT_EQ(heard.back(), std::make_pair(6, 6));
    EXPECT_EQ(pdfPages(pdf), 6);
}

TEST_F(ReportUi, BatchReportCommand) {
    const QString cli = QStringLiteral(MIREVA_BINARY_DIR "/src/cli/mireva-cli");
    test::writeFile(worksheet, worksheetBytes(12));
    test::writeFile(dir / "empty.csv", "");
    // Places whose every value is the empty mark: no channel is in use.
    std::string noValues = worksheetBytes(2);
    for (const char* v : {",45.0", ",45.1", ",45.2"})
        for (size_t at; (at = noValues.find(v)) != std::string::npos;) noValues.replace(at, 5, "," + cp("－"));
    test::writeFile(dir / "novalues.csv", noValues);
    test::writeFile(ini, cp("[PrintData2]\r\nTITLE=夜間測定\r\n"));
    const fs::path pdf = dir / "out" / "report.pdf";
    fs::create_directories(pdf.parent_path());
    struct Case {
        const char* what;
        QStringList args;
        int exit;
        int pages;  // -1: no file
    };
    const Case cases[] = {
        {"every page of the plan", {"--worksheet", path(worksheet), "--out", path(pdf), "--settings", path(ini)}, 0, 4},
        {"without settings: defaults", {"--worksheet", path(worksheet), "--out", path(pdf)}, 0, 4},
        {"missing worksheet", {"--worksheet", path(dir / "none.csv"), "--out", path(pdf)}, 2, -1},
        {"missing settings file",
         {"--worksheet", path(worksheet), "--out", path(pdf), "--settings", path(dir / "x.ini")},
         2,
         -1},
        {"no --out", {"--worksheet", path(worksheet)}, 2, -1},
        {"unknown option", {"--worksheet", path(worksheet), "--out", path(pdf), "--colour"}, 2, -1},
        {"worksheet without places", {"--worksheet", path(dir / "empty.csv"), "--out", path(pdf)}, 1, -1},
        {"no channel in use", {"--worksheet", path(dir / "novalues.csv"), "--out", path(pdf)}, 1, -1},
        {"unwritable output", {"--worksheet", path(worksheet), "--out", path(dir / "nowhere" / "r.pdf")}, 1, -1},
    };
    for (const Case& c : cases) {
        fs::remove(pdf);
        int exit = -1;
        QString errors;
        run(cli, QStringList{"report"} + c.args, &exit, &errors);
        EXPECT_EQ(exit, c.exit) << c.what << ": " << errors.toStdString();
        if (std::string(c.what) == "no channel in use") {
            EXPECT_TRUE(errors.contains(QString::fromUtf8(kNoChannelSelectedText))) << errors.toStdString();
        }
        if (c.pages < 0) {
            EXPECT_FALSE(fs::exists(pdf)) << c.what;
        } else {
            EXPECT_EQ(pdfPages(pdf), c.pages) << c.what;
        }
    }
    run(cli, {"report", "--worksheet", path(worksheet), "--out", path(pdf), "--settings", path(ini)});
    EXPECT_TRUE(run("pdftotext", {path(pdf), "-"}).contains("夜間測定"));
}

}  // namespace
}  // namespace mireva::ui
