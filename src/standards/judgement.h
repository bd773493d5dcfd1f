// The below-standard judgement: every level of the worksheet against the standard
// value of its band and polarisation. A level at or below its standard value is
// below standard ("基準値以下"); the worksheet's empty mark "－" never is, and a
// level that is not a number counts as 0.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "core/worksheet_document.h"
#include "standards/standard_values.h"

namespace mireva {

struct BelowStandardLevel {
    int channel = 0;    // channel index
    std::string level;  // the level text exactly as the worksheet holds it
};

struct BelowStandardPlace {
    int place = 0;                           // position of the place in the worksheet, from 0
    std::string placeText;                   // field 測定場所 of the level line ("name:レベル"), unchanged
    std::vector<BelowStandardLevel> levels;  // in channel index order
};

struct JudgementResult {
    // Grid row of the level row of each place with a below-standard level (6p + 2),
    // ascending, one entry per place.
    std::vector<int> belowStandardRows;
    // Set by the first below-standard level; only the reading run and the reset
    // clear it (a band tab change can set it, never clear it).
    bool belowStandardFlag = false;
    // The places with below-standard levels, in worksheet order.
    std::vector<BelowStandardPlace> belowStandardDetails;

    bool isBelowStandardRow(int gridRow) const;
};

// Judges every whole place of the worksheet. Rows and details are rebuilt; the flag
// is only ever set. Level lines with fewer channel fields judge the fields present.
void judge(const WorksheetDocument& worksheet, const StandardValues& standards, JudgementResult& result);

// Loads the worksheet and judges it; a worksheet that cannot be read leaves rows and
// details empty and returns false.
bool judgeFile(const std::filesystem::path& worksheet, const StandardValues& standards, JudgementResult& result);

// One row of the judgement list, code page 932 texts.
struct JudgementRow {
    std::string place, band, channel, level;
};

// The list rows of the details: one per below-standard level, in detail order.
std::vector<JudgementRow> judgementRows(const std::vector<BelowStandardPlace>& details);

// The CSV of the list: header "測定場所,帯域,チャンネル,レベル", then one line per row,
// fields joined by "," without quoting, lines ending in CR LF.
std::string judgementCsv(const std::vector<JudgementRow>& rows);

}  // namespace mireva
