#include "panel/level_rounding.h"

#include "core/aggregation_summary.h"
#include "core/worksheet_layout.h"
#include "panel/level_numbers.h"

namespace mireva {

void roundAllLevels(WorksheetDocument& worksheet) {
    // The places are the whole blocks; the lines of a trailing partial block stay as they are.
    for (int p = 0; p < worksheet.placeCount(); ++p) {
        rewriteFields(worksheet.line(p, BlockRow::Level), [](int field, std::string_view text, std::string& out) {
            if (field >= kLeadingFields && text != kEmptyMark)
                out += roundedLevel(leadingDecimal(text));
            else
                out += text;
        });
    }
}

}  // namespace mireva
