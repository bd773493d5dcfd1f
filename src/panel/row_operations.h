// Row operations on the worksheet: moving the selected places one place up or down,
// moving them to a place number, deleting them. Each works on the grid state as the
// panel holds it (the worksheet, the selected grid rows, the below-standard rows) and
// leaves it as the grid shows it afterwards; the caller saves the worksheet once.
//
// Moving many places by many steps is worked out on place indexes first and the
// worksheet lines are reordered once at the end, so a move of the last of 2,000
// places to place 1 costs one pass over the file instead of 1,999.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "core/worksheet_document.h"
#include "panel/panel_messages.h"

namespace mireva {

struct GridState {
    WorksheetDocument worksheet;
    std::vector<int> selectedRows;       // ascending, without repeats
    std::vector<int> belowStandardRows;  // level rows the painter highlights, as the panel keeps them

    // Rows of the whole places the grid shows.
    int rowCount() const;
};

enum class MoveDirection { Up, Down };

struct RowOpResult {
    PanelMessages messages;         // to show, in order
    bool worksheetChanged = false;  // the worksheet must be saved
    bool showProgress = false;      // a long operation: the progress box is shown while it runs
};

// UP and DOWN: every selected place moves by one place; a place that cannot move is
// reported and the others still move.
RowOpResult movePlaces(GridState& state, MoveDirection direction);

// 移動: `moveText` is the typed place number (read as an integer, 0 without digits).
// The selected places move together, keeping their spacing: the first of them lands
// on the place number when moving up, the last of them when moving down.
RowOpResult movePlacesTo(GridState& state, std::string_view moveText);

// The checks of 行の削除 before its question; a message when the request ends there.
std::optional<PanelMessage> checkDelete(const GridState& state);
// Deletes the selected places (after the user confirmed).
RowOpResult deletePlaces(GridState& state);

}  // namespace mireva
