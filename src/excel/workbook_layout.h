// The report's workbook, laid out like the printed report: a cover "Title", a channel
// list "Contents" and one sheet per report page, split into the same pages as the
// print (row blocks of ten places times the combined and band column groups). Every
// page sheet starts as a copy of one template (labels, merges, sizes, borders), then
// gets its header, its band and channel strips and its ten places. All cell values
// are written as text, exactly as the worksheet and the settings hold them.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "core/aggregation_summary.h"
#include "core/worksheet_document.h"
#include "excel/sheet_model.h"
#include "reports/page_plan.h"
#include "settings/report_settings.h"

namespace mireva::excel {

// Everything one export reads, taken afresh at each request.
struct WorkbookInputs {
    const WorksheetDocument* worksheet = nullptr;
    AggregationSummary selection;  // the current set: channels and BER/MER/C/N rows shown
    ReportSettings settings;       // PrintData2 and the broadcaster names
};

// Why a workbook cannot be made; nothing is written then.
enum class WorkbookProblem {
    None,
    NoPlaces,           // the worksheet holds no measured place: the report has no page
    NoChannelSelected,  // no channel is selected: every page sheet would be empty
    TooManySheets,      // more page sheets than a workbook file can hold
};

// The most sheets one workbook file can hold (the cover and the channel list included).
inline constexpr int kMaxWorkbookSheets = 65535;
WorkbookProblem checkWorkbook(const WorkbookInputs& inputs);

// The band name a page sheet is named after and the band strip shows ("地デジ",
// "BSCS(右旋)", … "PILOT"), UTF-8.
const std::string& bandName(int channelIndex);
// Column C of "Contents": the channel name, with "UHF ", "CATV ", "JCSAT-3A ",
// "JCSAT-4B ", "SCC-B " or "SCC-C " before it for those bands. UTF-8.
std::string channelListName(int channelIndex);

// Sheet names that never repeat: the first use of a base name gives it alone, the
// next ones the base name followed by 1, 2, …
class SheetNamer {
public:
    std::string next(const std::string& base);

private:
    std::map<std::string, int> used_;
};

SheetModel buildCover(const PrintData2& data);
SheetModel buildContents(const AggregationSummary& selection, const ReportSettings& settings);
// The page template: everything a page sheet has before its own data.
SheetModel buildPageTemplate();

// Fills a copy of the template with page `pageNumber` (1-based) of the plan.
void fillPage(SheetModel& sheet, int pageNumber, const PlannedPage& page, const std::vector<int>& columns,
              const WorksheetDocument& worksheet, const AggregationSummary& selection, const PrintData2& data);

// The channel strip of a page: each column's name in row 6, a name of six or more
// characters in a smaller font.
void writeChannelStrip(SheetModel& sheet, const std::vector<std::string>& names);
// The band strip: a column's band name where it differs from the previous column's.
void writeBandStrip(SheetModel& sheet, const std::vector<int>& columns);

// Builds every sheet in workbook order (Title, Contents, the page sheets) and hands
// each to `sink` as soon as it is complete; a sink returning false stops the build,
// and so does false from here. The inputs must pass checkWorkbook.
bool buildWorkbook(const WorkbookInputs& inputs, const std::function<bool(const SheetModel&)>& sink);
// All sheets at once (small reports; tests).
std::vector<SheetModel> buildWorkbookSheets(const WorkbookInputs& inputs);

}  // namespace mireva::excel
