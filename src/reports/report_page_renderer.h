// The format 1 report page: frame, header rows, the table of ten places with six rows
// each and up to 25 channel columns, notes and footer, drawn onto a ReportCanvas.
// One renderer serves a whole print job: it holds the worksheet loaded once, the
// selection and the report data as they were when the job started, and the page
// plan computed from them, so every page of the job comes from the same state.
#pragma once

#include <string>
#include <string_view>

#include "core/aggregation_summary.h"
#include "core/worksheet_document.h"
#include "core/worksheet_lines.h"
#include "reports/page_plan.h"
#include "reports/report_canvas.h"
#include "settings/report_settings.h"

namespace mireva {

// Page geometry, 0.01 mm, y upward from the bottom of the printable area.
namespace report_layout {
inline constexpr int kFrameLeft = 1650;
inline constexpr int kFrameBottom = 2500;
inline constexpr int kFrameRight = 18650;
inline constexpr int kFrameTop = 27500;
inline constexpr int kTableTop = 24440;
inline constexpr int kTableBottom = 4040;
inline constexpr int kRowHeight = 340;
inline constexpr int kTableRows = 60;
inline constexpr int kChannelLeft = 4400;
inline constexpr int kColumnWidth = 570;
inline constexpr int kTextInset = 70;
// The extent of everything drawn (the frame line is 0.30 mm wide).
inline constexpr int kContentWidth = kFrameRight + 20;
inline constexpr int kContentHeight = kFrameTop + 20;
}  // namespace report_layout

class ReportPageRenderer {
public:
    ReportPageRenderer(WorksheetLines worksheet, const AggregationSummary& current, PrintData2 header);
    ReportPageRenderer(const WorksheetDocument& worksheet, const AggregationSummary& current, PrintData2 header)
        : ReportPageRenderer(WorksheetLines(worksheet), current, std::move(header)) {}

    const PagePlan& plan() const { return plan_; }
    int pageCount() const { return plan_.pageCount(); }
    const WorksheetLines& worksheet() const { return worksheet_; }
    const PrintData2& data() const { return header_; }

    // Draws page `pageNumber` (1 … pageCount()).
    void render(ReportCanvas& canvas, int pageNumber) const;

private:
    void drawSkeleton(ReportCanvas& canvas, int pageNumber) const;
    void drawColumns(ReportCanvas& canvas, const std::vector<int>& columns) const;
    void drawBody(ReportCanvas& canvas, int rowBlock, const std::vector<int>& columns) const;

    WorksheetLines worksheet_;
    AggregationSummary selection_;
    PrintData2 header_;  // what the page prints of it: all but REPORT and SUBJECT
    PagePlan plan_;
};

// Character counting and cutting in code page 932 (a lead byte 0x81–0x9F or
// 0xE0–0xFC and its trail byte make one character; every other byte is one).
int cp932Length(std::string_view text);
std::string_view cp932Prefix(std::string_view text, int characters);
std::string_view cp932DropLast(std::string_view text, int characters);

}  // namespace mireva
