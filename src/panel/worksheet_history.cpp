#include "panel/worksheet_history.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <system_error>

#include "core/file_io.h"

namespace mireva {

namespace fs = std::filesystem;

const char* editKindName(EditKind kind) {
    switch (kind) {
        case EditKind::Offset:
            return "オフセット";
        case EditKind::Move:
            return "移動";
        case EditKind::Delete:
            return "行の削除";
        case EditKind::Round:
            return "四捨五入";
        case EditKind::Reset:
            return "リセット";
    }
    return "";
}

WorksheetHistory::WorksheetHistory(fs::path folder) : WorksheetHistory(std::move(folder), Limits{}) {}

WorksheetHistory::WorksheetHistory(fs::path folder, Limits limits) : folder_(std::move(folder)), limits_(limits) {
    // Snapshots left behind by a run that ended abnormally belong to no history.
    std::error_code ec;
    fs::remove_all(folder_, ec);
}

WorksheetHistory::~WorksheetHistory() {
    clear();
    std::error_code ec;
    fs::remove(folder_, ec);  // only when empty
}

void WorksheetHistory::clear() {
    for (const State& s : states_) {
        std::error_code ec;
        fs::remove(s.file, ec);
    }
    states_.clear();
    steps_.clear();
    cursor_ = 0;
}

std::uintmax_t WorksheetHistory::bytesOnDisk() const {
    std::uintmax_t total = 0;
    for (const State& s : states_) total += s.size;
    return total;
}

bool WorksheetHistory::keep(const fs::path& worksheet, State& state, std::string* error) {
    std::error_code ec;
    fs::create_directories(folder_, ec);
    state.file = folder_ / ("state_" + std::to_string(++serial_) + ".csv");
    fs::remove(state.file, ec);
    ec.clear();
    fs::create_hard_link(worksheet, state.file, ec);
    if (ec && !copyFileReplacing(worksheet, state.file, error)) {
        fs::remove(state.file, ec);
        return false;
    }
    state.size = fs::file_size(state.file, ec);
    if (ec) {
        if (error) *error = state.file.string() + ": " + ec.message();
        fs::remove(state.file, ec);
        return false;
    }
    return true;
}

bool WorksheetHistory::prepare(const fs::path& worksheet, std::string* error) {
    if (!states_.empty()) {
        // The worksheet is the current state unless something wrote it behind the
        // history's back; then the history cannot lead to it and starts anew.
        std::error_code ec1, ec2;
        const State& current = states_[cursor_];
        const std::uintmax_t size = fs::file_size(worksheet, ec1);
        if (!ec1 && fs::exists(current.file, ec2) && size == current.size) return true;
        clear();
    }
    State first;
    if (!keep(worksheet, first, error)) return false;
    states_.push_back(std::move(first));
    cursor_ = 0;
    return true;
}

void WorksheetHistory::dropState(size_t index) {
    std::error_code ec;
    fs::remove(states_[index].file, ec);
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(index));
}

bool WorksheetHistory::record(EditKind kind, const fs::path& worksheet, PanelView before, PanelView after,
                              std::string* error) {
    if (states_.empty()) {
        if (error) *error = "no state before the edit";
        return false;
    }
    // A new edit after undoing: the undone steps cannot be redone any more.
    while (states_.size() > cursor_ + 1) dropState(states_.size() - 1);
    steps_.resize(cursor_);

    State next;
    if (!keep(worksheet, next, error)) {
        clear();
        return false;
    }
    states_.push_back(std::move(next));
    steps_.push_back({kind, std::move(before), std::move(after)});
    cursor_ = steps_.size();
    trim();
    return true;
}

void WorksheetHistory::trim() {
    const auto over = [this] { return steps_.size() > limits_.maxSteps || bytesOnDisk() > limits_.maxBytes; };
    while (steps_.size() > 1 && cursor_ > 1 && over()) {
        dropState(0);
        steps_.erase(steps_.begin());
        --cursor_;
    }
}

bool WorksheetHistory::restore(const State& state, const WorksheetFiles& files, std::string& error) const {
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(state.file, ec);
    if (ec) {
        error = state.file.string() + ": " + ec.message();
        return false;
    }
    if (size != state.size) {
        error = state.file.string() + ": the snapshot was changed";
        return false;
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> in(std::fopen(state.file.c_str(), "rb"), &std::fclose);
    if (!in) {
        error = state.file.string() + ": " + std::strerror(errno);
        return false;
    }
    AtomicFileWriter writer(files.worksheet);
    if (!writer.open()) {
        error = writer.error();
        return false;
    }
    std::string buffer(1 << 20, '\0');
    std::uintmax_t copied = 0;
    for (;;) {
        const size_t n = std::fread(buffer.data(), 1, buffer.size(), in.get());
        if (n > 0 && !writer.write(std::string_view(buffer.data(), n))) {
            error = writer.error();
            return false;
        }
        copied += n;
        if (n < buffer.size()) break;
    }
    if (std::ferror(in.get()) || copied != state.size) {
        error = state.file.string() + ": the snapshot could not be read completely";
        return false;  // the writer removes its scratch file; the worksheet stays
    }
    if (!writer.commit()) {
        error = writer.error();
        return false;
    }
    return true;
}

HistoryMove WorksheetHistory::undo(const WorksheetFiles& files) {
    HistoryMove move;
    if (!canUndo()) {
        move.error = "nothing to undo";
        return move;
    }
    if (!restore(states_[cursor_ - 1], files, move.error)) return move;
    const Step& step = steps_[cursor_ - 1];
    move.done = true;
    move.view = step.before;
    move.summaryChanged = !(step.before.summary == step.after.summary);
    --cursor_;
    return move;
}

HistoryMove WorksheetHistory::redo(const WorksheetFiles& files) {
    HistoryMove move;
    if (!canRedo()) {
        move.error = "nothing to redo";
        return move;
    }
    if (!restore(states_[cursor_ + 1], files, move.error)) return move;
    const Step& step = steps_[cursor_];
    move.done = true;
    move.view = step.after;
    move.summaryChanged = !(step.before.summary == step.after.summary);
    ++cursor_;
    return move;
}

}  // namespace mireva
