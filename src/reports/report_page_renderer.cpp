#include "reports/report_page_renderer.h"

#include <cstdio>
#include <utility>

#include "core/cp932.h"
#include "core/text.h"

namespace mireva {

using namespace report_layout;

namespace {

constexpr int kMaxFieldCharacters = 63;
constexpr int kTextDrop = 300;

bool isLeadByte(unsigned char b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

// Byte length of the first `characters` characters.
size_t prefixBytes(std::string_view text, int characters) {
    size_t i = 0;
    for (int n = 0; n < characters && i < text.size(); ++n)
        i += (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    return i;
}

const Sj& bandLabel(int channelIndex) {
    static const Sj kLabels[] = {sj("地デジ"),   sj("BSCS(右旋)"), sj("BSCS(左旋)"), sj("CATV"),  sj("CATV上り"),
                                 sj("JCSAT-3A"), sj("JCSAT-4B"),   sj("SCC-B"),      sj("SCC-C"), sj("LTE"),
                                 sj("FM"),       sj("スカパー！"), sj("PILOT")};
    return kLabels[groupingBandOf(channelIndex)];
}

const Sj& rowLabel(int r) {
    switch (r) {
        case 0:
            return sj("周波数");
        case 1:
            return sj("局発");
        case 2:
            return sj("レベル");
        case 3:
            return sj("BER");
        case 4:
            return sj("MER");
        default:
            return sj("C/N");
    }
}

int columnX(size_t c) { return kChannelLeft + kTextInset + kColumnWidth * static_cast<int>(c); }

// Draws non-empty text only: an empty field prints nothing.
void put(ReportCanvas& canvas, int x, int top, int height, SjView text) {
    if (!text.empty()) canvas.text(x, top, height, text);
}

// Pens are switched only when the next drawing needs another one.
class PenState {
public:
    explicit PenState(ReportCanvas& canvas) : canvas_(canvas) {}
    void use(ReportPen pen) {
        if (set_ && pen == pen_) return;
        canvas_.setPen(pen);
        pen_ = pen;
        set_ = true;
    }

private:
    ReportCanvas& canvas_;
    ReportPen pen_ = ReportPen::Plain;
    bool set_ = false;
};

// One labelled value of a page head row: the label centred at `labelX` in its cell, the
// value in the cell after it.
struct HeadField {
    int labelX;
    SjView label;
    SjView value;
};

// A page head row below the first: a left and a right labelled value between the line
// at `top` and the one at `bottom` (drawn with `bottomPen`), the four cells split by
// dotted lines, the texts on the row's middle.
void drawHeadRow(ReportCanvas& canvas, PenState& pen, int top, int bottom, ReportPen bottomPen, const HeadField& left,
                 const HeadField& right) {
    pen.use(bottomPen);
    canvas.line(kFrameLeft, bottom, kFrameRight, bottom);
    pen.use(ReportPen::Dotted);
    for (int x : {4400, 10150, 12900}) canvas.line(x, top, x, bottom);
    const int middle = (top + bottom) / 2;
    put(canvas, left.labelX, middle, 300, left.label);
    put(canvas, 4750, middle, 300, left.value);
    put(canvas, right.labelX, middle, 300, right.label);
    put(canvas, 13250, middle, 300, right.value);
}

}  // namespace

int cp932Length(std::string_view text) {
    int n = 0;
    for (size_t i = 0; i < text.size(); ++n)
        i += (isLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size()) ? 2 : 1;
    return n;
}

std::string_view cp932Prefix(std::string_view text, int characters) {
    return text.substr(0, prefixBytes(text, characters));
}

std::string_view cp932DropLast(std::string_view text, int characters) {
    const int length = cp932Length(text);
    if (length <= characters) return {};
    return cp932Prefix(text, length - characters);
}

ReportPageRenderer::ReportPageRenderer(WorksheetLines worksheet, const AggregationSummary& current, PrintData2 header)
    : worksheet_(std::move(worksheet)),
      selection_(current),
      header_(std::move(header)),
      plan_(current, worksheet_.placeCount()) {}

void ReportPageRenderer::render(ReportCanvas& canvas, int pageNumber) const {
    const PlannedPage page = plan_.page(pageNumber);
    const std::vector<int> columns = plan_.columnsOf(page.columns);
    drawSkeleton(canvas, pageNumber);
    drawColumns(canvas, columns);
    drawBody(canvas, page.rowBlock, columns);
}

void ReportPageRenderer::drawSkeleton(ReportCanvas& canvas, int pageNumber) const {
    PenState pen(canvas);

    pen.use(ReportPen::Frame);
    canvas.rectangle(kFrameLeft, kFrameBottom, kFrameRight, kFrameTop);

    // Row A: property, title, page number.
    pen.use(ReportPen::Plain);
    canvas.line(kFrameLeft, 26820, kFrameRight, 26820);
    put(canvas, 1720, 27216, 280, sj("　物件名："));
    put(canvas, 3050, 27216, 280, SjView{header_.properName});
    put(canvas, 7500, 27373, 500, SjView{header_.title});
    canvas.line(16775, kFrameTop, 16775, 26820);
    char number[32];
    std::snprintf(number, sizeof number, "     No. %d", pageNumber);
    put(canvas, 17463, 27216, 200, SjView{std::string_view(number)});

    // Row B: test date and weather; row C: tester and equipment.
    drawHeadRow(canvas, pen, 26820, 26140, ReportPen::Dotted, {2350, sj("試　験　日"), SjView{header_.measureDate}},
                {10990, sj("天　　候"), SjView{header_.weather}});
    drawHeadRow(canvas, pen, 26140, 25460, ReportPen::Plain, {2350, sj("試　験　者"), SjView{header_.measureName}},
                {10640, sj("測　定　器　具"), SjView{header_.measureEquip}});

    // Row D: the table head with its title, band and channel strips.
    pen.use(ReportPen::Plain);
    canvas.line(kChannelLeft, kTableTop, kChannelLeft, 25460);
    canvas.line(kFrameLeft, kTableTop, kFrameRight, kTableTop);
    pen.use(ReportPen::Dotted);
    canvas.line(kChannelLeft, 25120, kFrameRight, 25120);
    canvas.line(kChannelLeft, 24780, kFrameRight, 24780);
    put(canvas, 10150, 25420, 300, sj("測　定　チ　ャ　ン　ネ　ル"));
    put(canvas, 1664, 25120, 300, "NO.");
    put(canvas, 2270, 25120, 300, sj("階"));
    put(canvas, 2710, 25120, 300, sj("設置場所"));
    canvas.line(2200, 25460, 2200, kTableBottom);
    canvas.line(2640, 25460, 2640, kTableTop);
    canvas.line(3300, kTableTop, 3300, kTableBottom);
    for (int c = 0; c < kColumnsPerPage; ++c) {
        pen.use(c == 0 ? ReportPen::Plain : ReportPen::Dotted);
        const int x = kChannelLeft + kColumnWidth * c;
        canvas.line(x, 24780, x, kTableBottom);
    }

    // Table rows: a plain line under every place, dotted lines between its rows.
    for (int r = 1; r <= kTableRows; ++r) {
        const int y = kTableTop - kRowHeight * r;
        if (r % 6 == 0) {
            pen.use(ReportPen::Plain);
            canvas.line(kFrameLeft, y, kFrameRight, y);
        } else {
            pen.use(ReportPen::Dotted);
            canvas.line(3300, y, kFrameRight, y);
        }
    }
    pen.use(ReportPen::Plain);

    // Notes and footer.
    put(canvas, 1720, 3870, 300, sj("追記事項"));
    put(canvas, 1720, 3400, 300, SjView{header_.addNote});
    put(canvas, 8025, 2300, 400, SjView{header_.footer});

    // Row labels.
    for (int r = 1; r <= kTableRows; ++r)
        put(canvas, 3370, kTableTop - kRowHeight * r + kTextDrop, 250, rowLabel((r - 1) % 6));
}

void ReportPageRenderer::drawColumns(ReportCanvas& canvas, const std::vector<int>& columns) const {
    const Sj* previous = nullptr;
    for (size_t c = 0; c < columns.size(); ++c) {
        const Sj& label = bandLabel(columns[c]);
        if (previous == nullptr || *previous != label) put(canvas, columnX(c), 25012, 180, label);
        previous = &label;
    }
    if (!worksheet_.hasHeader2()) return;
    for (size_t c = 0; c < columns.size(); ++c) {
        std::string_view name =
            cp932Prefix(fieldAt(worksheet_.header2(), channelField(columns[c])), kMaxFieldCharacters);
        put(canvas, columnX(c), 24672, cp932Length(name) < 5 ? 200 : 180, SjView{name});
    }
}

void ReportPageRenderer::drawBody(ReportCanvas& canvas, int rowBlock, const std::vector<int>& columns) const {
    const size_t first = static_cast<size_t>(rowBlock) * kPlacesPerBlock * kRowsPerPlace;
    int place = kPlacesPerBlock * rowBlock;
    int y = kTableTop - kRowHeight;  // bottom line of the row being drawn
    int rowsUsed = 0;
    std::vector<std::string_view> fields;
    // The places are the whole blocks; a trailing partial block is not printed.
    const size_t lines = static_cast<size_t>(worksheet_.placeCount()) * kRowsPerPlace;
    for (size_t n = first; n < lines && rowsUsed < kTableRows; ++n) {
        const auto kind = static_cast<BlockRow>((n - first) % kRowsPerPlace);
        bool draw = true;
        switch (kind) {
            case BlockRow::BerA:
            case BlockRow::BerC:
                continue;  // never printed, uses no row
            case BlockRow::Ber:
                draw = selection_.berPresent != 0;
                break;
            case BlockRow::Mer:
                draw = selection_.merPresent != 0;
                break;
            case BlockRow::Cn:
                draw = selection_.cnPresent != 0;
                break;
            case BlockRow::Frequency:
                ++place;
                break;
            default:
                break;
        }
        if (draw) {
            const std::string_view line = worksheet_.dataLine(n);
            fields = splitFields(line);
            auto field = [&](size_t i) { return i < fields.size() ? fields[i] : std::string_view(); };
            if (kind == BlockRow::Level) {
                char number[16];
                std::snprintf(number, sizeof number, "%d", place);
                put(canvas, 1860, y + 170, 200, SjView{std::string_view(number)});
                std::string_view name = cp932Prefix(cp932DropLast(field(2), 4), kMaxFieldCharacters);
                const int length = cp932Length(name);
                if (length < 7)
                    put(canvas, 2380, y + 170, 200, SjView{name});
                else
                    put(canvas, 2270, y + 170, length <= 9 ? 160 : 130, SjView{name});
            }
            for (size_t c = 0; c < columns.size(); ++c) {
                std::string_view value = cp932Prefix(field(channelField(columns[c])), kMaxFieldCharacters);
                const int length = cp932Length(value);
                if (length < 7)
                    put(canvas, columnX(c), y + 244, 180, SjView{value});
                else if (length == 7)
                    put(canvas, columnX(c), y + 244, 150, SjView{value});
                else
                    put(canvas, columnX(c), y + 215, 140, SjView{value});
            }
        }
        ++rowsUsed;
        y -= kRowHeight;
    }
}

}  // namespace mireva
