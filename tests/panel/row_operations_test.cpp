#include "panel/row_operations.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <random>

#include "core/text.h"
#include "panel/place_selection.h"
#include "support/test_support.h"
#include "worksheet_fixture.h"

namespace mireva {
namespace {

using namespace panel_text;

// Lines that tell their place and row apart; channel 0 of the level line holds the
// place number so that a moved place is easy to follow.
WorksheetDocument site(int places) {
    return test::makeWorksheet(
        places,
        [](int p, BlockRow row, int c) -> std::string {
            return std::to_string(p + 1) + "." + std::to_string(static_cast<int>(row));
        },
        1);
}

// Place numbers (1-based, as built by site()) in worksheet order.
std::vector<int> placeOrder(const WorksheetDocument& ws) {
    std::vector<int> order;
    for (int p = 0; p < ws.placeCount(); ++p)
        order.push_back(static_cast<int>(leadingInteger(test::channelText(ws.line(p, BlockRow::Level), 0))));
    return order;
}

std::vector<int> range(int first, int last) {
    std::vector<int> v(last - first + 1);
    std::iota(v.begin(), v.end(), first);
    return v;
}

GridState state(int places, std::vector<int> selected, std::vector<int> below = {}) {
    return GridState{site(places), std::move(selected), std::move(below)};
}

std::vector<std::string> texts(const PanelMessages& messages) {
    std::vector<std::string> out;
    for (const PanelMessage& m : messages) out.push_back(m.text);
    return out;
}

TEST(PlaceSelection, FirstRowsAndContiguity) {
    struct Case {
        std::vector<int> rows;
        std::vector<int> places;
        bool contiguous;
    } cases[] = {
        {range(2, 9), {6}, true},  // last rows of place 1, first rows of place 2
        {{0, 12}, {0, 12}, true},  // first rows of places 1 and 3 only
        {{0, 2}, {0}, false},     {{1, 2, 3}, {}, true}, {{0, 6, 7}, {0, 6}, false}, {range(0, 17), {0, 6, 12}, true},
    };
    for (const Case& c : cases) {
        PlaceSelection s = selectPlaces(c.rows);
        EXPECT_EQ(s.placeRows, c.places);
        EXPECT_EQ(s.contiguous, c.contiguous);
    }
    // At most 1001 rows are looked at; more than 1000 is too many.
    EXPECT_FALSE(selectPlaces(range(0, 999)).tooMany());
    PlaceSelection big = selectPlaces(range(0, 5000));
    EXPECT_TRUE(big.tooMany());
    EXPECT_EQ(big.rowCount, 1001);
    EXPECT_EQ(big.placeRows.back(), 996);
}

TEST(MovePlaces, RowsTwoToNineMoveTheSecondPlaceUp) {
    GridState s = state(3, range(2, 9));
    RowOpResult r = movePlaces(s, MoveDirection::Up);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.worksheetChanged);
    EXPECT_EQ(placeOrder(s.worksheet), (std::vector<int>{2, 1, 3}));
    EXPECT_EQ(s.selectedRows, range(0, 5));
}

TEST(MovePlaces, FirstPlaceCannotMoveUpTheOthersStillMove) {
    GridState s = state(4, range(0, 11), {2, 20});
    RowOpResult r = movePlaces(s, MoveDirection::Up);
    ASSERT_EQ(r.messages.size(), 1u);
    EXPECT_EQ(r.messages[0], (PanelMessage{kFirstCannotMoveUp, true}));
    EXPECT_EQ(placeOrder(s.worksheet), (std::vector<int>{2, 1, 3, 4}));
    EXPECT_EQ(s.belowStandardRows, (std::vector<int>{8, 20}));  // place 1's highlight moved with it

    GridState d = state(3, {12});
    r = movePlaces(d, MoveDirection::Down);
    EXPECT_EQ(texts(r.messages), (std::vector<std::string>{kLastCannotMoveDown}));
    EXPECT_FALSE(r.worksheetChanged);
    EXPECT_EQ(placeOrder(d.worksheet), (std::vector<int>{1, 2, 3}));
}

TEST(MovePlaces, RequestChecksInOrder) {
    struct Case {
        std::vector<int> rows;
        PanelMessage message;
    } cases[] = {
        {{}, {kNoRowsToMove, false}},
        {{1, 2}, {kSelectFirstRows, false}},
        {{0, 2}, {kSelectContiguous, true}},
        {range(0, 1000), {kTooManyRows, false}},
    };
    for (const Case& c : cases) {
        for (MoveDirection dir : {MoveDirection::Up, MoveDirection::Down}) {
            GridState s = state(170, c.rows);
            const WorksheetDocument before = s.worksheet;
            RowOpResult r = movePlaces(s, dir);
            ASSERT_EQ(r.messages.size(), 1u);
            EXPECT_EQ(r.messages[0], c.message);
            EXPECT_FALSE(r.worksheetChanged);
            EXPECT_EQ(s.worksheet.lines, before.lines);
        }
    }
}

TEST(MovePlacesTo, LastPlaceToPlaceOneShiftsTheOthersAndKeepsItsHighlight) {
    GridState s = state(5, range(24, 29), {26, 8});
    RowOpResult r = movePlacesTo(s, "1");
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.showProgress);
    EXPECT_EQ(placeOrder(s.worksheet), (std::vector<int>{5, 1, 2, 3, 4}));
    EXPECT_EQ(s.selectedRows, range(0, 5));
    EXPECT_EQ(s.belowStandardRows, (std::vector<int>{2, 14}));
}

TEST(MovePlacesTo, SpacingIsKeptBothWays) {
    GridState up = state(8, {30, 42});  // places 6 and 8
    movePlacesTo(up, "2");
    EXPECT_EQ(placeOrder(up.worksheet), (std::vector<int>{1, 6, 2, 8, 3, 4, 5, 7}));
    EXPECT_EQ(up.selectedRows, (std::vector<int>{6, 7, 8, 9, 10, 11, 18, 19, 20, 21, 22, 23}));

    GridState down = state(8, {0, 12});  // places 1 and 3: the last lands on place 7
    movePlacesTo(down, "7");
    EXPECT_EQ(placeOrder(down.worksheet), (std::vector<int>{2, 4, 5, 6, 1, 7, 3, 8}));
}

TEST(MovePlacesTo, TargetsOutsideTheWorksheetOrInsideTheSelection) {
    struct Case {
        const char* text;
        std::vector<int> rows;
        std::vector<std::string> messages;
        bool progress;
    } cases[] = {
        {"0", {12}, {kNoSuchRow}, false},       {"6", {12}, {kNoSuchRow}, false},
        {"", {12}, {kNoSuchRow}, false},        {"99999", {12}, {kNoSuchRow}, false},
        {"2", range(6, 17), {}, false},  // inside the selected range: nothing happens
        {"3", range(6, 17), {}, false},         {"1", {}, {kNoRowsToMove}, false},
        {"1", {13}, {kSelectFirstRows}, false}, {"1", {6, 8}, {kSelectContiguous}, false},
    };
    for (const Case& c : cases) {
        GridState s = state(5, c.rows);
        RowOpResult r = movePlacesTo(s, c.text);
        EXPECT_EQ(texts(r.messages), c.messages) << c.text;
        EXPECT_EQ(r.showProgress, c.progress) << c.text;
        EXPECT_FALSE(r.worksheetChanged) << c.text;
        EXPECT_EQ(placeOrder(s.worksheet), (std::vector<int>{1, 2, 3, 4, 5}));
    }
    // With too many rows, that message comes before the contiguity test.
    GridState many = state(300, range(0, 1000));
    many.selectedRows.push_back(1500);
    EXPECT_EQ(texts(movePlacesTo(many, "1").messages), (std::vector<std::string>{kTooManyRows}));
}

TEST(DeletePlaces, FirstAndThirdOfFive) {
    GridState s = state(5, {0, 12, 13, 20}, {2, 14, 26});
    const WorksheetDocument before = s.worksheet;
    EXPECT_FALSE(checkDelete(s).has_value());
    RowOpResult r = deletePlaces(s);
    EXPECT_TRUE(r.messages.empty());
    EXPECT_TRUE(r.worksheetChanged);
    EXPECT_EQ(placeOrder(s.worksheet), (std::vector<int>{2, 4, 5}));
    // The file loses lines 3 to 10 and 19 to 26 (headers are lines 1 and 2).
    std::vector<std::string> expected;
    for (size_t d = 0; d < before.lines.size(); ++d)
        if (!(d <= 7 || (d >= 16 && d <= 23))) expected.push_back(before.lines[d]);
    EXPECT_EQ(s.worksheet.lines, expected);
    EXPECT_EQ(s.worksheet.header1, before.header1);
    // The highlights of deleted places go, the one of place 5 follows it.
    EXPECT_EQ(s.belowStandardRows, (std::vector<int>{14}));
    // Row 20 (place 4) stays selected at its new row.
    EXPECT_EQ(s.selectedRows, (std::vector<int>{8}));
}

TEST(DeletePlaces, RequestChecks) {
    struct Case {
        std::vector<int> rows;
        PanelMessage message;
    } cases[] = {
        {{}, {kNoRowsToDelete, false}},
        {{1, 8}, {kSelectFirstRows, false}},
        {range(0, 1000), {kTooManyRows, false}},
    };
    for (const Case& c : cases) {
        GridState s = state(170, c.rows);
        auto m = checkDelete(s);
        ASSERT_TRUE(m.has_value());
        EXPECT_EQ(*m, c.message);
        RowOpResult r = deletePlaces(s);
        EXPECT_FALSE(r.worksheetChanged);
        EXPECT_EQ(s.worksheet.placeCount(), 170);
    }
    // No contiguity test for a delete.
    EXPECT_FALSE(checkDelete(state(5, {0, 2, 12})).has_value());
}

// ---------------------------------------------------------------------------------
// The operations as the panel carries them out one row swap and one file rewrite at a
// time; the real operations must leave the grid, the selection, the highlighted rows
// and the file exactly as this does.
struct StepModel {
    static constexpr int kShown[6] = {0, 1, 2, 4, 6, 7};
    std::vector<std::string> grid;  // the worksheet line each grid row shows
    std::vector<bool> selected;
    std::vector<int> below;
    std::vector<std::string> file;  // data lines, rewritten at every step
    std::vector<std::string> messages;
    bool progress = false;

    explicit StepModel(const GridState& s) : below(s.belowStandardRows), file(s.worksheet.lines) {
        for (int p = 0; p < s.worksheet.placeCount(); ++p)
            for (int k = 0; k < 6; ++k) grid.push_back(file[p * 8 + kShown[k]]);
        selected.assign(grid.size(), false);
        for (int r : s.selectedRows) selected[r] = true;
    }
    int n() const { return static_cast<int>(grid.size()); }

    std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int r = 0; r < n(); ++r)
            if (selected[r]) rows.push_back(r);
        return rows;
    }

    struct Taken {
        int count = 0;
        std::vector<int> places;
        bool contiguous = false;
    };
    Taken take() const {
        Taken t;
        std::vector<int> rows = selectedRows();
        if (rows.size() > 1001) rows.resize(1001);
        t.count = static_cast<int>(rows.size());
        bool allFirst = true;
        for (int r : rows) {
            if (r % 6 == 0)
                t.places.push_back(r);
            else
                allFirst = false;
        }
        bool run = true;
        for (size_t i = 1; i < rows.size(); ++i) run = run && rows[i] == rows[i - 1] + 1;
        t.contiguous = allFirst || run;
        return t;
    }

    void movePlace(MoveDirection dir, int b) {
        const bool up = dir == MoveDirection::Up;
        if (up && b == 0) {
            messages.push_back(kFirstCannotMoveUp);
            return;
        }
        if (!up && b + 6 == n()) {
            messages.push_back(kLastCannotMoveDown);
            return;
        }
        const int c = up ? b - 6 : b + 6;
        auto ib = std::find(below.begin(), below.end(), b + 2);
        auto ic = std::find(below.begin(), below.end(), c + 2);
        if (ib != below.end() && ic != below.end())
            std::swap(*ib, *ic);
        else if (ib != below.end())
            *ib = c + 2;
        else if (ic != below.end())
            *ic = b + 2;
        for (int k = 0; k <= 5; ++k) {
            if (up) {
                for (int d = b + k; d >= b + k - 5; --d) {
                    std::swap(grid[d], grid[d - 1]);
                    selected[d] = false;
                    selected[d - 1] = true;
                }
            } else {
                for (int d = b + k + 5; d >= b + k; --d) {
                    std::swap(grid[d], grid[d + 1]);
                    selected[d] = false;
                    selected[d + 1] = true;
                }
            }
        }
        const int first = up ? b / 6 - 1 : b / 6;
        std::swap_ranges(file.begin() + first * 8, file.begin() + first * 8 + 8, file.begin() + first * 8 + 8);
    }

    void moveSelected(MoveDirection dir) {
        Taken t = take();
        if (t.count == 0) return messages.push_back(kNoRowsToMove);
        if (t.places.empty()) return messages.push_back(kSelectFirstRows);
        if (!t.contiguous) return messages.push_back(kSelectContiguous);
        if (t.count > 1000) return messages.push_back(kTooManyRows);
        if (dir == MoveDirection::Up) {
            for (int r : t.places) movePlace(dir, r);
        } else {
            for (auto it = t.places.rbegin(); it != t.places.rend(); ++it) movePlace(dir, *it);
        }
    }

    void moveTo(std::string_view text) {
        Taken t = take();
        const long long a = (leadingInteger(text) - 1) * 6;
        if (t.count == 0) return messages.push_back(kNoRowsToMove);
        if (t.places.empty()) return messages.push_back(kSelectFirstRows);
        if (t.count > 1000) return messages.push_back(kTooManyRows);
        if (!t.contiguous) return messages.push_back(kSelectContiguous);
        if (a < 0 || a >= n()) return messages.push_back(kNoSuchRow);
        std::vector<int> rows = t.places;
        if (a < rows.front()) {
            progress = true;
            while (rows.front() != a)
                for (int& b : rows) {
                    movePlace(MoveDirection::Up, b);
                    b -= 6;
                }
        } else if (rows.back() >= a) {
        } else {
            progress = true;
            while (rows.back() != a)
                for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
                    movePlace(MoveDirection::Down, *it);
                    *it += 6;
                }
        }
    }

    void remove() {
        Taken t = take();
        if (t.count == 0) return messages.push_back(kNoRowsToDelete);
        if (t.places.empty()) return messages.push_back(kSelectFirstRows);
        if (t.count > 1000) return messages.push_back(kTooManyRows);
        for (auto it = t.places.rbegin(); it != t.places.rend(); ++it) {
            for (int i = 0; i < 6; ++i) {
                const int x = *it;
                grid.erase(grid.begin() + x);
                selected.erase(selected.begin() + x);
                auto e = std::find(below.begin(), below.end(), x);
                if (e != below.end()) below.erase(e);
                for (int& v : below)
                    if (v > x) --v;
            }
        }
        std::vector<std::string> kept;
        for (size_t d = 0; d < file.size(); ++d) {
            bool gone = false;
            for (int b : t.places)
                gone = gone || (d >= static_cast<size_t>(b / 6 * 8) && d < static_cast<size_t>(b / 6 * 8 + 8));
            if (!gone) kept.push_back(file[d]);
        }
        file = kept;
    }

    // The grid must show what a fill from the file would show.
    void expectGridMatchesFile() const {
        ASSERT_EQ(grid.size() * 8, file.size() * 6);
        for (int r = 0; r < n(); ++r) ASSERT_EQ(grid[r], file[r / 6 * 8 + kShown[r % 6]]) << "row " << r;
    }
};

TEST(RowOperations, EqualTheStepByStepOperationsOnRandomSelections) {
    std::mt19937 rng(20261210);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    int changedRounds = 0;
    for (int round = 0; round < 3000; ++round) {
        const int places = pick(1, 9);
        const int n = places * 6;
        std::vector<int> rows;
        switch (pick(0, 3)) {
            case 0:  // scattered rows
                for (int r = 0; r < n; ++r)
                    if (pick(0, 4) == 0) rows.push_back(r);
                break;
            case 1: {  // one run
                int a = pick(0, n - 1), b = pick(a, n - 1);
                rows = range(a, b);
                break;
            }
            case 2:  // first rows only
                for (int p = 0; p < places; ++p)
                    if (pick(0, 2) == 0) rows.push_back(p * 6);
                break;
            default:  // whole places, possibly several runs
                for (int p = 0; p < places; ++p)
                    if (pick(0, 1) == 0)
                        for (int k = 0; k < 6; ++k) rows.push_back(p * 6 + k);
                break;
        }
        std::vector<int> below;
        for (int p = 0; p < places; ++p)
            if (pick(0, 2) == 0) below.push_back(p * 6 + 2);
        std::shuffle(below.begin(), below.end(), rng);

        GridState s = state(places, rows, below);
        StepModel model(s);
        RowOpResult r;
        const int op = pick(0, 3);
        std::string text = std::to_string(pick(0, places + 1));
        switch (op) {
            case 0:
                r = movePlaces(s, MoveDirection::Up);
                model.moveSelected(MoveDirection::Up);
                break;
            case 1:
                r = movePlaces(s, MoveDirection::Down);
                model.moveSelected(MoveDirection::Down);
                break;
            case 2:
                r = movePlacesTo(s, text);
                model.moveTo(text);
                break;
            default:
                r = deletePlaces(s);
                model.remove();
                break;
        }
        SCOPED_TRACE("round " + std::to_string(round) + " op " + std::to_string(op) + " target " + text);
        model.expectGridMatchesFile();
        EXPECT_EQ(texts(r.messages), model.messages);
        EXPECT_EQ(s.worksheet.lines, model.file);
        EXPECT_EQ(s.selectedRows, model.selectedRows());
        EXPECT_EQ(s.belowStandardRows, model.below);
        if (op == 2) {
            EXPECT_EQ(r.showProgress, model.progress);
        }
        if (r.worksheetChanged) ++changedRounds;
        if (::testing::Test::HasFailure()) break;
    }
    // The generator must produce real moves and deletes, not only refused requests.
    EXPECT_GT(changedRounds, 600);
}

}  // namespace
}  // namespace mireva
