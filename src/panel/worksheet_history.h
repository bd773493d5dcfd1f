// The undo and redo history of the worksheet edits of the main panel.
//
// The history is a chain of worksheet states: state 0 is the worksheet before the
// oldest step kept, state i the worksheet after step i. Each state is one file in the
// history folder (inside the per-user data folder), taken as a hard link to
// worksheet.csv when the file system allows it: every writer of the worksheet replaces
// the file by renaming a scratch file over it and never writes into it, so the linked
// file keeps the bytes it had and a snapshot costs no copy. Where links are refused the
// state is copied through the one-step replacement helper.
//
// Undo and redo write a state back over worksheet.csv through a scratch file beside it, so a
// failure (missing snapshot, full disk) leaves the worksheet as it was.
//
// Each step also keeps what the panel showed before and after it (selection, current
// row, judgement, used-channel set), so an undo brings back the panel the user had.
// The history lives only while the program runs: clear() removes its files, and the
// history folder is emptied when the history is created.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/aggregation_summary.h"
#include "panel/worksheet_edits.h"
#include "standards/judgement.h"

namespace mireva {

enum class EditKind { Offset, Move, Delete, Round, Reset };

// The menu name of a step: "オフセット", "移動", "行の削除", "四捨五入", "リセット" (UTF-8).
const char* editKindName(EditKind kind);

// What the panel shows besides the worksheet itself.
struct PanelView {
    std::vector<int> selectedRows;  // ascending
    int currentRow = -1;            // the grid's current row, -1 for none
    JudgementResult judgement;      // below-standard rows, flag and details
    AggregationSummary summary;     // the current used-channel set

    bool operator==(const PanelView& o) const {
        return selectedRows == o.selectedRows && currentRow == o.currentRow &&
               judgement.belowStandardRows == o.judgement.belowStandardRows &&
               judgement.belowStandardFlag == o.judgement.belowStandardFlag && summary == o.summary;
    }
};

// The outcome of an undo or redo.
struct HistoryMove {
    bool done = false;
    std::string error;            // when not done: what failed (the worksheet is as it was)
    PanelView view;               // when done: the panel to show
    bool summaryChanged = false;  // the step changed the used-channel set: restore view.summary
};

class WorksheetHistory {
public:
    struct Limits {
        size_t maxSteps = 100;
        std::uintmax_t maxBytes = 500ull * 1024 * 1024;  // snapshot files on disk
    };

    // `folder` is created when the first state is kept; anything left in it by an
    // earlier run is removed now.
    explicit WorksheetHistory(std::filesystem::path folder);
    WorksheetHistory(std::filesystem::path folder, Limits limits);
    ~WorksheetHistory();
    WorksheetHistory(const WorksheetHistory&) = delete;
    WorksheetHistory& operator=(const WorksheetHistory&) = delete;

    // Drops every step and removes the snapshot files.
    void clear();

    // Before an edit: makes sure the worksheet as it is now is the history's current
    // state (kept as state 0 of a new history when there is none, or when the worksheet
    // is no longer the state the history believes current). False with `error` when
    // it cannot be kept; the edit can still go on, it just cannot be undone.
    bool prepare(const std::filesystem::path& worksheet, std::string* error = nullptr);

    // After an edit that rewrote the worksheet: the redo steps are dropped, the new
    // worksheet is kept as a new state, and the oldest steps go while the limits are
    // exceeded (the newest step always stays). Needs a prepare() before the edit.
    // False with `error` when the new state cannot be kept; the history is then
    // cleared, since its states no longer lead to the worksheet.
    bool record(EditKind kind, const std::filesystem::path& worksheet, PanelView before, PanelView after,
                std::string* error = nullptr);

    bool canUndo() const { return cursor_ > 0; }
    bool canRedo() const { return cursor_ < steps_.size(); }
    EditKind undoKind() const { return steps_[cursor_ - 1].kind; }  // only when canUndo()
    EditKind redoKind() const { return steps_[cursor_].kind; }      // only when canRedo()
    size_t stepCount() const { return steps_.size(); }
    size_t undoCount() const { return cursor_; }
    std::uintmax_t bytesOnDisk() const;

    // Writes the state before the last step (undo) or after the next one (redo) over
    // the worksheet and moves along the chain; on failure nothing moves.
    HistoryMove undo(const WorksheetFiles& files);
    HistoryMove redo(const WorksheetFiles& files);

private:
    struct State {
        std::filesystem::path file;
        std::uintmax_t size = 0;
    };
    struct Step {
        EditKind kind;
        PanelView before, after;
    };

    bool keep(const std::filesystem::path& worksheet, State& state, std::string* error);
    bool restore(const State& state, const WorksheetFiles& files, std::string& error) const;
    void dropState(size_t index);
    void trim();

    std::filesystem::path folder_;
    Limits limits_;
    std::vector<State> states_;  // states_.size() == steps_.size() + 1 once anything is kept
    std::vector<Step> steps_;
    size_t cursor_ = 0;         // the state the worksheet holds
    std::uint64_t serial_ = 0;  // numbers the snapshot files
};

}  // namespace mireva
