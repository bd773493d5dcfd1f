#include "cli/cli_args.h"
#include "cli/commands.h"

namespace mireva::cli {

int runReport(const Args& args, std::ostream& out, std::ostream& err) {
    err << "mireva-cli report: not available in this build\n";
    return kExitUsage;
}

}  // namespace mireva::cli
