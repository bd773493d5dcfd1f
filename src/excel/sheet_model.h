// One spreadsheet sheet as the workbook export builds it: values, merges and the
// range operations of a spreadsheet (alignment, font size, number format, wrap,
// column widths, row heights, borders on edges, inside lines and around ranges),
// applied in order. Later settings override earlier ones on the same cells; a
// border belongs to the edge between two cells, so whichever rule last set an edge
// wins on both sides of it. The resolved per-cell formats are what the writer
// turns into the file. Texts are UTF-8, as the workbook stores them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mireva::excel {

// A rectangle of cells, 0-based rows and columns, both corners included.
struct CellRange {
    int firstRow = 0;
    int firstCol = 0;
    int lastRow = 0;
    int lastCol = 0;

    static CellRange cell(int row, int col) { return {row, col, row, col}; }
    bool contains(int row, int col) const {
        return row >= firstRow && row <= lastRow && col >= firstCol && col <= lastCol;
    }
    bool overlaps(const CellRange& o) const {
        return firstRow <= o.lastRow && o.firstRow <= lastRow && firstCol <= o.lastCol && o.firstCol <= lastCol;
    }
    bool isSingleCell() const { return firstRow == lastRow && firstCol == lastCol; }
    bool operator==(const CellRange&) const = default;
};

// "A" -> 0, "AD" -> 29; -1 when the text is not a column name.
int columnIndex(std::string_view letters);
// 0 -> "A", 29 -> "AD".
std::string columnName(int col);
// "AD75" for row 74, column 29.
std::string cellName(int row, int col);
// "A1" or "A1:AD75"; nullopt when malformed.
std::optional<CellRange> parseRange(std::string_view text);
// The same for the fixed ranges of a layout: a malformed text is a programming error
// and throws std::invalid_argument.
CellRange R(std::string_view text);

enum class LineStyle : std::uint8_t { None, Continuous, Dashed };
enum class LineWeight : std::uint8_t { Hairline, Thin, Medium };

// One border line; the colour is always black.
struct Border {
    LineStyle style = LineStyle::None;
    LineWeight weight = LineWeight::Thin;
    bool isNone() const { return style == LineStyle::None; }
    bool operator==(const Border&) const = default;
};

inline constexpr Border kNoBorder{};
inline constexpr Border kDashedThin{LineStyle::Dashed, LineWeight::Thin};
inline constexpr Border kHairline{LineStyle::Continuous, LineWeight::Hairline};
inline constexpr Border kThin{LineStyle::Continuous, LineWeight::Thin};
inline constexpr Border kMedium{LineStyle::Continuous, LineWeight::Medium};

enum class HAlign : std::uint8_t { General, Left, Center };
enum class VAlign : std::uint8_t { Default, Bottom, Top };

// What a cell carries apart from its value and borders.
struct CellStyle {
    HAlign horizontal = HAlign::General;
    VAlign vertical = VAlign::Default;
    bool wrap = false;
    bool shrink = false;            // the text is made smaller until it fits the cell
    std::uint8_t numberFormat = 0;  // index into SheetModel::numberFormats(); 0 = general
    std::uint16_t fontTenths = 0;   // font size in tenths of a point; 0 = the workbook's default
    bool operator==(const CellStyle&) const = default;
};

// A cell's complete format after every operation has been applied.
struct ResolvedFormat {
    CellStyle style;
    Border top, bottom, left, right;
    bool isDefault() const { return *this == ResolvedFormat{}; }
    double fontSize() const { return style.fontTenths / 10.0; }  // 0 = default
    bool operator==(const ResolvedFormat&) const = default;
};

struct PageSetup {
    std::optional<CellRange> printArea;
    bool fitToPage = false;  // zoom off, fit to fitWide x fitTall pages
    int fitWide = 0;
    int fitTall = 0;
    std::optional<double> rightMargin;  // inches
    int paperSize = 0;                  // 0 = printer default, 9 = A4
    bool portrait = true;
};

class SheetModel {
public:
    explicit SheetModel(std::string name = {});

    const std::string& name() const { return name_; }
    void setName(std::string name) { name_ = std::move(name); }

    // Values (text). An empty text clears the cell's value.
    void setValue(int row, int col, std::string text);
    void setValue(std::string_view cell, std::string text);
    const std::string* value(int row, int col) const;

    // False (and nothing changes) for a single cell or a range that overlaps an
    // earlier merge: the file format cannot hold overlapping merges.
    bool merge(const CellRange& range);
    const std::vector<CellRange>& merges() const { return merges_; }
    // The merged range holding the cell, if any.
    const CellRange* mergeAt(int row, int col) const;

    void setHorizontalAlignment(const CellRange& range, HAlign align);
    void setVerticalAlignment(const CellRange& range, VAlign align);
    void setFontSize(const CellRange& range, double points);
    void setNumberFormat(const CellRange& range, const std::string& format);
    void setWrapText(const CellRange& range, bool wrap);
    void setShrinkToFit(const CellRange& range, bool shrink);

    // Ranges whose numbers written as text the spreadsheet is told not to flag.
    void ignoreNumbersStoredAsText(const CellRange& range) { numbersAsTextIgnored_.push_back(range); }
    const std::vector<CellRange>& numbersStoredAsTextIgnored() const { return numbersAsTextIgnored_; }

    // Every edge and every inside line of the range.
    void setBorders(const CellRange& range, Border border);
    // The four outer edges only.
    void setBorderAround(const CellRange& range, Border border);

    void setColumnWidth(int firstCol, int lastCol, double width);
    void setRowHeight(int firstRow, int lastRow, double height);
    // nullopt = the default width or height.
    std::optional<double> columnWidth(int col) const;
    std::optional<double> rowHeight(int row) const;

    PageSetup& pageSetup() { return page_; }
    const PageSetup& pageSetup() const { return page_; }

    // The format a cell shows: its style and the borders of its four edges. Edges
    // inside a merged range are not shown and resolve to no border.
    ResolvedFormat format(int row, int col) const;

    // Rows and columns that any operation touched (0 when the sheet is blank).
    int rowCount() const { return rows_; }
    int columnCount() const { return cols_; }

    const std::vector<std::string>& numberFormats() const { return numberFormats_; }

private:
    struct Cell {
        std::string value;
        CellStyle style;
        int merge = -1;  // index into merges_
    };

    void ensure(int lastRow, int lastCol);
    Cell& cellAt(int row, int col) { return cells_[static_cast<size_t>(row) * cols_ + col]; }
    const Cell& cellAt(int row, int col) const { return cells_[static_cast<size_t>(row) * cols_ + col]; }
    // Horizontal edge above row `boundary` (0..rows) at a column; vertical edge left of
    // column `boundary` (0..cols) in a row.
    Border& hEdge(int boundary, int col) { return hEdges_[static_cast<size_t>(boundary) * cols_ + col]; }
    Border& vEdge(int row, int boundary) { return vEdges_[static_cast<size_t>(row) * (cols_ + 1) + boundary]; }
    Border hEdgeAt(int boundary, int col) const { return hEdges_[static_cast<size_t>(boundary) * cols_ + col]; }
    Border vEdgeAt(int row, int boundary) const { return vEdges_[static_cast<size_t>(row) * (cols_ + 1) + boundary]; }
    template <typename F>
    void forEach(const CellRange& range, F&& f);

    std::string name_;
    int rows_ = 0;
    int cols_ = 0;
    std::vector<Cell> cells_;
    std::vector<Border> hEdges_;  // (rows + 1) x cols
    std::vector<Border> vEdges_;  // rows x (cols + 1)
    std::vector<CellRange> merges_;
    std::vector<std::optional<double>> columnWidths_;
    std::vector<std::optional<double>> rowHeights_;
    std::vector<std::string> numberFormats_{""};
    std::vector<CellRange> numbersAsTextIgnored_;
    PageSetup page_;
};

}  // namespace mireva::excel
