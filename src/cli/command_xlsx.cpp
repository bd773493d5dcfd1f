#include "cli/cli_args.h"
#include "cli/commands.h"

namespace mireva::cli {

int runXlsx(const Args& args, std::ostream& out, std::ostream& err) {
    err << "mireva-cli xlsx: not available in this build\n";
    return kExitUsage;
}

}  // namespace mireva::cli
