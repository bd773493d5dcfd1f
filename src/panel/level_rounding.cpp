#include "panel/level_rounding.h"

#include "core/aggregation_summary.h"
#include "core/worksheet_layout.h"
#include "panel/level_numbers.h"

namespace mireva {

void roundAllLevels(WorksheetDocument& worksheet) {
    for (size_t d = static_cast<size_t>(BlockRow::Level); d < worksheet.lines.size(); d += kRowsPerPlace) {
        std::string& line = worksheet.lines[d];
        std::string out;
        out.reserve(line.size() + 32);
        std::string_view rest = line;
        int field = 0;
        while (true) {
            const size_t comma = rest.find(',');
            const std::string_view text = rest.substr(0, comma);
            if (field >= kLeadingFields && text != kEmptyMark) {
                out += roundedLevel(leadingDecimal(text));
            } else {
                out += text;
            }
            if (comma == std::string_view::npos) break;
            out += ',';
            rest.remove_prefix(comma + 1);
            ++field;
        }
        line = std::move(out);
    }
}

}  // namespace mireva
