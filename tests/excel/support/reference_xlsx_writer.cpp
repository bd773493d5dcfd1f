#include "reference_xlsx_writer.h"

#include <cerrno>
#include <cstring>
#include <set>
#include <system_error>
#include <unordered_map>

#include <xlsxwriter.h>

#include "core/error_reason.h"

namespace mireva::test {
using namespace mireva::excel;

namespace {

std::uint8_t lxwBorder(Border b) {
    switch (b.style) {
        case LineStyle::None:
            return LXW_BORDER_NONE;
        case LineStyle::Continuous:
            switch (b.weight) {
                case LineWeight::Hairline:
                    return LXW_BORDER_HAIR;
                case LineWeight::Thin:
                    return LXW_BORDER_THIN;
                case LineWeight::Medium:
                    return LXW_BORDER_MEDIUM;
            }
            break;
        case LineStyle::Dashed:
            switch (b.weight) {
                case LineWeight::Hairline:
                    return LXW_BORDER_HAIR;
                case LineWeight::Thin:
                    return LXW_BORDER_DASHED;
                case LineWeight::Medium:
                    return LXW_BORDER_MEDIUM_DASHED;
            }
            break;
    }
    return LXW_BORDER_NONE;
}

// The workbook's default font size (11 pt), in tenths: a cell set to it needs no
// font of its own.
constexpr std::uint16_t kDefaultFontTenths = 110;

// The cell style every cell starts from, as Japanese spreadsheet programs have it:
// their Japanese face at 11 pt, vertically centred. A cell format replaces the
// default one as a whole, so every format of the workbook carries the face and the
// centring too, unless it sets its own vertical alignment.
constexpr const char* kDefaultFontName = "ＭＳ Ｐゴシック";
constexpr std::uint8_t kFontFamilyModern = 3;

void setDefaultFace(lxw_format* format) {
    format_set_font_name(format, kDefaultFontName);
    format_set_font_family(format, kFontFamilyModern);
    // No theme font: the face named above is the one shown.
    format_set_font_scheme(format, "");
    format_set_align(format, LXW_ALIGN_VERTICAL_CENTER);
}

// The library counts sheets in 16 bits.
constexpr int kMaxSheets = 65535;

}  // namespace

struct ReferenceXlsxWriter::State {
    lxw_workbook* workbook = nullptr;
    std::unordered_map<std::uint64_t, lxw_format*> formats;
    std::vector<std::string> numberFormats{""};  // the workbook's, by global id
    std::set<std::string> names;

    std::uint8_t numberFormatId(const std::string& text) {
        for (size_t i = 0; i < numberFormats.size(); ++i)
            if (numberFormats[i] == text) return static_cast<std::uint8_t>(i);
        numberFormats.push_back(text);
        return static_cast<std::uint8_t>(numberFormats.size() - 1);
    }

    // `numberFormat` is the workbook-wide id of the cell's number format.
    lxw_format* formatFor(const ResolvedFormat& f, std::uint8_t numberFormat) {
        std::uint64_t key = f.style.fontTenths;
        key = key << 2 | static_cast<std::uint64_t>(f.style.horizontal);
        key = key << 2 | static_cast<std::uint64_t>(f.style.vertical);
        key = key << 1 | (f.style.wrap ? 1u : 0u);
        key = key << 1 | (f.style.shrink ? 1u : 0u);
        key = key << 8 | numberFormat;
        for (Border b : {f.top, f.bottom, f.left, f.right})
            key = key << 4 | static_cast<std::uint64_t>(b.style) << 2 | static_cast<std::uint64_t>(b.weight);
        auto it = formats.find(key);
        if (it != formats.end()) return it->second;

        lxw_format* fmt = workbook_add_format(workbook);
        if (!fmt) return nullptr;
        setDefaultFace(fmt);
        if (f.style.fontTenths) format_set_font_size(fmt, f.style.fontTenths / 10.0);
        if (f.style.horizontal == HAlign::Left) format_set_align(fmt, LXW_ALIGN_LEFT);
        if (f.style.horizontal == HAlign::Center) format_set_align(fmt, LXW_ALIGN_CENTER);
        if (f.style.vertical == VAlign::Bottom) format_set_align(fmt, LXW_ALIGN_VERTICAL_BOTTOM);
        if (f.style.vertical == VAlign::Top) format_set_align(fmt, LXW_ALIGN_VERTICAL_TOP);
        if (f.style.wrap) format_set_text_wrap(fmt);
        if (f.style.shrink) format_set_shrink(fmt);
        if (numberFormat) format_set_num_format(fmt, numberFormats[numberFormat].c_str());
        if (!f.top.isNone()) {
            format_set_top(fmt, lxwBorder(f.top));
            format_set_top_color(fmt, LXW_COLOR_BLACK);
        }
        if (!f.bottom.isNone()) {
            format_set_bottom(fmt, lxwBorder(f.bottom));
            format_set_bottom_color(fmt, LXW_COLOR_BLACK);
        }
        if (!f.left.isNone()) {
            format_set_left(fmt, lxwBorder(f.left));
            format_set_left_color(fmt, LXW_COLOR_BLACK);
        }
        if (!f.right.isNone()) {
            format_set_right(fmt, lxwBorder(f.right));
            format_set_right_color(fmt, LXW_COLOR_BLACK);
        }
        formats.emplace(key, fmt);
        return fmt;
    }
};

ReferenceXlsxWriter::ReferenceXlsxWriter(std::filesystem::path target) : target_(std::move(target)), file_(target_) {}

ReferenceXlsxWriter::~ReferenceXlsxWriter() { abandon(); }

bool ReferenceXlsxWriter::fail(std::string message) {
    failed_ = true;
    if (error_.empty()) error_ = std::move(message);
    return false;
}

bool ReferenceXlsxWriter::open() {
    abandon();
    failed_ = false;
    error_.clear();
    errorNumber_ = 0;
    sheets_ = 0;
    // The scratch file is made now, so a target that cannot be replaced is refused
    // before any work; the library writes the finished workbook into it at the end.
    if (!file_.open()) {
        errorNumber_ = file_.errorNumber();
        return fail(file_.error());
    }
    scratchName_ = file_.scratchAccessPath().string();
    state_ = std::make_unique<State>();
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    state_->workbook = workbook_new_opt(scratchName_.c_str(), &options);
    if (!state_->workbook) {
        state_.reset();
        file_.abandon();
        return fail("cannot create the workbook");
    }
    // The library's first format is the workbook's default cell style.
    if (lxw_format* defaultFormat = STAILQ_FIRST(state_->workbook->formats)) setDefaultFace(defaultFormat);
    return true;
}

bool ReferenceXlsxWriter::addSheet(const SheetModel& sheet) {
    if (!state_ || failed_) return fail("the workbook is not open");
    if (sheet.name().empty()) return fail("a sheet has no name");
    if (sheets_ >= kMaxSheets) return fail("too many sheets for one workbook");
    lxw_error nameCheck = workbook_validate_sheet_name(state_->workbook, sheet.name().c_str());
    if (nameCheck != LXW_NO_ERROR || !state_->names.insert(sheet.name()).second)
        return fail("sheet name refused: " + sheet.name());
    lxw_worksheet* ws = workbook_add_worksheet(state_->workbook, sheet.name().c_str());
    if (!ws) return fail("cannot create sheet " + sheet.name());
    ++sheets_;

    // Column widths, consecutive equal widths as one run.
    for (int c = 0; c < sheet.columnCount() || sheet.columnWidth(c); ++c) {
        auto w = sheet.columnWidth(c);
        if (!w) continue;
        int last = c;
        while (sheet.columnWidth(last + 1) == w) ++last;
        worksheet_set_column(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(last), *w, nullptr);
        c = last;
    }

    // Merges are registered when the writer stands on their last row: earlier rows
    // are already flushed, and a merge needs its whole range to be reachable.
    std::vector<std::vector<const CellRange*>> mergesEndingAt(static_cast<size_t>(sheet.rowCount()));
    for (const CellRange& m : sheet.merges()) mergesEndingAt[static_cast<size_t>(m.lastRow)].push_back(&m);

    std::vector<std::uint8_t> numberFormatIds;
    for (const std::string& text : sheet.numberFormats()) numberFormatIds.push_back(state_->numberFormatId(text));
    int rowEnd = sheet.rowCount();
    while (sheet.rowHeight(rowEnd)) ++rowEnd;
    for (int r = 0; r < rowEnd; ++r) {
        bool rowStarted = false;
        if (auto h = sheet.rowHeight(r)) {
            worksheet_set_row(ws, static_cast<lxw_row_t>(r), *h, nullptr);
            rowStarted = true;
        }
        if (r >= sheet.rowCount()) continue;
        for (int c = 0; c < sheet.columnCount(); ++c) {
            ResolvedFormat f = sheet.format(r, c);
            const std::string* v = sheet.value(r, c);
            if (f.style.fontTenths == kDefaultFontTenths) f.style.fontTenths = 0;
            if (!v && f.isDefault()) continue;
            // A cell hidden under a merge shows nothing but its share of the merge's
            // outline: without borders it need not be written at all.
            if (!v && f.top.isNone() && f.bottom.isNone() && f.left.isNone() && f.right.isNone()) {
                const CellRange* m = sheet.mergeAt(r, c);
                if (m && (m->firstRow != r || m->firstCol != c)) continue;
            }
            lxw_format* fmt = f.isDefault() ? nullptr : state_->formatFor(f, numberFormatIds[f.style.numberFormat]);
            if (!f.isDefault() && !fmt) return fail("cannot create a cell format");
            lxw_error e =
                v ? worksheet_write_string(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), v->c_str(), fmt)
                  : worksheet_write_blank(ws, static_cast<lxw_row_t>(r), static_cast<lxw_col_t>(c), fmt);
            if (e != LXW_NO_ERROR)
                return fail(std::string("cannot write cell ") + cellName(r, c) + ": " + lxw_strerror(e));
            rowStarted = true;
        }
        const auto& ending = mergesEndingAt[static_cast<size_t>(r)];
        if (ending.empty()) continue;
        if (!rowStarted) worksheet_set_row(ws, static_cast<lxw_row_t>(r), LXW_DEF_ROW_HEIGHT, nullptr);
        for (const CellRange* m : ending) {
            // An empty text without a format writes no cell: the cells of the range
            // keep what was written above, each with its own borders.
            lxw_error e = worksheet_merge_range(ws, static_cast<lxw_row_t>(m->firstRow),
                                                static_cast<lxw_col_t>(m->firstCol), static_cast<lxw_row_t>(m->lastRow),
                                                static_cast<lxw_col_t>(m->lastCol), "", nullptr);
            if (e != LXW_NO_ERROR)
                return fail("cannot merge " + cellName(m->firstRow, m->firstCol) + ":" +
                            cellName(m->lastRow, m->lastCol) + ": " + lxw_strerror(e));
        }
    }

    // One mark per kind of error, naming every range (blank-separated).
    std::string ignored;
    for (const CellRange& r : sheet.numbersStoredAsTextIgnored()) {
        if (!ignored.empty()) ignored += ' ';
        ignored += cellName(r.firstRow, r.firstCol);
        if (!r.isSingleCell()) ignored += ":" + cellName(r.lastRow, r.lastCol);
    }
    if (!ignored.empty() &&
        worksheet_ignore_errors(ws, LXW_IGNORE_NUMBER_STORED_AS_TEXT, ignored.c_str()) != LXW_NO_ERROR)
        return fail("cannot mark " + ignored + " as text");

    const PageSetup& page = sheet.pageSetup();
    if (page.printArea) {
        const CellRange& a = *page.printArea;
        worksheet_print_area(ws, static_cast<lxw_row_t>(a.firstRow), static_cast<lxw_col_t>(a.firstCol),
                             static_cast<lxw_row_t>(a.lastRow), static_cast<lxw_col_t>(a.lastCol));
    }
    if (page.fitToPage)
        worksheet_fit_to_pages(ws, static_cast<std::uint16_t>(page.fitWide), static_cast<std::uint16_t>(page.fitTall));
    if (page.rightMargin) worksheet_set_margins(ws, -1, *page.rightMargin, -1, -1);
    if (page.paperSize) worksheet_set_paper(ws, static_cast<std::uint8_t>(page.paperSize));
    if (page.portrait)
        worksheet_set_portrait(ws);
    else
        worksheet_set_landscape(ws);
    return true;
}

bool ReferenceXlsxWriter::commit() {
    if (!state_) return fail("the workbook is not open");
    if (failed_) {
        abandon();
        return false;
    }
    errno = 0;
    lxw_error e = workbook_close(state_->workbook);
    state_.reset();
    if (e != LXW_NO_ERROR) {
        errorNumber_ = errno;  // the system's reason when writing the file itself failed
        file_.abandon();
        return fail(std::string("cannot write the workbook: ") + lxw_strerror(e));
    }
    if (!file_.commit()) {
        errorNumber_ = file_.errorNumber();
        return fail(file_.error());
    }
    return true;
}

void ReferenceXlsxWriter::abandon() {
    if (state_) {
        // Released without being written (closing it would first assemble the whole
        // file, seconds for thousands of sheets): the sheets' own scratch files are
        // closed here, since freeing the workbook leaves them open.
        lxw_worksheet* sheet = nullptr;
        STAILQ_FOREACH(sheet, state_->workbook->worksheets, list_pointers) {
            if (sheet->optimize_tmpfile) {
                std::fclose(sheet->optimize_tmpfile);
                sheet->optimize_tmpfile = nullptr;
            }
        }
        lxw_workbook_free(state_->workbook);
        state_.reset();
    }
    file_.abandon();
}

size_t ReferenceXlsxWriter::formatCount() const { return state_ ? state_->formats.size() : 0; }

}  // namespace mireva::test
