#include "panel/row_operations.h"

#include <algorithm>

#include "core/text.h"
#include "core/worksheet_layout.h"
#include "panel/place_selection.h"

namespace mireva {

namespace {

constexpr int kG = kGridRowsPerPlace;

// The selected rows that lie on whole places of the grid.
std::vector<int> rowsInGrid(const GridState& state) {
    const int n = state.rowCount();
    std::vector<int> rows;
    rows.reserve(state.selectedRows.size());
    for (int r : state.selectedRows)
        if (r >= 0 && r < n) rows.push_back(r);
    return rows;
}

// One-place moves worked out on place indexes and on the selection flags of the grid
// rows; the worksheet is reordered once by apply().
class PlaceShuffle {
public:
    explicit PlaceShuffle(const GridState& state) : order_(state.worksheet.placeCount()) {
        for (size_t p = 0; p < order_.size(); ++p) order_[p] = static_cast<int>(p);
        selected_.assign(order_.size() * kG, 0);
        for (int r : rowsInGrid(state)) selected_[r] = 1;
    }

    int rowCount() const { return static_cast<int>(order_.size()) * kG; }

    // Exchanges the place whose first row is `b` with its neighbour. The rows of the
    // place's old position lose their selection and its six rows are selected at
    // their new position, as the row-by-row swaps of the grid leave them.
    void step(MoveDirection direction, int b) {
        const int p = b / kG;
        const int q = direction == MoveDirection::Up ? p - 1 : p + 1;
        std::swap(order_[p], order_[q]);
        std::fill_n(selected_.begin() + b, kG, 0);
        std::fill_n(selected_.begin() + q * kG, kG, 1);
        moved_ = true;
    }

    bool moved() const { return moved_; }

    void apply(GridState& state) const {
        const int places = static_cast<int>(order_.size());
        WorksheetDocument& ws = state.worksheet;
        if (moved_) {
            std::vector<std::string> lines;
            lines.reserve(ws.lines.size());
            for (int pos = 0; pos < places; ++pos) {
                auto from = ws.lines.begin() + static_cast<long>(order_[pos]) * kRowsPerPlace;
                std::move(from, from + kRowsPerPlace, std::back_inserter(lines));
            }
            // Lines after the last whole place stay at the end.
            std::move(ws.lines.begin() + static_cast<long>(places) * kRowsPerPlace, ws.lines.end(),
                      std::back_inserter(lines));
            ws.lines = std::move(lines);

            // Each highlighted level row follows its place.
            std::vector<int> newPosition(order_.size());
            for (int pos = 0; pos < places; ++pos) newPosition[order_[pos]] = pos;
            for (int& v : state.belowStandardRows) {
                if (v >= 0 && v < places * kG && v % kG == 2) v = newPosition[v / kG] * kG + 2;
            }
        }
        std::vector<int> rows;
        for (int r = 0; r < rowCount(); ++r)
            if (selected_[r]) rows.push_back(r);
        // Selected rows beyond the whole places keep their selection.
        for (int r : state.selectedRows)
            if (r >= rowCount()) rows.push_back(r);
        state.selectedRows = std::move(rows);
    }

private:
    std::vector<int> order_;  // position -> original place index
    std::vector<char> selected_;
    bool moved_ = false;
};

// The checks shared by UP and DOWN; nullopt when the request may go on.
std::optional<PanelMessage> checkMove(const PlaceSelection& s) {
    if (s.empty()) return PanelMessage{panel_text::kNoRowsToMove, false};
    if (s.placeRows.empty()) return PanelMessage{panel_text::kSelectFirstRows, false};
    if (!s.contiguous) return PanelMessage{panel_text::kSelectContiguous, true};
    if (s.tooMany()) return PanelMessage{panel_text::kTooManyRows, false};
    return std::nullopt;
}

}  // namespace

int GridState::rowCount() const { return worksheet.placeCount() * kG; }

RowOpResult movePlaces(GridState& state, MoveDirection direction) {
    RowOpResult result;
    const PlaceSelection s = selectPlaces(rowsInGrid(state));
    if (auto m = checkMove(s)) {
        result.messages.push_back(*m);
        return result;
    }
    PlaceShuffle shuffle(state);
    const int n = shuffle.rowCount();
    auto one = [&](int b) {
        if (direction == MoveDirection::Up && b == 0) {
            result.messages.push_back({panel_text::kFirstCannotMoveUp, true});
        } else if (direction == MoveDirection::Down && b + kG == n) {
            result.messages.push_back({panel_text::kLastCannotMoveDown, true});
        } else {
            shuffle.step(direction, b);
        }
    };
    if (direction == MoveDirection::Up) {
        for (int b : s.placeRows) one(b);
    } else {
        for (auto it = s.placeRows.rbegin(); it != s.placeRows.rend(); ++it) one(*it);
    }
    shuffle.apply(state);
    result.worksheetChanged = shuffle.moved();
    return result;
}

RowOpResult movePlacesTo(GridState& state, std::string_view moveText) {
    RowOpResult result;
    const PlaceSelection s = selectPlaces(rowsInGrid(state));
    const long long placeNumber = leadingInteger(moveText);
    const long long target = (placeNumber - 1) * kG;
    const int n = state.rowCount();
    if (s.empty()) {
        result.messages.push_back({panel_text::kNoRowsToMove, false});
    } else if (s.placeRows.empty()) {
        result.messages.push_back({panel_text::kSelectFirstRows, false});
    } else if (s.tooMany()) {
        result.messages.push_back({panel_text::kTooManyRows, false});
    } else if (!s.contiguous) {
        result.messages.push_back({panel_text::kSelectContiguous, true});
    } else if (target < 0 || target >= n) {
        result.messages.push_back({panel_text::kNoSuchRow, true});
    }
    if (!result.messages.empty()) return result;

    const int a = static_cast<int>(target);
    std::vector<int> rows = s.placeRows;
    PlaceShuffle shuffle(state);
    if (a < rows.front()) {
        result.showProgress = true;
        while (rows.front() != a) {
            for (int& b : rows) {
                shuffle.step(MoveDirection::Up, b);
                b -= kG;
            }
        }
    } else if (rows.back() < a) {
        result.showProgress = true;
        while (rows.back() != a) {
            for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
                shuffle.step(MoveDirection::Down, *it);
                *it += kG;
            }
        }
    } else {
        return result;  // the target lies inside the selected range
    }
    shuffle.apply(state);
    result.worksheetChanged = shuffle.moved();
    return result;
}

std::optional<PanelMessage> checkDelete(const GridState& state) {
    const PlaceSelection s = selectPlaces(rowsInGrid(state));
    if (s.empty()) return PanelMessage{panel_text::kNoRowsToDelete, false};
    if (s.placeRows.empty()) return PanelMessage{panel_text::kSelectFirstRows, false};
    if (s.tooMany()) return PanelMessage{panel_text::kTooManyRows, false};
    return std::nullopt;
}

RowOpResult deletePlaces(GridState& state) {
    RowOpResult result;
    if (auto m = checkDelete(state)) {
        result.messages.push_back(*m);
        return result;
    }
    const PlaceSelection s = selectPlaces(rowsInGrid(state));
    const std::vector<int>& deleted = s.placeRows;  // ascending first rows
    result.showProgress = true;

    // How many deleted places lie wholly above grid row r, or -1 when r is deleted.
    auto shiftOf = [&](int r) -> int {
        auto it = std::upper_bound(deleted.begin(), deleted.end(), r);
        const int above = static_cast<int>(it - deleted.begin());
        if (above > 0 && r < deleted[above - 1] + kG) return -1;
        return above;
    };

    WorksheetDocument& ws = state.worksheet;
    std::vector<std::string> lines;
    lines.reserve(ws.lines.size());
    size_t next = 0;
    for (size_t d = 0; d < ws.lines.size(); ++d) {
        while (next < deleted.size() && static_cast<size_t>(deleted[next] / kG) * kRowsPerPlace + kRowsPerPlace <= d)
            ++next;
        const bool gone = next < deleted.size() && d >= static_cast<size_t>(deleted[next] / kG) * kRowsPerPlace;
        if (!gone) lines.push_back(std::move(ws.lines[d]));
    }
    ws.lines = std::move(lines);

    std::vector<int> below;
    for (int v : state.belowStandardRows) {
        const int shift = shiftOf(v);
        if (shift < 0) continue;
        below.push_back(v - shift * kG);
    }
    state.belowStandardRows = std::move(below);

    std::vector<int> selection;
    for (int r : state.selectedRows) {
        const int shift = shiftOf(r);
        if (shift >= 0) selection.push_back(r - shift * kG);
    }
    state.selectedRows = std::move(selection);
    result.worksheetChanged = true;
    return result;
}

}  // namespace mireva
