// Which places a row operation acts on: the grid rows the user selected, read in
// ascending order, and the first row (周波数) of a place among them standing for the
// place. A place whose first row is not selected is not taken.
#pragma once

#include <vector>

namespace mireva {

// More selected rows than this are refused.
inline constexpr int kMaxSelectedRows = 1000;

struct PlaceSelection {
    int rowCount = 0;            // selected rows looked at (at most kMaxSelectedRows + 1)
    std::vector<int> placeRows;  // first rows of the selected places, ascending
    bool contiguous = false;     // every row a first row, or one unbroken run of rows

    bool empty() const { return rowCount == 0; }
    bool tooMany() const { return rowCount > kMaxSelectedRows; }
};

// `selectedRows` ascending, without repeats.
PlaceSelection selectPlaces(const std::vector<int>& selectedRows);

}  // namespace mireva
