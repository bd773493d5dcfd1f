// Small worksheets for the workbook tests, built in memory as the worksheet file holds them.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/worksheet_document.h"

namespace mireva::test {

struct WorksheetShape {
    int places = 1;
    std::vector<int> channels;  // channels holding values
    // Place name of place p (0-based), UTF-8.
    std::function<std::string(int)> placeName = [](int p) { return "P" + std::to_string(p + 1); };
    // Value text of place p, block row k, channel c (UTF-8); empty gives the empty mark.
    std::function<std::string(int, int, int)> value = [](int p, int k, int c) {
        return std::to_string(p + 1) + "." + std::to_string(k) + "." + std::to_string(c);
    };
};

WorksheetDocument makeWorksheet(const WorksheetShape& shape);

}  // namespace mireva::test
