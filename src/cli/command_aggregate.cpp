#include "cli/cli_args.h"
#include "cli/commands.h"

namespace mireva::cli {

int runAggregate(const Args& args, std::ostream& out, std::ostream& err) {
    err << "mireva-cli aggregate: not available in this build\n";
    return kExitUsage;
}

}  // namespace mireva::cli
