#include "cli/cli_args.h"

namespace mireva::cli {

bool CliArgs::parse(const std::vector<std::string>& args, const std::set<std::string>& valued,
                    const std::set<std::string>& flags, std::string& error) {
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (valued.count(a)) {
            if (i + 1 >= args.size()) {
                error = "option " + a + " needs a value";
                return false;
            }
            values_[a] = args[++i];
        } else if (flags.count(a)) {
            flags_.insert(a);
        } else {
            error = "unknown argument: " + a;
            return false;
        }
    }
    return true;
}

std::optional<std::string> CliArgs::value(const std::string& name) const {
    auto it = values_.find(name);
    if (it == values_.end()) return std::nullopt;
    return it->second;
}

}  // namespace mireva::cli
