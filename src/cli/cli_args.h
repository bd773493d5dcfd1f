// Command-line arguments of one subcommand: "--name value" options and "--flag" switches.
#pragma once

#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace mireva::cli {

class CliArgs {
public:
    // `valued` names the options that take a value, `flags` those that do not.
    // False (with a message in `error`) on an unknown option or a missing value.
    bool parse(const std::vector<std::string>& args, const std::set<std::string>& valued,
               const std::set<std::string>& flags, std::string& error);

    std::optional<std::string> value(const std::string& name) const;
    bool flag(const std::string& name) const { return flags_.count(name) > 0; }

private:
    std::map<std::string, std::string> values_;
    std::set<std::string> flags_;
};

// Exit statuses of every subcommand.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailed = 1;  // the job ran and failed (for example an aborted run)
inline constexpr int kExitUsage = 2;   // wrong usage or unreadable inputs

}  // namespace mireva::cli
