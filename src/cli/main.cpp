// mireva-cli: the batch form of the program's jobs.
#include <iostream>

#include "cli/cli_args.h"
#include "cli/commands.h"

namespace mireva::cli {

const std::vector<Command>& commands() {
    static const std::vector<Command> list = {
        {"aggregate",
         "aggregate --table TABLE.csv --data DATA_DIR --out WORKSHEET.csv [--errorlog ERRORLOG.csv] [--json]",
         runAggregate},
        {"judge", "judge --worksheet W [--settings Mireva.ini] [--out FILE.csv]", runJudge},
        {"csv", "csv --worksheet W --out OUT.csv [--settings Mireva.ini]", runCsv},
        {"round", "round --worksheet W", runRound},
        {"report", "report --worksheet W --out report.pdf [--settings Mireva.ini]", runReport},
        {"xlsx", "xlsx --worksheet W --out book.xlsx [--settings Mireva.ini]", runXlsx},
        {"chart", "chart --worksheet W --out DIR [--settings Mireva.ini] [--band NAME] [--format png|svg]", runChart},
    };
    return list;
}

namespace {
void usage(std::ostream& os) {
    os << "usage: mireva-cli COMMAND [OPTIONS]\n\ncommands:\n";
    for (const Command& c : commands()) os << "  " << c.synopsis << "\n";
    os << "\nmireva-cli COMMAND --help describes a command.\n";
}
}  // namespace
}  // namespace mireva::cli

int main(int argc, char** argv) {
    using namespace mireva::cli;
    if (argc < 2) {
        usage(std::cerr);
        return kExitUsage;
    }
    std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        usage(std::cout);
        return kExitOk;
    }
    Args args(argv + 2, argv + argc);
    for (const Command& c : commands()) {
        if (name == c.name) return c.run(args, std::cout, std::cerr);
    }
    std::cerr << "mireva-cli: unknown command '" << name << "'\n";
    usage(std::cerr);
    return kExitUsage;
}
