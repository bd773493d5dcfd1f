#include "excel/xlsx_sheet_part.h"

#include <algorithm>
#include <climits>
#include <cstdint>

#include "excel/xlsx_package_parts.h"

namespace mireva::excel {

namespace {

// The most characters a cell's text may have.
constexpr size_t kMaxCellText = 32767;
constexpr double kDefaultColumnWidth = 8.43;

size_t utf8Length(const std::string& text) {
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The rectangle the written cells, rows and merges reach.
struct Dimension {
    int rowMin = INT_MAX, rowMax = -1, colMin = INT_MAX, colMax = -1;
    void add(int row, int col) {
        rowMin = std::min(rowMin, row);
        rowMax = std::max(rowMax, row);
        colMin = std::min(colMin, col);
        colMax = std::max(colMax, col);
    }
    // A row without a cell of its own reaches the columns met so far, or column A.
    void addRow(int row) { add(row, colMax < 0 ? 0 : colMin); }
    std::string ref() const {
        if (rowMax < 0) return "A1";
        if (rowMin == rowMax && colMin == colMax) return cellName(rowMin, colMin);
        return cellName(rowMin, colMin) + ":" + cellName(rowMax, colMax);
    }
};

void appendCellRef(std::string& out, int row, int col) {
    out += columnName(col);
    out += std::to_string(row + 1);
}

}  // namespace

double storedColumnWidth(double width) {
    constexpr double digit = 7.0, padding = 5.0;
    if (width <= 0) return width;
    if (width < 1)
        return static_cast<std::uint16_t>(static_cast<std::uint16_t>(width * (digit + padding) + 0.5) / digit * 256.0) /
               256.0;
    return static_cast<std::uint16_t>((static_cast<std::uint16_t>(width * digit + 0.5) + padding) / digit * 256.0) /
           256.0;
}

bool appendSheetXml(std::string& out, const SheetModel& sheet, XlsxStyles& styles, bool selected, std::string& error) {
    const PageSetup& page = sheet.pageSetup();
    std::vector<std::uint32_t> numberFormats;
    for (const std::string& text : sheet.numberFormats()) numberFormats.push_back(styles.numberFormatId(text));

    // The rows first: the dimension at the top of the part depends on them.
    std::string rows;
    rows.reserve(static_cast<size_t>(sheet.rowCount()) * static_cast<size_t>(sheet.columnCount()) * 24 + 64);
    Dimension dim;
    std::vector<std::vector<const CellRange*>> mergesEndingAt(static_cast<size_t>(sheet.rowCount()));
    for (const CellRange& m : sheet.merges()) mergesEndingAt[static_cast<size_t>(m.lastRow)].push_back(&m);
    std::vector<const CellRange*> mergeOrder;
    int rowEnd = sheet.rowCount();
    while (sheet.rowHeight(rowEnd)) ++rowEnd;
    std::string cells;
    for (int r = 0; r < rowEnd; ++r) {
        const auto height = sheet.rowHeight(r);
        bool rowStarted = height.has_value();
        if (height) dim.addRow(r);
        cells.clear();
        if (r < sheet.rowCount()) {
            for (int c = 0; c < sheet.columnCount(); ++c) {
                const ResolvedFormat f = sheet.format(r, c);
                const std::string* v = sheet.value(r, c);
                if (!v && f.isDefault()) continue;
                // A cell hidden under a merge shows nothing but its share of the merge's
                // outline: without borders it need not be written at all.
                if (!v && f.top.isNone() && f.bottom.isNone() && f.left.isNone() && f.right.isNone()) {
                    const CellRange* m = sheet.mergeAt(r, c);
                    if (m && (m->firstRow != r || m->firstCol != c)) continue;
                }
                const std::uint32_t xf = styles.cellFormat(f, numberFormats[f.style.numberFormat]);
                if (!v && xf == 0) continue;  // a blank cell of the default format is no cell
                if (v && utf8Length(*v) > kMaxCellText) {
                    error = "cannot write cell " + cellName(r, c) + ": the text is longer than a cell holds";
                    return false;
                }
                dim.add(r, c);
                rowStarted = true;
                cells += "<c r=\"";
                appendCellRef(cells, r, c);
                if (xf) {
                    cells += "\" s=\"";
                    cells += std::to_string(xf);
                }
                if (!v) {
                    cells += "\"/>";
                    continue;
                }
                cells += "\" t=\"inlineStr\"><is><t";
                if (!v->empty() && (isBlank(v->front()) || isBlank(v->back()))) cells += " xml:space=\"preserve\"";
                cells += '>';
                appendXmlText(cells, *v);
                cells += "</t></is></c>";
            }
        }
        static const std::vector<const CellRange*> kNone;
        const auto& ending = r < sheet.rowCount() ? mergesEndingAt[static_cast<size_t>(r)] : kNone;
        if (!ending.empty() && !rowStarted) {
            dim.addRow(r);
            rowStarted = true;
        }
        for (const CellRange* m : ending) {
            dim.add(m->lastRow, m->lastCol);
            mergeOrder.push_back(m);
        }
        if (!rowStarted) continue;
        rows += "<row r=\"";
        rows += std::to_string(r + 1);
        if (height && *height != 15.0) {
            rows += "\" ht=\"";
            rows += xmlNumber(*height);
            rows += "\" customHeight=\"1";
        }
        if (cells.empty()) {
            rows += "\"/>";
        } else {
            rows += "\">";
            rows += cells;
            rows += "</row>";
        }
    }

    out += kXmlDeclaration;
    out +=
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">";
    if (page.fitToPage) out += "<sheetPr><pageSetUpPr fitToPage=\"1\"/></sheetPr>";
    out += "<dimension ref=\"" + dim.ref() + "\"/><sheetViews><sheetView ";
    if (selected) out += "tabSelected=\"1\" ";
    out += "workbookViewId=\"0\"/></sheetViews><sheetFormatPr defaultRowHeight=\"15\"/>";

    // Column widths, consecutive equal widths as one run.
    std::string cols;
    for (int c = 0; c < sheet.columnCount() || sheet.columnWidth(c); ++c) {
        const auto w = sheet.columnWidth(c);
        if (!w) continue;
        int last = c;
        while (sheet.columnWidth(last + 1) == w) ++last;
        cols += "<col min=\"" + std::to_string(c + 1) + "\" max=\"" + std::to_string(last + 1) + "\" width=\"" +
                xmlNumber(storedColumnWidth(*w)) + "\"";
        if (*w != kDefaultColumnWidth) cols += " customWidth=\"1\"";
        cols += "/>";
        c = last;
    }
    if (!cols.empty()) out += "<cols>" + cols + "</cols>";

    if (rows.empty()) {
        out += "<sheetData/>";
    } else {
        out += "<sheetData>";
        out += rows;
        out += "</sheetData>";
    }
    if (!mergeOrder.empty()) {
        out += "<mergeCells count=\"" + std::to_string(mergeOrder.size()) + "\">";
        for (const CellRange* m : mergeOrder)
            out += "<mergeCell ref=\"" + cellName(m->firstRow, m->firstCol) + ":" + cellName(m->lastRow, m->lastCol) +
                   "\"/>";
        out += "</mergeCells>";
    }
    out += "<pageMargins left=\"0.7\" right=\"" + xmlNumber(page.rightMargin.value_or(0.7)) +
           "\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" footer=\"0.3\"/><pageSetup";
    if (page.paperSize) out += " paperSize=\"" + std::to_string(page.paperSize) + "\"";
    if (page.fitToPage && page.fitWide != 1) out += " fitToWidth=\"" + std::to_string(page.fitWide) + "\"";
    if (page.fitToPage && page.fitTall != 1) out += " fitToHeight=\"" + std::to_string(page.fitTall) + "\"";
    out += page.portrait ? " orientation=\"portrait\"/>" : " orientation=\"landscape\"/>";

    // One mark per kind of error, naming every range (blank-separated).
    if (!sheet.numbersStoredAsTextIgnored().empty()) {
        out += "<ignoredErrors><ignoredError sqref=\"";
        bool first = true;
        for (const CellRange& r : sheet.numbersStoredAsTextIgnored()) {
            if (!first) out += ' ';
            first = false;
            out += cellName(r.firstRow, r.firstCol);
            if (!r.isSingleCell()) out += ":" + cellName(r.lastRow, r.lastCol);
        }
        out += "\" numberStoredAsText=\"1\"/></ignoredErrors>";
    }
    out += "</worksheet>";
    return true;
}

}  // namespace mireva::excel
