#include "excel/workbook_layout.h"

#include <array>
#include <string_view>

#include "core/cp932.h"
#include "core/text.h"

namespace mireva::excel {

namespace {

// Rows and columns of a page sheet (0-based in the model, named as on the sheet).
constexpr int kFirstBodyRow = 6;     // row 7
constexpr int kBodyRows = 60;        // rows 7 … 66
constexpr int kRowsPerBlock = 6;     // one place
constexpr int kFirstChannelCol = 5;  // column F
constexpr int kBandStripRow = 4;     // row 5
constexpr int kChannelStripRow = 5;  // row 6
constexpr int kPaperA4 = 9;          // the paper of the printed report, portrait

size_t utf8Length(std::string_view s) {
    size_t n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

// The text without its last `count` characters (empty when it has fewer).
std::string dropLastCharacters(std::string_view s, size_t count) {
    size_t end = s.size();
    while (count > 0 && end > 0) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(s[end]) & 0xC0) == 0x80) --end;
        --count;
    }
    return count > 0 ? std::string() : std::string(s.substr(0, end));
}

std::string u8(std::string_view cp932) { return fromCp932(SjView{cp932}); }

}  // namespace

const std::string& bandName(int channelIndex) {
    static const std::array<std::string, 13> kNames = {"地デジ",   "BSCS(右旋)", "BSCS(左旋)", "CATV",  "CATV上り",
                                                       "JCSAT-3A", "JCSAT-4B",   "SCC-B",      "SCC-C", "LTE",
                                                       "FM",       "スカパー！", "PILOT"};
    return kNames[static_cast<size_t>(groupingBandOf(channelIndex))];
}

std::string channelListName(int channelIndex) {
    static const std::array<const char*, 13> kPrefixes = {"UHF ",   "",       "", "CATV ", "", "JCSAT-3A ", "JCSAT-4B ",
                                                          "SCC-B ", "SCC-C ", "", "",      "", ""};
    return kPrefixes[static_cast<size_t>(groupingBandOf(channelIndex))] +
           u8(ChannelCatalog::instance().channel(channelIndex).name);
}

std::string SheetNamer::next(const std::string& base) {
    int n = used_[base]++;
    return n == 0 ? base : base + std::to_string(n);
}

WorkbookProblem checkWorkbook(const WorkbookInputs& inputs) {
    if (!inputs.worksheet || inputs.worksheet->placeCount() == 0) return WorkbookProblem::NoPlaces;
    bool anySelected = false;
    for (int c = 0; c < kChannelCount && !anySelected; ++c)
        anySelected = inputs.selection.channelHasValue[static_cast<size_t>(c)] != 0;
    if (!anySelected) return WorkbookProblem::NoChannelSelected;
    const PagePlan plan(inputs.selection, inputs.worksheet->placeCount());
    if (static_cast<long long>(plan.pageCount()) + 2 > kMaxWorkbookSheets) return WorkbookProblem::TooManySheets;
    return WorkbookProblem::None;
}

SheetModel buildCover(const PrintData2& data) {
    SheetModel s("Title");
    s.pageSetup().paperSize = kPaperA4;
    s.setColumnWidth(2, 3, 25);

    auto heading = [&](const char* range, const std::string& text, double size, bool bottom) {
        CellRange r = R(range);
        if (!r.isSingleCell()) s.merge(r);
        s.setValue(r.firstRow, r.firstCol, text);
        s.setFontSize(r, size);
        s.setHorizontalAlignment(r, HAlign::Center);
        if (bottom) s.setVerticalAlignment(r, VAlign::Bottom);
    };
    heading("B5:D5", u8(data.report), 22, true);
    heading("B8", "件名：", 16, true);
    heading("C8:D8", u8(data.subject), 18, true);
    heading("B33:D33", u8(data.footer), 16, false);
    return s;
}

SheetModel buildContents(const AggregationSummary& selection, const ReportSettings& settings) {
    SheetModel s("Contents");
    s.pageSetup().paperSize = kPaperA4;
    s.setColumnWidth(2, 3, 25);
    s.setValue("C5", "チャンネル一覧表");
    s.setFontSize(R("C5"), 14);
    s.setValue("C7", "チャンネル名");
    s.setValue("D7", "放送局名");
    s.setBorders(R("C7:D7"), kMedium);

    int row = 7;  // row 8
    for (int c = 0; c < kChannelCount; ++c) {
        if (!selection.channelHasValue[static_cast<size_t>(c)]) continue;
        s.setValue(row, 2, channelListName(c));
        s.setValue(row, 3, u8(settings.broadcasterNames[static_cast<size_t>(c)]));
        ++row;
    }
    int last = row - 1;
    if (last >= 7) s.setBorders({7, 2, last, 3}, kThin);
    s.setBorderAround({6, 2, std::max(last, 6), 2}, kMedium);
    s.setBorderAround({6, 3, std::max(last, 6), 3}, kMedium);
    s.setHorizontalAlignment({6, 2, std::max(last, 6), 3}, HAlign::Center);
    return s;
}

SheetModel buildPageTemplate() {
    SheetModel s;
    PageSetup& page = s.pageSetup();
    page.printArea = R("A1:AE75");
    page.fitToPage = true;
    page.fitWide = 1;
    page.fitTall = 1;
    page.rightMargin = 0.5 / 72;  // 0.5 pt: the spreadsheet gives margins in points
    page.paperSize = kPaperA4;
    page.portrait = true;

    // 1. Alignment and the text format of the value cells.
    s.setHorizontalAlignment(R("A1:AD75"), HAlign::Center);
    s.setNumberFormat(R("F7:AD66"), "@");
    // A value longer than its column is shown whole in a smaller size rather than cut;
    // numbers kept as text are meant so and are not flagged.
    s.setShrinkToFit(R("F7:AD66"), true);
    for (const char* r : {"AD1", "A7:A66", "F7:AD66"}) s.ignoreNumbersStoredAsText(R(r));

    // 2. Merges of the header and the notes.
    for (const char* m : {"A1:C1", "D1:J1", "O1:X1", "A2:E2", "F2:O2", "P2:T2", "U2:AD2", "A3:E3", "F3:O3", "P3:T3",
                          "U3:AD3", "F4:AD4", "C5:D5", "A68:AD74", "A75:AD75"})
        s.merge(R(m));

    // 3. Labels.
    s.setValue("A1", "物件名：");
    s.setValue("A2", "試　験　日");
    s.setValue("P2", "天　　候");
    s.setValue("A3", "試　験　者");
    s.setValue("P3", "測 定 器 具");
    s.setValue("F4", "測　定　チ　ャ　ン　ネ　ル");
    s.setValue("A5", "No.");
    s.setValue("B5", "階");
    s.setValue("C5", "設置場所");
    s.setValue("A67", "　追記事項");

    // 4. The notes area reads from the top left.
    s.setHorizontalAlignment(R("A67:A74"), HAlign::Left);
    s.setVerticalAlignment(R("A68:A74"), VAlign::Top);

    // 5. Row heights, 6. column widths.
    s.setRowHeight(0, 0, 35);
    s.setRowHeight(1, 2, 30);
    s.setRowHeight(3, 65, 20);
    s.setRowHeight(74, 74, 30);
    s.setColumnWidth(0, 0, 4);
    s.setColumnWidth(1, 4, 3.63);
    s.setColumnWidth(5, 28, 5);
    s.setColumnWidth(29, 29, 5.2);

    // 7. Font sizes.
    s.setFontSize(R("A1:AK3"), 11);
    s.setFontSize(R("F6:AD6"), 11);
    s.setFontSize(R("F7:AD66"), 9);
    s.setFontSize(R("A7:A66"), 10);
    s.setFontSize(R("O1"), 18);
    s.setFontSize(R("A75:AD75"), 14);

    // 8. Dashed grid of the header rows, the channel heads and the table.
    for (const char* r : {"A2:AD3", "F4:AD4", "F6:AD6", "B7:AD66"}) s.setBorders(R(r), kDashedThin);
    s.setBorderAround(R("B4:B6"), kDashedThin);

    // 9. A fine continuous line around each channel column, the channel strip dashed again.
    for (int c = kFirstChannelCol; c < kFirstChannelCol + kColumnsPerPage; ++c)
        s.setBorderAround({5, c, 65, c}, kHairline);
    s.setBorderAround(R("F6:AD6"), kDashedThin);

    // 10. Medium frames: the page, the header rows, the table head, the channel area,
    // the page number box and every place block.
    for (const char* r : {"A1:AD74", "A2:AD3", "A4:AD6", "F4:AD66", "AB1:AD1"}) s.setBorderAround(R(r), kMedium);
    for (int top = kFirstBodyRow; top < kFirstBodyRow + kBodyRows; top += kRowsPerBlock)
        s.setBorderAround({top, 0, top + kRowsPerBlock - 1, 29}, kMedium);

    // 11. Row label cells D:E, and per place its number (A) and its name (B:C, wrapped).
    for (int r = kFirstBodyRow; r < kFirstBodyRow + kBodyRows; ++r) s.merge({r, 3, r, 4});
    for (int top = kFirstBodyRow; top < kFirstBodyRow + kBodyRows; top += kRowsPerBlock) {
        s.merge({top, 0, top + kRowsPerBlock - 1, 0});
        s.merge({top, 1, top + kRowsPerBlock - 1, 2});
        s.setWrapText({top, 1, top + kRowsPerBlock - 1, 2}, true);
    }

    // 12. Row labels.
    static const char* const kRowLabels[kRowsPerBlock] = {"周波数", "局発", "レベル", "BER", "MER", "CN"};
    for (int i = 0; i < kBodyRows; ++i) s.setValue(kFirstBodyRow + i, 3, kRowLabels[i % kRowsPerBlock]);
    return s;
}

void writeBandStrip(SheetModel& sheet, const std::vector<int>& columns) {
    const std::string* previous = nullptr;
    for (size_t i = 0; i < columns.size() && i < static_cast<size_t>(kColumnsPerPage); ++i) {
        const std::string& name = bandName(columns[i]);
        if (!previous || *previous != name) {
            int col = kFirstChannelCol + static_cast<int>(i);
            sheet.setValue(kBandStripRow, col, name);
            sheet.setHorizontalAlignment(CellRange::cell(kBandStripRow, col), HAlign::Left);
        }
        previous = &name;
    }
}

void writeChannelStrip(SheetModel& sheet, const std::vector<std::string>& names) {
    for (size_t i = 0; i < names.size() && i < static_cast<size_t>(kColumnsPerPage); ++i) {
        int col = kFirstChannelCol + static_cast<int>(i);
        sheet.setValue(kChannelStripRow, col, names[i]);
        if (utf8Length(names[i]) >= 6) sheet.setFontSize(CellRange::cell(kChannelStripRow, col), 8);
    }
}

void fillPage(SheetModel& sheet, int pageNumber, const PlannedPage& page, const std::vector<int>& columns,
              const WorksheetDocument& worksheet, const AggregationSummary& selection, const PrintData2& data) {
    // Header.
    sheet.setValue("AC1", "No.");
    sheet.setValue("AD1", std::to_string(pageNumber));
    sheet.setValue("D1", u8(data.properName));
    sheet.setValue("O1", u8(data.title));
    sheet.setValue("F2", u8(data.measureDate));
    sheet.setValue("U2", u8(data.weather));
    sheet.setValue("F3", u8(data.measureName));
    sheet.setValue("U3", u8(data.measureEquip));
    sheet.setValue("A75", u8(data.footer));
    sheet.setValue("A68", u8(data.addNote));

    // Band and channel strips.
    writeBandStrip(sheet, columns);
    std::vector<std::string> names;
    names.reserve(columns.size());
    for (int c : columns) names.push_back(u8(ChannelCatalog::instance().channel(c).name));
    writeChannelStrip(sheet, names);

    // Body: the page's ten places, six rows each; BER A and BER C are not shown, and a
    // row whose kind is switched off stays empty but keeps its place.
    const bool shown[kRowsPerPlace] = {
        true, true, true, false, selection.berPresent != 0, false, selection.merPresent != 0, selection.cnPresent != 0};
    const bool usesRow[kRowsPerPlace] = {true, true, true, false, true, false, true, true};
    size_t line = static_cast<size_t>(page.rowBlock) * kPlacesPerBlock * kRowsPerPlace;
    int place = page.rowBlock * kPlacesPerBlock;
    int row = kFirstBodyRow;
    // The places are the whole blocks; a trailing partial block is not shown.
    const size_t lines = static_cast<size_t>(worksheet.placeCount()) * kRowsPerPlace;
    for (int k = 0; line < lines && row < kFirstBodyRow + kBodyRows; ++line, k = (k + 1) % 8) {
        if (!usesRow[k]) continue;
        const std::string& text = worksheet.lines[line];
        if (k == 0) {
            ++place;
            sheet.setValue(row, 0, std::to_string(place));
            std::string name = dropLastCharacters(u8(fieldAt(text, 2)), 4);
            size_t length = utf8Length(name);
            sheet.setValue(row, 1, name);
            if (length >= 15)
                sheet.setFontSize(CellRange::cell(row, 1), 8);
            else if (length >= 7)
                sheet.setFontSize(CellRange::cell(row, 1), 9);
        }
        if (shown[k]) {
            // One walk along the line: the group's columns are in catalog order, so
            // their fields come in ascending order too.
            FieldCursor fields(text);
            std::string_view value;
            for (size_t i = 0; i < columns.size() && i < static_cast<size_t>(kColumnsPerPage); ++i) {
                const size_t wanted = static_cast<size_t>(channelField(columns[i]));
                if (!fields.skip(wanted - fields.index()) || !fields.next(value)) break;  // fewer fields
                if (!value.empty()) sheet.setValue(row, kFirstChannelCol + static_cast<int>(i), u8(value));
            }
        }
        ++row;
    }
}

bool buildWorkbook(const WorkbookInputs& inputs, const std::function<bool(const SheetModel&)>& sink) {
    if (checkWorkbook(inputs) != WorkbookProblem::None) return false;
    const WorksheetDocument& worksheet = *inputs.worksheet;
    const PrintData2& data = inputs.settings.printData2;

    if (!sink(buildCover(data))) return false;
    if (!sink(buildContents(inputs.selection, inputs.settings))) return false;

    const PagePlan plan(inputs.selection, worksheet.placeCount());
    std::vector<std::vector<int>> columnsOfGroup;
    std::vector<std::string> baseNameOfGroup;
    for (int g = 0; g < plan.groupCount(); ++g) {
        columnsOfGroup.push_back(plan.columnsOf(plan.group(g)));
        const bool combined = g < static_cast<int>(plan.combinedGroups().size());
        const std::vector<int>& cols = columnsOfGroup.back();
        baseNameOfGroup.push_back(combined ? std::string("統合")
                                           : bandName(cols.empty() ? plan.group(g).start : cols.front()));
    }

    const SheetModel pageTemplate = buildPageTemplate();
    SheetNamer namer;
    for (int p = 1; p <= plan.pageCount(); ++p) {
        const PlannedPage page = plan.page(p);
        SheetModel sheet = pageTemplate;
        sheet.setName(namer.next(baseNameOfGroup[static_cast<size_t>(page.group)]));
        fillPage(sheet, p, page, columnsOfGroup[static_cast<size_t>(page.group)], worksheet, inputs.selection, data);
        if (!sink(sheet)) return false;
    }
    return true;
}

std::vector<SheetModel> buildWorkbookSheets(const WorkbookInputs& inputs) {
    std::vector<SheetModel> sheets;
    buildWorkbook(inputs, [&](const SheetModel& s) {
        sheets.push_back(s);
        return true;
    });
    return sheets;
}

}  // namespace mireva::excel
