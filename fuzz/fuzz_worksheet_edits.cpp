// fuzz-libs: mireva_panel
// Any worksheet bytes and any selection: the offset, rounding, row operations and CSV
// output never fail, rounding twice gives what rounding once gives, a move keeps every
// line (only their order changes) and a delete removes whole places only.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "core/aggregation_summary.h"
#include "core/worksheet_document.h"
#include "panel/csv_output.h"
#include "panel/level_offsets.h"
#include "panel/level_rounding.h"
#include "panel/row_operations.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace mireva;
    if (size < 8) return 0;
    const uint8_t* p = data;
    const int op = p[0] % 4;
    const int group = p[1] % kOffsetGroupItems;
    const int first = p[2], last = p[2] + p[3];
    const std::string value(reinterpret_cast<const char*>(p + 4), 2);
    const std::string moveText = std::to_string(p[6] % 16);
    const uint8_t selectionSeed = p[7];
    const std::string content(reinterpret_cast<const char*>(data + 8), size - 8);

    WorksheetDocument ws;
    ws.parse(content);
    const size_t lineCount = ws.lines.size();

    WorksheetDocument offset = ws;
    applyOffset(offset,
                OffsetRequest{value, selectionSeed & 1 ? OffsetSign::Minus : OffsetSign::Plus, group, first, last});
    if (offset.lines.size() != lineCount) std::abort();

    WorksheetDocument rounded = ws;
    roundAllLevels(rounded);
    const std::string once = rounded.serialize();
    roundAllLevels(rounded);
    if (rounded.serialize() != once) std::abort();

    const AggregationSummary inUse = summaryFromWorksheet(ws);
    std::array<std::string, kChannelCount> names{};
    names[0] = "x";
    (void)worksheetCsv(ws, inUse.channelHasValue, names);

    GridState state{ws, {}, {2, 8, 14}};
    for (int r = 0; r < state.rowCount() && r < 256; ++r)
        if ((r * 7 + selectionSeed) % 5 < 2 || r % 6 == selectionSeed % 6) state.selectedRows.push_back(r);
    RowOpResult result;
    switch (op) {
        case 0:
            result = movePlaces(state, MoveDirection::Up);
            break;
        case 1:
            result = movePlaces(state, MoveDirection::Down);
            break;
        case 2:
            result = movePlacesTo(state, moveText);
            break;
        default:
            result = deletePlaces(state);
            break;
    }
    if (op < 3) {
        std::vector<std::string> before = ws.lines, after = state.worksheet.lines;
        std::sort(before.begin(), before.end());
        std::sort(after.begin(), after.end());
        if (before != after) std::abort();
    } else if ((lineCount - state.worksheet.lines.size()) % kRowsPerPlace != 0) {
        std::abort();
    }
    return 0;
}
