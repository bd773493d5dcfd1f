#include "panel/level_rounding.h"

#include "core/aggregation_summary.h"
#include "core/worksheet_layout.h"
#include "panel/level_numbers.h"

namespace mireva {

void roundAllLevels(WorksheetDocument& worksheet) {
    for (size_t d = static_cast<size_t>(BlockRow::Level); d < worksheet.lines.size(); d += kRowsPerPlace) {
        rewriteFields(worksheet.lines[d], [](int field, std::string_view text, std::string& out) {
            if (field >= kLeadingFields && text != kEmptyMark) out += roundedLevel(leadingDecimal(text));
            else out += text;
        });
    }
}

}  // namespace mireva
