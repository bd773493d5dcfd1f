// The progress line of the long batch commands on a terminal, and Ctrl+C stopping
// them with the earlier output left as it was.
#include "cli/terminal_progress.h"

#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "support/test_support.h"

namespace mireva::cli {
namespace {

namespace fs = std::filesystem;

TEST(TerminalProgress, CountTextsGroupThousands) {
    EXPECT_EQ(TerminalProgress::countText(TerminalProgress::Unit::Sheets, 1200, 5602), "1,200 / 5,602 sheets");
    EXPECT_EQ(TerminalProgress::countText(TerminalProgress::Unit::Pages, 300, 5600), "page 300 / 5,600");
    EXPECT_EQ(TerminalProgress::countText(TerminalProgress::Unit::Pages, 7, 1234567), "page 7 / 1,234,567");
}

TEST(TerminalProgress, RewritesOneLineAndEndsItOnlyWhenShown) {
    std::ostringstream shown, hidden;
    {
        TerminalProgress progress(shown, TerminalProgress::Unit::Pages, true);
        ProgressCallback callback = progress.callback();
        EXPECT_TRUE(callback(0, 2));
        EXPECT_TRUE(callback(2, 2));  // the end is always printed
    }
    EXPECT_EQ(shown.str(), "\rpage 0 / 2\x1b[K\rpage 2 / 2\x1b[K\n");
    {
        TerminalProgress progress(hidden, TerminalProgress::Unit::Sheets, false);
        EXPECT_TRUE(progress.callback()(1, 2));
    }
    EXPECT_EQ(hidden.str(), "");
}

TEST(TerminalProgress, AnInterruptStopsTheWorkAndTheSystemGetsItBackAfterwards) {
    struct sigaction before {};
    sigaction(SIGINT, nullptr, &before);
    {
        std::ostringstream err;
        TerminalProgress progress(err, TerminalProgress::Unit::Sheets, false);
        EXPECT_TRUE(progress.callback()(1, 10));
        std::raise(SIGINT);  // caught: the test goes on
        EXPECT_TRUE(progress.interrupted());
        EXPECT_FALSE(progress.callback()(2, 10));
    }
    struct sigaction after {};
    sigaction(SIGINT, nullptr, &after);
    EXPECT_EQ(after.sa_handler, before.sa_handler);
}

// A worksheet of many places: the sample site's places repeated.
void writeLargeWorksheet(const fs::path& path, int copies) {
    const std::string sample = test::readFile(test::sourcePath("tests/cli/expected/sample_worksheet.csv"));
    size_t bodyStart = sample.find("\r\n");
    bodyStart = sample.find("\r\n", bodyStart + 2) + 2;
    std::string out = sample.substr(0, bodyStart);
    for (int i = 0; i < copies; ++i) out += sample.substr(bodyStart);
    test::writeFile(path, out);
}

struct TerminalRun {
    int status = -1;
    std::string terminal;  // what the command wrote to its terminal
};

// Runs mireva-cli with stdout and stderr on a new terminal; with `interruptAfter`,
// sends Ctrl+C's signal once the terminal has shown that text.
TerminalRun runOnTerminal(const std::vector<std::string>& args, const std::string& interruptAfter = {}) {
    int master = -1;
    const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
    if (pid == 0) {
        std::vector<char*> argv;
        static std::string cli = MIREVA_BINARY_DIR "/src/cli/mireva-cli";
        argv.push_back(cli.data());
        for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    TerminalRun run;
    if (pid < 0) return run;
    bool interrupted = false;
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(master, buffer, sizeof buffer);
        if (n <= 0) break;  // the command ended and closed its terminal
        run.terminal.append(buffer, static_cast<size_t>(n));
        if (!interruptAfter.empty() && !interrupted && run.terminal.find(interruptAfter) != std::string::npos) {
            kill(pid, SIGINT);
            interrupted = true;
        }
    }
    close(master);
    int status = 0;
    waitpid(pid, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(TerminalProgress, XlsxShowsItsSheetsOnATerminalAndCtrlCLeavesTheEarlierFile) {
    test::TempDir dir;
    const fs::path worksheet = dir / "w.csv";
    writeLargeWorksheet(worksheet, 40);  // 200 places
    const fs::path book = dir / "book.xlsx";

    TerminalRun xlsx = runOnTerminal({"xlsx", "--worksheet", worksheet.string(), "--out", book.string()});
    EXPECT_EQ(xlsx.status, 0) << xlsx.terminal;
    EXPECT_NE(xlsx.terminal.find("\r0 / "), std::string::npos) << xlsx.terminal;
    EXPECT_NE(xlsx.terminal.find(" sheets"), std::string::npos) << xlsx.terminal;

    test::writeFile(book, "earlier workbook");
    TerminalRun stopped = runOnTerminal({"xlsx", "--worksheet", worksheet.string(), "--out", book.string()}, " sheets");
    EXPECT_EQ(stopped.status, kExitInterrupted) << stopped.terminal;
    EXPECT_EQ(test::readFile(book), "earlier workbook");
    EXPECT_FALSE(fs::exists(dir / ".book.xlsx.part"));
}

TEST(TerminalProgress, ReportShowsItsPagesOnATerminalAndCtrlCLeavesTheEarlierFile) {
    test::TempDir dir;
    const fs::path worksheet = dir / "w.csv";
    writeLargeWorksheet(worksheet, 40);
    const fs::path pdf = dir / "report.pdf";
    test::writeFile(pdf, "earlier report");
    TerminalRun report = runOnTerminal({"report", "--worksheet", worksheet.string(), "--out", pdf.string()}, "page ");
    if (report.terminal.find("not available in this build") != std::string::npos)
        GTEST_SKIP() << "mireva-cli was built without the report";
    EXPECT_EQ(report.status, kExitInterrupted) << report.terminal;
    EXPECT_NE(report.terminal.find("\rpage 0 / "), std::string::npos) << report.terminal;
    EXPECT_EQ(test::readFile(pdf), "earlier report");
    EXPECT_FALSE(fs::exists(pdf.string() + ".tmp"));
}

}  // namespace
}  // namespace mireva::cli
