#include "cli/terminal_progress.h"

#include <unistd.h>

#include <csignal>

namespace mireva::cli {

namespace {

volatile std::sig_atomic_t interruptSeen = 0;

// The first interrupt asks the work to stop cleanly; a second one (the work may be
// finishing its file and not stop at once) ends the process the usual way.
extern "C" void onInterrupt(int signal) {
    if (interruptSeen) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
        return;
    }
    interruptSeen = 1;
}

struct sigaction previousInt {
}, previousTerm{};

std::string grouped(int n) {
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<size_t>(at), ",");
    return n < 0 ? "-" + digits : digits;
}

// The line is printed at most this often, and always at the end.
constexpr std::chrono::milliseconds kPrintEvery{100};

}  // namespace

std::string TerminalProgress::countText(Unit unit, int done, int total) {
    return unit == Unit::Sheets ? grouped(done) + " / " + grouped(total) + " sheets"
                                : "page " + grouped(done) + " / " + grouped(total);
}

bool TerminalProgress::stderrIsTerminal() { return ::isatty(STDERR_FILENO) == 1; }

TerminalProgress::TerminalProgress(std::ostream& err, Unit unit, bool show) : err_(err), unit_(unit), show_(show) {
    interruptSeen = 0;
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, &previousInt);
    sigaction(SIGTERM, &action, &previousTerm);
}

TerminalProgress::~TerminalProgress() {
    sigaction(SIGINT, &previousInt, nullptr);
    sigaction(SIGTERM, &previousTerm, nullptr);
    if (printed_) err_ << "\n" << std::flush;
}

bool TerminalProgress::interrupted() const { return interruptSeen != 0; }

ProgressCallback TerminalProgress::callback() {
    return [this](int done, int total) { return update(done, total); };
}

bool TerminalProgress::update(int done, int total) {
    if (show_) {
        const auto now = std::chrono::steady_clock::now();
        if (!printed_ || done >= total || now - lastPrint_ >= kPrintEvery) {
            err_ << "\r" << countText(unit_, done, total) << "\x1b[K" << std::flush;
            printed_ = true;
            lastPrint_ = now;
        }
    }
    return interruptSeen == 0;
}

}  // namespace mireva::cli
