// The package writer against the reference writer over libxlsxwriter: for the same
// sheet models every part of the package is the same. The cell formats may be
// numbered in another order (the reference numbers a sheet's last row only when the
// workbook is closed), so the styles part is compared as sets of formats and every
// cell's format index is replaced by the format it stands for; everything else,
// byte for byte, the creation time aside.
#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "core/aggregation_summary.h"
#include "excel/support/reference_xlsx_writer.h"
#include "excel/support/zip_reader.h"
#include "excel/workbook_layout.h"
#include "excel/worksheet_fixture.h"
#include "excel/xlsx_writer.h"
#include "support/test_support.h"

namespace mireva::excel {
namespace {

std::vector<std::string> matches(const std::string& text, const std::string& pattern) {
    std::vector<std::string> out;
    const std::regex re(pattern);
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
        out.push_back((*it)[0].str());
    return out;
}

std::string section(const std::string& styles, const std::string& tag) {
    std::smatch m;
    return std::regex_search(styles, m, std::regex("<" + tag + "[ >][\\s\\S]*?</" + tag + ">")) ? m[0].str() : "";
}

std::string attribute(const std::string& element, const std::string& name) {
    std::smatch m;
    return std::regex_search(element, m, std::regex(" " + name + "=\"([^\"]*)\"")) ? m[1].str() : "";
}

// One package's cell formats, each spelled out with its font, border and number format.
class Formats {
public:
    explicit Formats(const std::string& styles) : styles_(styles) {
        const auto fonts = matches(section(styles, "fonts"), "<font>[\\s\\S]*?</font>");
        const auto borders = matches(section(styles, "borders"), "<border>[\\s\\S]*?</border>");
        std::map<std::string, std::string> codes;
        for (const std::string& f : matches(section(styles, "numFmts"), "<numFmt [^>]*/>"))
            codes[attribute(f, "numFmtId")] = attribute(f, "formatCode");
        for (std::string xf : matches(section(styles, "cellXfs"), "<xf [^>]*/>|<xf [^>]*>[\\s\\S]*?</xf>")) {
            auto replace = [&](const std::string& name, const std::string& by) {
                xf = std::regex_replace(xf, std::regex(" " + name + "=\"[^\"]*\""), " " + name + "={" + by + "}");
            };
            const std::string numFmt = attribute(xf, "numFmtId");
            const size_t font = std::stoul(attribute(xf, "fontId")), border = std::stoul(attribute(xf, "borderId"));
            replace("fontId", font < fonts.size() ? fonts[font] : "missing font");
            replace("borderId", border < borders.size() ? borders[border] : "missing border");
            if (std::stoi(numFmt) >= 164) replace("numFmtId", codes.count(numFmt) ? codes[numFmt] : "missing");
            xfs_.push_back(xf);
        }
    }

    // The styles part with its lists as sorted sets.
    std::string canonicalStyles() const {
        std::string out = styles_;
        for (const char* tag : {"numFmts", "fonts", "borders", "cellXfs"}) {
            const std::string s = section(out, tag);
            if (s.empty()) continue;
            std::vector<std::string> items;
            if (std::string(tag) == "cellXfs")
                items = xfs_;
            else
                items = matches(s, std::string(tag) == "numFmts" ? "formatCode=\"[^\"]*\""
                                                                 : "<(font|border)>[\\s\\S]*?</(font|border)>");
            std::sort(items.begin(), items.end());
            std::string joined = std::string("<") + tag + " count=\"" + std::to_string(items.size()) + "\">";
            for (const auto& i : items) joined += i;
            out.replace(out.find(s), s.size(), joined);
        }
        return out;
    }

    // A part with each cell's format index replaced by the format itself.
    std::string spelledOut(const std::string& sheet) const {
        std::string out;
        size_t at = 0;
        for (size_t hit; (hit = sheet.find(" s=\"", at)) != std::string::npos;) {
            const size_t close = sheet.find('"', hit + 4);
            const size_t index = std::stoul(sheet.substr(hit + 4, close - hit - 4));
            out.append(sheet, at, hit - at);
            out += " s={" + (index < xfs_.size() ? xfs_[index] : std::string("missing format")) + "}";
            at = close + 1;
        }
        return out + sheet.substr(at);
    }

private:
    std::string styles_;
    std::vector<std::string> xfs_;
};

// Equal, or where the two first differ, with some text around it.
::testing::AssertionResult sameText(const std::string& a, const std::string& b) {
    if (a == b) return ::testing::AssertionSuccess();
    size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    const size_t from = at > 150 ? at - 150 : 0;
    return ::testing::AssertionFailure() << "differ at " << at << "\n  reference: …" << a.substr(from, 400)
                                         << "\n  ours:      …" << b.substr(from, 400);
}

std::string withoutTimes(const std::string& core) {
    return std::regex_replace(core, std::regex("\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ"), "TIME");
}

void expectSamePackage(const std::filesystem::path& reference, const std::filesystem::path& ours,
                       const std::string& what) {
    const test::ZipContents a = test::readZip(reference), b = test::readZip(ours);
    ASSERT_EQ(a.error, "") << what;
    ASSERT_EQ(b.error, "") << what;
    std::vector<std::string> namesA, namesB;
    for (const auto& e : a.entries) namesA.push_back(e.first);
    for (const auto& e : b.entries) namesB.push_back(e.first);
    ASSERT_EQ(namesA, namesB) << what;
    const Formats fa(a.entries.at("xl/styles.xml")), fb(b.entries.at("xl/styles.xml"));
    EXPECT_TRUE(sameText(fa.canonicalStyles(), fb.canonicalStyles())) << what;
    for (const auto& [name, content] : a.entries) {
        const std::string& other = b.entries.at(name);
        if (name == "xl/styles.xml") continue;
        if (name == "docProps/core.xml")
            EXPECT_TRUE(sameText(withoutTimes(content), withoutTimes(other))) << what;
        else if (name.rfind("xl/worksheets/", 0) == 0)
            EXPECT_TRUE(sameText(fa.spelledOut(content), fb.spelledOut(other))) << what << " " << name;
        else
            EXPECT_TRUE(sameText(content, other)) << what << " " << name;
    }
}

// Writes the sheets with both writers and compares the packages.
void expectSameWorkbook(const std::vector<SheetModel>& sheets, const std::string& what) {
    test::TempDir dir;
    const auto reference = dir / "reference.xlsx", ours = dir / "ours.xlsx";
    {
        test::ReferenceXlsxWriter writer(reference);
        ASSERT_TRUE(writer.open());
        for (const SheetModel& s : sheets) ASSERT_TRUE(writer.addSheet(s)) << what << ": " << writer.error();
        ASSERT_TRUE(writer.commit()) << writer.error();
    }
    {
        XlsxWriter writer(ours);
        ASSERT_TRUE(writer.open());
        for (const SheetModel& s : sheets) ASSERT_TRUE(writer.addSheet(s)) << what << ": " << writer.error();
        ASSERT_TRUE(writer.commit()) << writer.error();
    }
    expectSamePackage(reference, ours, what);
}

struct ModelCase {
    const char* what;
    std::function<void(SheetModel&)> build;
};

const std::vector<ModelCase>& modelCases() {
    static const std::vector<ModelCase> cases = {
        {"an empty sheet", [](SheetModel&) {}},
        {"one value", [](SheetModel& s) { s.setValue("C3", "x"); }},
        {"borders of every kind",
         [](SheetModel& s) {
             s.setBorders(R("B2:D4"), kDashedThin);
             s.setBorderAround(R("B2:D4"), kMedium);
             s.setBorders(R("F2:F3"), kThin);
             s.setBorderAround(R("H2:H8"), kHairline);
             s.setBorderAround(R("J2:K3"), Border{LineStyle::Dashed, LineWeight::Hairline});
             s.setBorderAround(R("M2:N3"), Border{LineStyle::Dashed, LineWeight::Medium});
             s.setBorders(R("C3"), kNoBorder);
         }},
        {"merges with values, borders and an empty last row",
         [](SheetModel& s) {
             s.merge(R("A1:C1"));
             s.setValue("A1", "merged");
             s.merge(R("B3:C5"));  // rows 4 and 5 hold no cell
             s.merge(R("E2:E3"));
             s.setBorderAround(R("E2:E3"), kMedium);
             s.merge(R("G7:H7"));
             s.setWrapText(R("B3:C5"), true);
         }},
        {"number formats, shrink and wrap",
         [](SheetModel& s) {
             s.setValue("A1", "0123");
             s.setNumberFormat(R("A1:B2"), "@");
             s.setNumberFormat(R("C1"), "0.00");
             s.setValue("C1", "1.5");
             s.setShrinkToFit(R("A2:D2"), true);
             s.setWrapText(R("D2:D3"), true);
             s.setValue("D3", "a long text that wraps");
         }},
        {"alignments and font sizes",
         [](SheetModel& s) {
             s.setHorizontalAlignment(R("A1:A3"), HAlign::Center);
             s.setHorizontalAlignment(R("B1"), HAlign::Left);
             s.setVerticalAlignment(R("A2"), VAlign::Bottom);
             s.setVerticalAlignment(R("C1"), VAlign::Bottom);  // nothing else: an empty alignment
             s.setVerticalAlignment(R("A3:B3"), VAlign::Top);
             s.setFontSize(R("D1"), 8);
             s.setFontSize(R("D2"), 10.5);
             s.setFontSize(R("D3"), 11);  // the default size
             s.setFontSize(R("D4"), 22);
             for (const char* c : {"A1", "A2", "A3", "B1", "B3", "C1", "D1", "D2", "D3", "D4"}) s.setValue(c, c);
         }},
        {"widths, heights and a row of height only",
         [](SheetModel& s) {
             s.setColumnWidth(0, 0, 0.5);
             s.setColumnWidth(1, 4, 3.63);
             s.setColumnWidth(5, 5, 8.43);
             s.setColumnWidth(6, 7, 25);
             s.setColumnWidth(9, 9, 5.2);
             s.setRowHeight(0, 0, 35);
             s.setRowHeight(1, 2, 15);
             s.setRowHeight(4, 4, 20.25);
             s.setValue("B2", "b");
             s.setRowHeight(9, 9, 30);  // below every cell
         }},
        {"texts the markup must escape",
         [](SheetModel& s) {
             s.setValue("A1", "R&D <1> \"q\" 'a'");
             s.setValue("A2", " leading blank");
             s.setValue("A3", "trailing blank ");
             s.setValue("A4", "two\nlines");
             s.setValue("A5", "各戸端子の受信レベル　試験日");
             s.setValue("A6", "&amp;");
         }},
        {"portrait, A4, fit to one page, print area, right margin, ignored errors",
         [](SheetModel& s) {
             s.setValue("AD1", "1");
             auto& p = s.pageSetup();
             p.printArea = R("A1:AE75");
             p.fitToPage = true;
             p.fitWide = p.fitTall = 1;
             p.rightMargin = 0.5 / 72;
             p.paperSize = 9;
             s.ignoreNumbersStoredAsText(R("AD1"));
             s.ignoreNumbersStoredAsText(R("A7:A66"));
         }},
        {"landscape, fit to 2 x 3, a one-cell print area, margin 0.5",
         [](SheetModel& s) {
             s.setValue("B2", "x");
             auto& p = s.pageSetup();
             p.portrait = false;
             p.printArea = R("B2");
             p.fitToPage = true;
             p.fitWide = 2;
             p.fitTall = 3;
             p.rightMargin = 0.5;
         }},
    };
    return cases;
}

TEST(XlsxOracle, EachModelGivesTheSamePackage) {
    for (const ModelCase& c : modelCases()) {
        SheetModel sheet("Sheet");
        c.build(sheet);
        expectSameWorkbook({sheet}, c.what);
    }
}

// Every model in one workbook, under names that must be quoted, escaped or kept as
// they are in the print areas and the sheet list.
TEST(XlsxOracle, ManySheetsWithJapaneseAndSpecialNames) {
    const std::vector<std::string> names = {"Title",   "統合",       "統合1", "地デジ", "BSCS(右旋)", "JCSAT-3A",
                                            "R&D <x>", "say \"hi\"", "it's",  "FM1",    "Data.1",     "CATV_2"};
    std::vector<SheetModel> sheets;
    for (size_t i = 0; i < names.size(); ++i) {
        SheetModel s(names[i]);
        modelCases()[i % modelCases().size()].build(s);
        if (i % 3 == 0) s.pageSetup().printArea = R("A1:C" + std::to_string(i + 2));
        sheets.push_back(std::move(s));
    }
    expectSameWorkbook(sheets, "many sheets");
}

// The report's own workbook: cover, channel list and the page sheets of a small site.
TEST(XlsxOracle, TheReportWorkbookIsTheSame) {
    WorksheetDocument ws =
        test::makeWorksheet({.places = 23, .channels = {0, 1, 2, 40, 41, 90, 252, 365}, .placeName = [](int p) {
                                 return p % 2 ? "1F10" + std::to_string(p) + "号室 <A&B>" : std::string("共用部");
                             }});
    WorkbookInputs in;
    in.worksheet = &ws;
    in.selection = summaryFromWorksheet(ws);
    in.settings = ReportSettings::defaults();
    expectSameWorkbook(buildWorkbookSheets(in), "report workbook");
}

}  // namespace
}  // namespace mireva::excel
