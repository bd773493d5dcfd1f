// The written file read back from its XML (with the system's unzip), independent of
// the library that wrote it.
#include "excel/xlsx_writer.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>
#include <map>
#include <numeric>
#include <regex>

#include "excel/workbook_export.h"
#include "excel/worksheet_fixture.h"
#include "support/test_support.h"

namespace mireva::excel {
namespace {

std::string unzipEntry(const std::filesystem::path& file, const std::string& entry) {
    std::string command = "unzip -p '" + file.string() + "' '" + entry + "' 2>/dev/null";
    std::string out;
    if (FILE* p = popen(command.c_str(), "r")) {
        char buf[65536];
        size_t n;
        while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
        pclose(p);
    }
    return out;
}

std::vector<std::string> allMatches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> out;
    std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[1].str());
    return out;
}

// The border styles ("medium", "hair", "dashed", "" for none) of one cell, looked up
// through the cell's style index, the cell format list and the border list.
struct CellBorders {
    std::string left, right, top, bottom;
};

class WrittenWorkbook {
public:
    explicit WrittenWorkbook(const std::filesystem::path& file) : file_(file) {
        std::string styles = unzipEntry(file, "xl/styles.xml");
        std::smatch m;
        std::string xfs =
            std::regex_search(styles, m, std::regex("<cellXfs[^>]*>([\\s\\S]*?)</cellXfs>")) ? m[1].str() : "";
        for (const std::string& xf : allMatches(xfs, "<xf ([^>]*)")) {
            std::smatch b;
            xfBorder_.push_back(std::regex_search(xf, b, std::regex("borderId=\"(\\d+)\"")) ? std::stoi(b[1]) : 0);
        }
        std::string borders =
            std::regex_search(styles, m, std::regex("<borders[^>]*>([\\s\\S]*?)</borders>")) ? m[1].str() : "";
        for (const std::string& b : allMatches(borders, "<border>([\\s\\S]*?)</border>|<border/>")) {
            CellBorders cb;
            auto side = [&](const char* name) {
                std::smatch s;
                return std::regex_search(b, s, std::regex(std::string("<") + name + " style=\"(\\w+)\"")) ? s[1].str()
                                                                                                          : "";
            };
            cb.left = side("left");
            cb.right = side("right");
            cb.top = side("top");
            cb.bottom = side("bottom");
            borders_.push_back(cb);
        }
    }

    std::string sheetXml(int n) const { return unzipEntry(file_, "xl/worksheets/sheet" + std::to_string(n) + ".xml"); }

    CellBorders borders(const std::string& sheet, const std::string& cell) const {
        std::smatch m;
        if (!std::regex_search(sheet, m, std::regex("<c r=\"" + cell + "\" s=\"(\\d+)\""))) return {};
        size_t xf = std::stoul(m[1]);
        if (xf >= xfBorder_.size()) return {};
        size_t b = static_cast<size_t>(xfBorder_[xf]);
        return b < borders_.size() ? borders_[b] : CellBorders{};
    }

private:
    std::filesystem::path file_;
    std::vector<int> xfBorder_;
    std::vector<CellBorders> borders_;
};

WorkbookInputs inputsFor(const WorksheetDocument& ws) {
    WorkbookInputs in;
    in.worksheet = &ws;
    in.selection = summaryFromWorksheet(ws);
    in.settings = ReportSettings::defaults();
    return in;
}

TEST(XlsxExport, WrittenWorkbookHoldsSheetsMergesBordersAndPageSetup) {
    test::TempDir dir;
    WorksheetDocument ws = test::makeWorksheet({.places = 15, .channels = {0, 1, 2}});
    const auto path = dir / "book.xlsx";
    ExportOutcome out = exportWorkbook(inputsFor(ws), path);
    ASSERT_TRUE(out.written) << out.error;
    EXPECT_EQ(out.sheetCount, 6);
    EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"book.xlsx"});

    std::string workbook = unzipEntry(path, "xl/workbook.xml");
    EXPECT_EQ(allMatches(workbook, "<sheet name=\"([^\"]*)\""),
              (std::vector<std::string>{"Title", "Contents", "統合", "地デジ", "統合1", "地デジ1"}));
    EXPECT_NE(workbook.find("'統合1'!$A$1:$AE$75"), std::string::npos);

    WrittenWorkbook book(path);
    std::string page = book.sheetXml(5);  // "統合1"
    std::vector<std::string> merges = allMatches(page, "<mergeCell ref=\"([^\"]*)\"");
    EXPECT_EQ(merges.size(), 95u);
    for (const char* m : {"A1:C1", "U3:AD3", "A68:AD74", "A75:AD75", "D7:E7", "A7:A12", "B61:C66"})
        EXPECT_NE(std::find(merges.begin(), merges.end(), m), merges.end()) << m;

    CellBorders f7 = book.borders(page, "F7");
    EXPECT_EQ(f7.top, "medium");
    EXPECT_EQ(f7.left, "medium");
    EXPECT_EQ(f7.right, "hair");
    EXPECT_EQ(f7.bottom, "dashed");
    CellBorders g6 = book.borders(page, "G6");
    EXPECT_EQ(g6.top, "dashed");
    EXPECT_EQ(g6.bottom, "medium");
    EXPECT_EQ(g6.left, "hair");
    CellBorders a9 = book.borders(page, "A9");  // inside the merged place number
    EXPECT_EQ(a9.top, "");
    EXPECT_EQ(a9.left, "medium");

    // Values are text; the page number and the first place of the second row block.
    EXPECT_NE(page.find("<c r=\"AD1\" s=\""), std::string::npos);
    EXPECT_NE(page.find("<is><t>3</t></is>"), std::string::npos);
    std::smatch m;
    ASSERT_TRUE(std::regex_search(page, m, std::regex("<c r=\"A7\"[^>]*t=\"inlineStr\"><is><t>([^<]*)</t>")));
    EXPECT_EQ(m[1].str(), "11");
    EXPECT_NE(page.find("<row r=\"1\" ht=\"35\" customHeight=\"1\""), std::string::npos);
    EXPECT_NE(page.find("fitToPage=\"1\""), std::string::npos);
    // The right margin is 0.5 pt, given in inches.
    ASSERT_TRUE(std::regex_search(page, m, std::regex("<pageMargins [^>]*right=\"([0-9.eE+-]+)\"")));
    EXPECT_NEAR(std::stod(m[1].str()), 0.5 / 72, 1e-9);
    EXPECT_NE(page.find("paperSize=\"9\""), std::string::npos);

    std::string contents = book.sheetXml(2);
    EXPECT_NE(contents.find("<t>UHF 13</t>"), std::string::npos);
    EXPECT_EQ(book.borders(contents, "C7").top, "medium");
    EXPECT_EQ(book.borders(contents, "C8").bottom, "thin");
}

// The cell style every cell starts from, the values' shrink-to-fit and their "number
// stored as text" mark, and the paper of every sheet, read back from the file.
TEST(XlsxExport, DefaultStyleShrinkToFitIgnoredErrorsAndPaper) {
    test::TempDir dir;
    WorksheetDocument ws = test::makeWorksheet({.places = 3, .channels = {0, 1}});
    const auto path = dir / "book.xlsx";
    ExportOutcome out = exportWorkbook(inputsFor(ws), path);
    ASSERT_TRUE(out.written) << out.error;
    const std::string styles = unzipEntry(path, "xl/styles.xml");

    // Every font is the Japanese face, without a theme font that would stand in for it;
    // the first one (the default) at 11 pt.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(styles, m, std::regex("<fonts[^>]*>([\\s\\S]*?)</fonts>")));
    const std::vector<std::string> fonts = allMatches(m[1].str(), "<font>([\\s\\S]*?)</font>");
    ASSERT_FALSE(fonts.empty());
    EXPECT_NE(fonts[0].find("<sz val=\"11\"/>"), std::string::npos) << fonts[0];
    for (const std::string& f : fonts) {
        EXPECT_NE(f.find("<name val=\"ＭＳ Ｐゴシック\"/>"), std::string::npos) << f;
        EXPECT_EQ(f.find("<scheme"), std::string::npos) << f;
    }

    // Every cell format is vertically centred but those given their own alignment:
    // bottom on the cover's headings (the file format's default, written as no
    // attribute), top in the notes.
    ASSERT_TRUE(std::regex_search(styles, m, std::regex("<cellXfs[^>]*>([\\s\\S]*?)</cellXfs>")));
    const std::vector<std::string> xfs = allMatches(m[1].str(), "(<xf [^>]*/>|<xf [^>]*>[\\s\\S]*?</xf>)");
    ASSERT_FALSE(xfs.empty());
    EXPECT_NE(xfs[0].find("vertical=\"center\""), std::string::npos) << xfs[0];

    auto xfOf = [&](const std::string& sheet, const std::string& cell) -> std::string {
        std::smatch c;
        if (!std::regex_search(sheet, c, std::regex("<c r=\"" + cell + "\" s=\"(\\d+)\""))) return "";
        size_t i = std::stoul(c[1]);
        return i < xfs.size() ? xfs[i] : "";
    };
    auto verticalOf = [&](const std::string& sheet, const std::string& cell) {
        std::smatch v;
        const std::string xf = xfOf(sheet, cell);
        return std::regex_search(xf, v, std::regex("vertical=\"(\\w+)\"")) ? v[1].str() : std::string("bottom");
    };
    WrittenWorkbook book(path);
    const std::string cover = book.sheetXml(1);
    const std::string page = book.sheetXml(3);
    EXPECT_EQ(verticalOf(cover, "B5"), "bottom");
    EXPECT_EQ(verticalOf(cover, "C8"), "bottom");
    EXPECT_EQ(verticalOf(cover, "B33"), "center");
    EXPECT_EQ(verticalOf(page, "A68"), "top");
    for (const char* cell : {"A7", "B7", "D7", "F7", "AD1"}) EXPECT_EQ(verticalOf(page, cell), "center") << cell;
    EXPECT_EQ(verticalOf(book.sheetXml(2), "C8"), "center");
    for (const char* cell : {"F7", "G8", "AD66"})
        EXPECT_NE(xfOf(page, cell).find("shrinkToFit=\"1\""), std::string::npos) << cell << " " << xfOf(page, cell);
    for (const char* cell : {"A7", "B7", "D7", "F6"})
        EXPECT_EQ(xfOf(page, cell).find("shrinkToFit"), std::string::npos) << cell;
    const std::vector<std::string> ignored =
        allMatches(page, "<ignoredError sqref=\"([^\"]*)\" numberStoredAsText=\"1\"/>");
    EXPECT_EQ(ignored, std::vector<std::string>{"AD1 A7:A66 F7:AD66"});

    // A4 portrait on every sheet: cover, channel list and the pages.
    for (int n = 1; n <= out.sheetCount; ++n) {
        const std::string sheet = book.sheetXml(n);
        EXPECT_NE(sheet.find("paperSize=\"9\""), std::string::npos) << n;
        EXPECT_NE(sheet.find("orientation=\"portrait\""), std::string::npos) << n;
    }
    EXPECT_EQ(book.sheetXml(1).find("<ignoredErrors>"), std::string::npos);
}

TEST(XlsxWriter, FormatsAreSharedBetweenCellsAndSheets) {
    test::TempDir dir;
    XlsxWriter writer(dir / "shared.xlsx");
    ASSERT_TRUE(writer.open());
    SheetModel sheet = buildPageTemplate();
    sheet.setName("a");
    ASSERT_TRUE(writer.addSheet(sheet));
    size_t afterFirst = writer.formatCount();
    EXPECT_LT(afterFirst, 80u);  // some 2,250 formatted cells
    sheet.setName("b");
    ASSERT_TRUE(writer.addSheet(sheet));
    EXPECT_EQ(writer.formatCount(), afterFirst);
    ASSERT_TRUE(writer.commit()) << writer.error();
}

TEST(XlsxWriter, AFailedWorkbookLeavesTheTargetAsItWas) {
    test::TempDir dir;
    const auto path = dir / "book.xlsx";
    test::writeFile(path, "previous workbook");
    {
        XlsxWriter writer(path);
        ASSERT_TRUE(writer.open());
        SheetModel s("same");
        s.setValue("A1", "x");
        ASSERT_TRUE(writer.addSheet(s));
        EXPECT_FALSE(writer.addSheet(s));  // a repeated name
        EXPECT_FALSE(writer.error().empty());
        EXPECT_FALSE(writer.commit());
    }
    EXPECT_EQ(test::readFile(path), "previous workbook");
    EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"book.xlsx"});

    for (const char* bad : {"a/b", "", "01234567890123456789012345678901"}) {
        XlsxWriter writer(dir / "other.xlsx");
        ASSERT_TRUE(writer.open());
        EXPECT_FALSE(writer.addSheet(SheetModel(bad))) << bad;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "other.xlsx"));

    // A folder that does not exist is found out before any sheet is built.
    XlsxWriter nowhere(dir / "missing" / "book.xlsx");
    EXPECT_FALSE(nowhere.open());
    EXPECT_FALSE(nowhere.error().empty());
}

// The writer holds one open file, its scratch file, however many sheets there are: a
// workbook of far more sheets than the process may open files is written. Run in a
// child process, since a lowered hard limit cannot be raised again.
TEST(XlsxExportDeathTest, AWorkbookOfMoreSheetsThanTheOpenFileLimitIsWritten) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    test::TempDir dir;
    const auto path = dir / "book.xlsx";
    test::writeFile(path, "earlier");
    WorksheetDocument ws = test::makeWorksheet({.places = 300, .channels = {0, 1}});  // 62 sheets
    EXPECT_EXIT(
        {
            struct rlimit limit {};
            getrlimit(RLIMIT_NOFILE, &limit);
            long open = 0;
            for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator("/proc/self/fd")) ++open;
            limit.rlim_cur = limit.rlim_max = static_cast<rlim_t>(open + 20);
            setrlimit(RLIMIT_NOFILE, &limit);
            ExportOutcome out = exportWorkbook(inputsFor(ws), path);
            const bool written = out.written && out.sheetCount == 62 &&
                                 unzipEntry(path, "xl/worksheets/sheet62.xml").size() > 1000 &&
                                 test::folderNames(dir.path()) == std::vector<std::string>{"book.xlsx"};
            std::fprintf(stderr, "%s %d\n", out.error.c_str(), out.sheetCount);
            std::exit(written ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "");
}

// A full disk met halfway (a file size limit: the write fails with "File too large"
// instead of a signal): the export says so with the system's error number, keeps
// the earlier file and leaves no scratch file.
TEST(XlsxExport, AFullDiskFailsWithItsErrorAndKeepsTheEarlierFile) {
    test::TempDir dir;
    const auto path = dir / "book.xlsx";
    test::writeFile(path, "earlier");
    WorksheetDocument ws = test::makeWorksheet({.places = 300, .channels = {0, 1}});
    ExportOutcome out;
    {
        const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit previous{};
        ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previous), 0);
        rlimit limit = previous;
        limit.rlim_cur = 100 * 1024;
        ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &limit), 0);
        out = exportWorkbook(inputsFor(ws), path);
        setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, previousHandler);
    }
    EXPECT_FALSE(out.written);
    EXPECT_FALSE(out.cancelled);
    EXPECT_EQ(out.errorNumber, EFBIG);
    EXPECT_FALSE(out.error.empty());
    EXPECT_EQ(test::readFile(path), "earlier");
    EXPECT_EQ(test::folderNames(dir.path()), std::vector<std::string>{"book.xlsx"});
}

TEST(XlsxExport, NothingToExportWritesNothing) {
    test::TempDir dir;
    const auto path = dir / "book.xlsx";
    test::writeFile(path, "kept");
    WorksheetDocument noChannels = test::makeWorksheet({.places = 3, .channels = {}});
    ExportOutcome out = exportWorkbook(inputsFor(noChannels), path);
    EXPECT_EQ(out.problem, WorkbookProblem::NoChannelSelected);
    EXPECT_FALSE(out.written);
    EXPECT_FALSE(problemMessage(out.problem).empty());
    EXPECT_EQ(test::readFile(path), "kept");
}

// The export tells the sheets written of all sheets; stopped through its callback it
// writes nothing, leaves the earlier file and removes its scratch file.
TEST(XlsxExport, ReportsTheSheetsWrittenAndACancelLeavesTheEarlierFile) {
    test::TempDir dir;
    WorksheetDocument ws = test::makeWorksheet({.places = 15, .channels = {0, 1, 2}});
    const auto path = dir / "book.xlsx";
    test::writeFile(path, "earlier workbook");
    const auto openFiles = [] {
        return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                             std::filesystem::directory_iterator());
    };
    const auto filesBefore = openFiles();
    std::vector<std::pair<int, int>> heard;
    ExportOutcome out = exportWorkbook(inputsFor(ws), path, [&](int done, int total) {
        heard.emplace_back(done, total);
        return done < 3;
    });
    EXPECT_TRUE(out.cancelled);
    EXPECT_FALSE(out.written);
    EXPECT_TRUE(out.error.empty());
    EXPECT_EQ(heard, (std::vector<std::pair<int, int>>{{0, 6}, {1, 6}, {2, 6}, {3, 6}}));
    EXPECT_EQ(test::readFile(path), "earlier workbook");
    EXPECT_FALSE(std::filesystem::exists(dir / ".book.xlsx.part"));
    EXPECT_EQ(openFiles(), filesBefore) << "the sheets' scratch files are closed";

    heard.clear();
    out = exportWorkbook(inputsFor(ws), path, [&](int done, int total) {
        heard.emplace_back(done, total);
        return true;
    });
    ASSERT_TRUE(out.written) << out.error;
    EXPECT_FALSE(out.cancelled);
    ASSERT_EQ(heard.size(), 7u);
    EXPECT_EQ(heard.back(), std::make_pair(6, 6));
    EXPECT_NE(test::readFile(path), "earlier workbook");
}

}  // namespace
}  // namespace mireva::excel
