// The progress of a long batch command (report, xlsx): on stderr when it is a
// terminal, one line rewritten in place ("page 300 / 5,600", "1,200 / 5,602 sheets")
// and ended when the work ends. Ctrl+C (or a termination request) while the work runs
// stops it the way the program's キャンセル does: the earlier output is left as it
// was and no scratch file stays behind. Once every part is done the file is being
// finished and cannot stop part way; a second Ctrl+C then ends the command at once.
#pragma once

#include <chrono>
#include <ostream>
#include <string>

#include "core/progress.h"

namespace mireva::cli {

class TerminalProgress {
public:
    enum class Unit { Sheets, Pages };

    // `show`: whether to print at all (normally: stderr is a terminal).
    TerminalProgress(std::ostream& err, Unit unit, bool show);
    ~TerminalProgress();  // ends the line; gives the interrupt back to the system
    TerminalProgress(const TerminalProgress&) = delete;
    TerminalProgress& operator=(const TerminalProgress&) = delete;

    ProgressCallback callback();
    // Whether an interrupt stopped the work.
    bool interrupted() const;

    // "1,200 / 5,602 sheets", "page 300 / 5,600".
    static std::string countText(Unit unit, int done, int total);
    // Whether stderr is a terminal.
    static bool stderrIsTerminal();

private:
    bool update(int done, int total);

    std::ostream& err_;
    Unit unit_;
    bool show_;
    bool printed_ = false;
    std::chrono::steady_clock::time_point lastPrint_{};
};

// Exit status of a command stopped by an interrupt (128 + SIGINT, as shells report it).
inline constexpr int kExitInterrupted = 130;

}  // namespace mireva::cli
