#include "excel/sheet_model.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace mireva::excel {

namespace {

// The widest sheet the file format allows (column XFD) and its tallest.
constexpr int kMaxColumns = 16384;
constexpr int kMaxRows = 1048576;

bool parseCell(std::string_view text, int& row, int& col) {
    size_t i = 0;
    while (i < text.size() && text[i] >= 'A' && text[i] <= 'Z') ++i;
    if (i == 0 || i == text.size()) return false;
    col = columnIndex(text.substr(0, i));
    if (col < 0) return false;
    long long number = 0;
    for (size_t j = i; j < text.size(); ++j) {
        if (text[j] < '0' || text[j] > '9') return false;
        number = number * 10 + (text[j] - '0');
        if (number > kMaxRows) return false;
    }
    if (number < 1) return false;
    row = static_cast<int>(number - 1);
    return true;
}

}  // namespace

int columnIndex(std::string_view letters) {
    if (letters.empty() || letters.size() > 3) return -1;
    int value = 0;
    for (char c : letters) {
        if (c < 'A' || c > 'Z') return -1;
        value = value * 26 + (c - 'A' + 1);
    }
    return value - 1 < kMaxColumns ? value - 1 : -1;
}

std::string columnName(int col) {
    std::string out;
    for (int n = col + 1; n > 0; n = (n - 1) / 26) out.insert(out.begin(), static_cast<char>('A' + (n - 1) % 26));
    return out;
}

std::string cellName(int row, int col) { return columnName(col) + std::to_string(row + 1); }

std::optional<CellRange> parseRange(std::string_view text) {
    CellRange r;
    size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
        if (!parseCell(text, r.firstRow, r.firstCol)) return std::nullopt;
        r.lastRow = r.firstRow;
        r.lastCol = r.firstCol;
        return r;
    }
    if (!parseCell(text.substr(0, colon), r.firstRow, r.firstCol) ||
        !parseCell(text.substr(colon + 1), r.lastRow, r.lastCol))
        return std::nullopt;
    if (r.lastRow < r.firstRow || r.lastCol < r.firstCol) return std::nullopt;
    return r;
}

CellRange R(std::string_view text) {
    auto r = parseRange(text);
    if (!r) throw std::invalid_argument("malformed cell range: " + std::string(text));
    return *r;
}

SheetModel::SheetModel(std::string name) : name_(std::move(name)) {}

void SheetModel::ensure(int lastRow, int lastCol) {
    if (lastRow < 0 || lastCol < 0 || lastRow >= kMaxRows || lastCol >= kMaxColumns)
        throw std::out_of_range("cell outside the sheet");
    int rows = std::max(rows_, lastRow + 1);
    int cols = std::max(cols_, lastCol + 1);
    if (rows == rows_ && cols == cols_) return;
    std::vector<Cell> cells(static_cast<size_t>(rows) * cols);
    std::vector<Border> h(static_cast<size_t>(rows + 1) * cols);
    std::vector<Border> v(static_cast<size_t>(rows) * (cols + 1));
    for (int r = 0; r < rows_; ++r)
        for (int c = 0; c < cols_; ++c) cells[static_cast<size_t>(r) * cols + c] = std::move(cellAt(r, c));
    for (int b = 0; b <= rows_; ++b)
        for (int c = 0; c < cols_; ++c) h[static_cast<size_t>(b) * cols + c] = hEdgeAt(b, c);
    for (int r = 0; r < rows_; ++r)
        for (int b = 0; b <= cols_; ++b) v[static_cast<size_t>(r) * (cols + 1) + b] = vEdgeAt(r, b);
    cells_ = std::move(cells);
    hEdges_ = std::move(h);
    vEdges_ = std::move(v);
    rows_ = rows;
    cols_ = cols;
}

template <typename F>
void SheetModel::forEach(const CellRange& range, F&& f) {
    ensure(range.lastRow, range.lastCol);
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstCol; c <= range.lastCol; ++c) f(cellAt(r, c));
}

void SheetModel::setValue(int row, int col, std::string text) {
    ensure(row, col);
    cellAt(row, col).value = std::move(text);
}

void SheetModel::setValue(std::string_view cell, std::string text) {
    CellRange r = R(cell);
    setValue(r.firstRow, r.firstCol, std::move(text));
}

const std::string* SheetModel::value(int row, int col) const {
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return nullptr;
    const std::string& v = cellAt(row, col).value;
    return v.empty() ? nullptr : &v;
}

bool SheetModel::merge(const CellRange& range) {
    if (range.isSingleCell()) return false;
    ensure(range.lastRow, range.lastCol);
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstCol; c <= range.lastCol; ++c)
            if (cellAt(r, c).merge >= 0) return false;
    int index = static_cast<int>(merges_.size());
    merges_.push_back(range);
    forEach(range, [&](Cell& cell) { cell.merge = index; });
    return true;
}

const CellRange* SheetModel::mergeAt(int row, int col) const {
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return nullptr;
    int m = cellAt(row, col).merge;
    return m >= 0 ? &merges_[static_cast<size_t>(m)] : nullptr;
}

void SheetModel::setHorizontalAlignment(const CellRange& range, HAlign align) {
    forEach(range, [&](Cell& cell) { cell.style.horizontal = align; });
}

void SheetModel::setVerticalAlignment(const CellRange& range, VAlign align) {
    forEach(range, [&](Cell& cell) { cell.style.vertical = align; });
}

void SheetModel::setFontSize(const CellRange& range, double points) {
    auto tenths = static_cast<std::uint16_t>(std::lround(points * 10));
    forEach(range, [&](Cell& cell) { cell.style.fontTenths = tenths; });
}

void SheetModel::setNumberFormat(const CellRange& range, const std::string& format) {
    std::uint8_t id = 0;
    for (size_t i = 0; i < numberFormats_.size(); ++i)
        if (numberFormats_[i] == format) id = static_cast<std::uint8_t>(i);
    if (id == 0 && !format.empty()) {
        if (numberFormats_.size() >= 255) throw std::length_error("too many number formats");
        numberFormats_.push_back(format);
        id = static_cast<std::uint8_t>(numberFormats_.size() - 1);
    }
    forEach(range, [&](Cell& cell) { cell.style.numberFormat = id; });
}

void SheetModel::setWrapText(const CellRange& range, bool wrap) {
    forEach(range, [&](Cell& cell) { cell.style.wrap = wrap; });
}

void SheetModel::setShrinkToFit(const CellRange& range, bool shrink) {
    forEach(range, [&](Cell& cell) { cell.style.shrink = shrink; });
}

void SheetModel::setBorders(const CellRange& range, Border border) {
    ensure(range.lastRow, range.lastCol);
    for (int b = range.firstRow; b <= range.lastRow + 1; ++b)
        for (int c = range.firstCol; c <= range.lastCol; ++c) hEdge(b, c) = border;
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int b = range.firstCol; b <= range.lastCol + 1; ++b) vEdge(r, b) = border;
}

void SheetModel::setBorderAround(const CellRange& range, Border border) {
    ensure(range.lastRow, range.lastCol);
    for (int c = range.firstCol; c <= range.lastCol; ++c) {
        hEdge(range.firstRow, c) = border;
        hEdge(range.lastRow + 1, c) = border;
    }
    for (int r = range.firstRow; r <= range.lastRow; ++r) {
        vEdge(r, range.firstCol) = border;
        vEdge(r, range.lastCol + 1) = border;
    }
}

void SheetModel::setColumnWidth(int firstCol, int lastCol, double width) {
    if (firstCol < 0 || lastCol < firstCol || lastCol >= kMaxColumns)
        throw std::out_of_range("column outside the sheet");
    if (static_cast<int>(columnWidths_.size()) <= lastCol) columnWidths_.resize(static_cast<size_t>(lastCol) + 1);
    for (int c = firstCol; c <= lastCol; ++c) columnWidths_[static_cast<size_t>(c)] = width;
}

void SheetModel::setRowHeight(int firstRow, int lastRow, double height) {
    if (firstRow < 0 || lastRow < firstRow || lastRow >= kMaxRows) throw std::out_of_range("row outside the sheet");
    if (static_cast<int>(rowHeights_.size()) <= lastRow) rowHeights_.resize(static_cast<size_t>(lastRow) + 1);
    for (int r = firstRow; r <= lastRow; ++r) rowHeights_[static_cast<size_t>(r)] = height;
}

std::optional<double> SheetModel::columnWidth(int col) const {
    return col >= 0 && col < static_cast<int>(columnWidths_.size()) ? columnWidths_[static_cast<size_t>(col)]
                                                                    : std::nullopt;
}

std::optional<double> SheetModel::rowHeight(int row) const {
    return row >= 0 && row < static_cast<int>(rowHeights_.size()) ? rowHeights_[static_cast<size_t>(row)]
                                                                  : std::nullopt;
}

ResolvedFormat SheetModel::format(int row, int col) const {
    ResolvedFormat f;
    if (row < 0 || col < 0 || row >= rows_ || col >= cols_) return f;
    const Cell& cell = cellAt(row, col);
    f.style = cell.style;
    f.top = hEdgeAt(row, col);
    f.bottom = hEdgeAt(row + 1, col);
    f.left = vEdgeAt(row, col);
    f.right = vEdgeAt(row, col + 1);
    if (cell.merge >= 0) {
        const CellRange& m = merges_[static_cast<size_t>(cell.merge)];
        if (row > m.firstRow) f.top = kNoBorder;
        if (row < m.lastRow) f.bottom = kNoBorder;
        if (col > m.firstCol) f.left = kNoBorder;
        if (col < m.lastCol) f.right = kNoBorder;
    }
    return f;
}

}  // namespace mireva::excel
