// The subcommands of mireva-cli. Each takes its arguments (after the subcommand
// name) and the two output streams, and returns the exit status.
#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace mireva::cli {

using Args = std::vector<std::string>;

int runAggregate(const Args& args, std::ostream& out, std::ostream& err);
int runJudge(const Args& args, std::ostream& out, std::ostream& err);
int runCsv(const Args& args, std::ostream& out, std::ostream& err);
int runRound(const Args& args, std::ostream& out, std::ostream& err);
int runReport(const Args& args, std::ostream& out, std::ostream& err);
int runXlsx(const Args& args, std::ostream& out, std::ostream& err);
int runChart(const Args& args, std::ostream& out, std::ostream& err);

struct Command {
    const char* name;
    const char* synopsis;  // one line for the overall help
    int (*run)(const Args&, std::ostream&, std::ostream&);
};

const std::vector<Command>& commands();

}  // namespace mireva::cli
