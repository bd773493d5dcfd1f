#include "panel/place_selection.h"

#include <algorithm>

#include "core/worksheet_layout.h"

namespace mireva {

PlaceSelection selectPlaces(const std::vector<int>& selectedRows) {
    PlaceSelection s;
    const size_t looked = std::min(selectedRows.size(), static_cast<size_t>(kMaxSelectedRows + 1));
    s.rowCount = static_cast<int>(looked);
    bool allFirstRows = true;
    for (size_t i = 0; i < looked; ++i) {
        const int row = selectedRows[i];
        if (row % kGridRowsPerPlace == 0) {
            s.placeRows.push_back(row);
        } else {
            allFirstRows = false;
        }
    }
    const bool oneRun = looked > 0 && selectedRows[looked - 1] - selectedRows[0] + 1 == static_cast<int>(looked);
    s.contiguous = allFirstRows || oneRun;
    return s;
}

}  // namespace mireva
