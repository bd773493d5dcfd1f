#include "cli/cli_args.h"
#include "cli/commands.h"

namespace mireva::cli {

int runCsv(const Args& args, std::ostream& out, std::ostream& err) {
    err << "mireva-cli csv: not available in this build\n";
    return kExitUsage;
}

}  // namespace mireva::cli
